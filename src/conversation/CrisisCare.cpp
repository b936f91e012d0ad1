// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/CrisisCare.h"

#include "conversation/KeyAutomaton.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

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

namespace CrisisCare {

namespace {

const QStringList &crisisPhrases()
{
    static const QStringList phrases = {
        // Wanting to die, not wanting to live, feeling one's life a burden.
        QStringLiteral("想死"), QStringLiteral("想去死"), QStringLiteral("我去死"),
        QStringLiteral("要去死"), QStringLiteral("不如去死"), QStringLiteral("不如死了"),
        QStringLiteral("死了算了"), QStringLiteral("死掉算了"), QStringLiteral("一死了之"),
        QStringLiteral("寻死"), QStringLiteral("求死"), QStringLiteral("不想活"),
        QStringLiteral("不想再活"), QStringLiteral("不想继续活"), QStringLiteral("活不下去"),
        QStringLiteral("活够了"), QStringLiteral("撑不下去"), QStringLiteral("想不开"),
        QStringLiteral("想离开这个世界"), QStringLiteral("要离开这个世界"),
        QStringLiteral("想消失"), QStringLiteral("要是我消失"), QStringLiteral("如果我消失"),
        QStringLiteral("要是我死了"), QStringLiteral("如果我死了"), QStringLiteral("我死了就好了"),
        QStringLiteral("没有我会更好"), QStringLiteral("没有我更好"), QStringLiteral("我是累赘"),
        QStringLiteral("我是个累赘"), QStringLiteral("我就是个累赘"), QStringLiteral("再也不醒"),
        QStringLiteral("永远不醒"), QStringLiteral("遗书"),
        // Ending one's life, and the ways people name it.
        QStringLiteral("自杀"), QStringLiteral("杀了我自己"), QStringLiteral("杀了自己"),
        QStringLiteral("杀死自己"), QStringLiteral("杀掉自己"), QStringLiteral("轻生"),
        QStringLiteral("结束生命"), QStringLiteral("结束自己的生命"),
        QStringLiteral("结束自己生命"), QStringLiteral("结束我的生命"), QStringLiteral("了结自己"),
        QStringLiteral("了结生命"), QStringLiteral("跳楼"), QStringLiteral("楼顶跳"),
        QStringLiteral("楼上跳"), QStringLiteral("天台跳"), QStringLiteral("桥上跳"),
        QStringLiteral("跳河"), QStringLiteral("跳江"), QStringLiteral("卧轨"),
        QStringLiteral("上吊"), QStringLiteral("烧炭"), QStringLiteral("服毒"),
        QStringLiteral("喝农药"), QStringLiteral("吃农药"), QStringLiteral("吞安眠药"),
        QStringLiteral("攒安眠药"), QStringLiteral("一瓶安眠药"), QStringLiteral("整瓶安眠药"),
        QStringLiteral("很多安眠药"), QStringLiteral("好多安眠药"),
        // Hurting oneself.
        QStringLiteral("割腕"), QStringLiteral("割脉"), QStringLiteral("自残"),
        QStringLiteral("自伤"), QStringLiteral("伤害自己"), QStringLiteral("伤害我自己"),
        QStringLiteral("划自己"), QStringLiteral("刀割自己"),
        // A few users write in English.
        QStringLiteral("suicide"), QStringLiteral("killmyself"), QStringLiteral("wanttodie"),
        QStringLiteral("endmylife"), QStringLiteral("selfharm"), QStringLiteral("cutmyself")};
    return phrases;
}

// "活着没意思", "活着有什么意义", "活着好累"...: life itself called pointless or unbearable.
const QRegularExpression &lifeNotWorthLiving()
{
    static const QRegularExpression expression(
        QStringLiteral("活着(真的?|好|太|很|都)?(没|没有|没什么|有什么|还有什么)(意思|意义|用|盼头)"
                       "|活着(真的?|好|太|很)(累|难|痛苦|辛苦|煎熬)"
                       "|活着(干嘛|干什么|干啥|为了什么)"));
    return expression;
}

// Everyday expressions that hold a crisis phrase without meaning it.
const QRegularExpression &lookAlikes()
{
    static const QRegularExpression expressions(
        QStringLiteral("想死(你|您|他|她|它|大家|宝宝)(们)?(了|啦|啊|呀|哦|喽|咯|[!！~～。.,，]|$)"
                       "|想死我(了|啦|们了)"
                       "|想(你|您|他|她|它|家|妈|爸|宝宝|大家)(们)?想死"
                       "|你(是不是)?想死(吗|啊|呀|是吧)"
                       "|死(机|磕|记硬背|缠烂打|心了|心吧)"
                       "|跳楼(价|机|甩卖|大甩卖|大减价)"
                       "|不想活(动|跃|泼)"
                       "|(计|规|策|企)划自己"
                       "|自杀小队"));
    return expressions;
}

// Finds in one pass whether a message holds any phrase at all, or "活着" for the family above:
// most messages hold none, and a pasted megabyte must not be searched eighty times over.
const KeyAutomaton &anyPhrase()
{
    static const KeyAutomaton automaton = [] {
        std::vector<QStringView> keys(crisisPhrases().cbegin(), crisisPhrases().cend());
        keys.push_back(u"活着");
        return *KeyAutomaton::build(keys);
    }();
    return automaton;
}

} // namespace

bool concerns(const QString &normalisedMessage)
{
    if (!anyPhrase().containsAny(normalisedMessage))
        return false;
    const QString message = QString(normalisedMessage).remove(lookAlikes());
    return message.contains(lifeNotWorthLiving()) ||
           std::any_of(crisisPhrases().cbegin(), crisisPhrases().cend(),
                       [&](const QString &phrase) { return message.contains(phrase); });
}

const QStringList &caringLines()
{
    static const QStringList lines = {
        QStringLiteral(
            "听到你这么说，我很担心你。你现在安全吗？愿意的话，跟我说说发生了什么，我一直在这里听。"
            "也请马上联系一个你信任的人，或者拨打当地的心理援助热线；如果有危险，请立刻拨打当地的"
            "急救电话。"),
        QStringLiteral(
            "谢谢你愿意告诉我这些，这一定很难受。你的感受很重要，你不必一个人扛着。请现在就找一位"
            "信任的家人或朋友陪着你，也可以打当地的心理援助热线，那里有人愿意认真听你说。"),
        QStringLiteral(
            "我会认真对待你说的每一句话。愿意多说一点吗？是什么让你这么难过？同时请联系你信任的人，"
            "或者当地的心理援助热线；如果你觉得自己可能会伤害自己，请马上拨打当地的急救电话。"),
        QStringLiteral(
            "你现在一定很痛苦，我想陪着你。请不要一个人待着，去找身边你信任的人，或者拨打当地的"
            "心理援助热线，他们会认真听你说。我也在这里，想说什么都可以告诉我。"),
        QStringLiteral(
            "我在这里，哪儿也不去。你身边现在有人吗？请尽快联系一个你信任的人或当地的心理援助热线；"
            "情况紧急的话，请立刻拨打当地的急救电话。你愿意的话，我们接着聊。")};
    return lines;
}

} // namespace CrisisCare
