#include "conversation/CrisisCare.h"

#include <QRegularExpression>
#include <algorithm>

// Why this is built in: a user in crisis once typed "我想死" and the keyword table answered
// "想就去做吧". Words like these must never reach the table or a joke, whatever file the user
// has, so they are kept here in code rather than in Data.ait.
//
// The phrases below are matched anywhere in the message, after the common expressions that
// only look alike ("想死你了" means "I miss you so much", "跳楼价" is a sales price) have been
// cut out of it. When in doubt a phrase stays in: a caring answer to a harmless message costs
// far less than a joke in answer to a cry for help.
//
// The caring lines take the user seriously, ask them to keep talking and urge them to reach
// someone they trust, a psychological help line or the emergency number. They name no number:
// we do not know where the user lives, and numbers change.

using namespace Qt::StringLiterals;

namespace CrisisCare {

namespace {

const QStringList &crisisPhrases()
{
    static const QStringList phrases = {
        // Wanting to die, not wanting to live, feeling one's life a burden.
        u"想死"_s, u"想去死"_s, u"我去死"_s, u"要去死"_s, u"不如去死"_s, u"不如死了"_s,
        u"死了算了"_s, u"死掉算了"_s, u"一死了之"_s, u"寻死"_s, u"求死"_s, u"不想活"_s,
        u"不想再活"_s, u"不想继续活"_s, u"活不下去"_s, u"活够了"_s, u"撑不下去"_s, u"想不开"_s,
        u"想离开这个世界"_s, u"要离开这个世界"_s, u"想消失"_s, u"要是我消失"_s, u"如果我消失"_s,
        u"要是我死了"_s, u"如果我死了"_s, u"我死了就好了"_s, u"没有我会更好"_s, u"没有我更好"_s,
        u"我是累赘"_s, u"我是个累赘"_s, u"我就是个累赘"_s, u"再也不醒"_s, u"永远不醒"_s, u"遗书"_s,
        // Ending one's life, and the ways people name it.
        u"自杀"_s, u"轻生"_s, u"结束生命"_s, u"结束自己的生命"_s, u"结束自己生命"_s,
        u"结束我的生命"_s, u"了结自己"_s, u"了结生命"_s, u"跳楼"_s, u"楼顶跳"_s, u"楼上跳"_s,
        u"天台跳"_s, u"桥上跳"_s, u"跳河"_s, u"跳江"_s, u"卧轨"_s, u"上吊"_s, u"烧炭"_s, u"服毒"_s,
        u"喝农药"_s, u"吃农药"_s, u"吞安眠药"_s, u"攒安眠药"_s, u"一瓶安眠药"_s, u"整瓶安眠药"_s,
        u"很多安眠药"_s, u"好多安眠药"_s,
        // Hurting oneself.
        u"割腕"_s, u"割脉"_s, u"自残"_s, u"自伤"_s, u"伤害自己"_s, u"伤害我自己"_s, u"划自己"_s,
        u"刀割自己"_s,
        // A few users write in English.
        u"suicide"_s, u"killmyself"_s, u"wanttodie"_s, u"endmylife"_s, u"selfharm"_s,
        u"cutmyself"_s};
    return phrases;
}

// "活着没意思", "活着有什么意义", "活着好累"...: life itself called pointless or unbearable.
const QRegularExpression &lifeNotWorthLiving()
{
    static const QRegularExpression expression(
        u"活着(真的?|好|太|很|都)?(没|没有|没什么|有什么|还有什么)(意思|意义|用|盼头)"
        "|活着(真的?|好|太|很)(累|难|痛苦|辛苦|煎熬)"
        "|活着(干嘛|干什么|干啥|为了什么)"_s);
    return expression;
}

// Everyday expressions that hold a crisis phrase without meaning it.
const QRegularExpression &lookAlikes()
{
    static const QRegularExpression expressions(
        u"想死(你|您|他|她|它|大家|宝宝)(们)?(了|啦|啊|呀|哦|喽|咯|[!！~～。.,，]|$)"
        "|想死我(了|啦|们了)"
        "|想(你|您|他|她|它|家|妈|爸|宝宝|大家)(们)?想死"
        "|你(是不是)?想死(吗|啊|呀|是吧)"
        "|死(机|磕|记硬背|缠烂打|心了|心吧)"
        "|跳楼(价|机|甩卖|大甩卖|大减价)"
        "|不想活(动|跃|泼)"
        "|(计|规|策|企)划自己"
        "|自杀小队"_s);
    return expressions;
}

} // namespace

bool concerns(const QString &normalisedMessage)
{
    const QString message = QString(normalisedMessage).remove(lookAlikes());
    return message.contains(lifeNotWorthLiving()) ||
           std::any_of(crisisPhrases().cbegin(), crisisPhrases().cend(),
                       [&](const QString &phrase) { return message.contains(phrase); });
}

const QStringList &caringLines()
{
    static const QStringList lines = {
        u"听到你这么说，我很担心你。你现在安全吗？愿意的话，跟我说说发生了什么，我一直在这里听。"
        "也请马上联系一个你信任的人，或者拨打当地的心理援助热线；如果有危险，请立刻拨打当地的"
        "急救电话。"_s,
        u"谢谢你愿意告诉我这些，这一定很难受。你的感受很重要，你不必一个人扛着。请现在就找一位"
        "信任的家人或朋友陪着你，也可以打当地的心理援助热线，那里有人愿意认真听你说。"_s,
        u"我会认真对待你说的每一句话。愿意多说一点吗？是什么让你这么难过？同时请联系你信任的人，"
        "或者当地的心理援助热线；如果你觉得自己可能会伤害自己，请马上拨打当地的急救电话。"_s,
        u"你现在一定很痛苦，我想陪着你。请不要一个人待着，去找身边你信任的人，或者拨打当地的"
        "心理援助热线，他们会认真听你说。我也在这里，想说什么都可以告诉我。"_s,
        u"我在这里，哪儿也不去。你身边现在有人吗？请尽快联系一个你信任的人或当地的心理援助热线；"
        "情况紧急的话，请立刻拨打当地的急救电话。你愿意的话，我们接着聊。"_s};
    return lines;
}

} // namespace CrisisCare
