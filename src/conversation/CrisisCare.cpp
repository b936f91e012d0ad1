// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "conversation/CrisisCare.h"

#include <QRegularExpression>
#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

// Why this is built in: a user in crisis once typed "我想死" and the keyword table answered
// "想就去做吧". Words like these must never reach the table or a joke, whatever file the user
// has, so they are kept here in code rather than in Data.ait.
//
// Few people in crisis say "自杀". They say they want it all to end, that they would rather not
// wake up, that everyone would be better off without them, that nobody would notice they were
// gone; they mention pills they have put aside, give their things away, say goodbye for good.
// The phrases and families below are written from those meanings, and are matched anywhere in
// the message after the common expressions that only look alike ("想死你了" means "I miss you so
// much", "跳楼价" is a sales price, a sweet dream is one nobody wants to wake from) have been cut
// out of it.
//
// A second reading, against messages written by someone who had not seen the phrases, showed
// how much the first one missed: asking when it will ever end, vanishing without a trace, a
// family better off, "if I were gone" and nobody noticing, looking up how many pills, standing
// at a rooftop's edge, wanting to rest for ever, a pet left "from now on", passwords left "for
// later", an account given away, a letter that says it all, debts paid "before I go", "I won't
// come again", cuts on an arm, and the words the internet uses instead ("紫砂"). Each kind has
// its own look-alikes beside it: a pet minded for a trip, a shop one won't visit again, a
// mortgage paid off, a dead pet at rest. A story, a film, a game or the news may tell of
// someone jumping or dying; that is cut out unless the user speaks of themselves in it. When in
// doubt a phrase stays in: a caring answer to a harmless message costs far less than a joke in
// answer to a cry for help.
//
// The caring lines take the user seriously, ask them to keep talking and urge them to reach
// someone they trust, a psychological help line or the emergency number. They name no number:
// we do not know where the user lives, and numbers change; one line says how to find the help
// line of the user's own city instead.

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
        QStringLiteral("永远不醒"), QStringLiteral("遗书"), QStringLiteral("生不如死"),
        QStringLiteral("不配活"), QStringLiteral("不配存在"),
        // Ending it all.
        QStringLiteral("一了百了"), QStringLiteral("自我了断"), QStringLiteral("了断自己"),
        QStringLiteral("了断此生"), QStringLiteral("结束这条命"), QStringLiteral("结束这一生"),
        QStringLiteral("结束这辈子"), QStringLiteral("彻底解脱"), QStringLiteral("永远解脱"),
        QStringLiteral("永远地解脱"), QStringLiteral("想解脱"),
        // Not waking up.
        QStringLiteral("一睡不醒"), QStringLiteral("一觉不醒"), QStringLiteral("一睡不起"),
        QStringLiteral("长睡不醒"),
        // Disappearing, or never having been.
        QStringLiteral("想人间蒸发"), QStringLiteral("不想存在"), QStringLiteral("不想再存在"),
        QStringLiteral("如果我不存在"), QStringLiteral("要是我不存在"),
        QStringLiteral("假如我不存在"), QStringLiteral("假如我消失"),
        // Nobody would care.
        QStringLiteral("我的死活"), QStringLiteral("我是死是活"), QStringLiteral("我是生是死"),
        QStringLiteral("我死不死"),
        // Giving one's things away, putting one's affairs in order.
        QStringLiteral("我的后事"), QStringLiteral("自己的后事"), QStringLiteral("我死后"),
        QStringLiteral("我死了以后"), QStringLiteral("我死以后"), QStringLiteral("我死之后"),
        QStringLiteral("写遗言"), QStringLiteral("写好遗言"), QStringLiteral("写了遗言"),
        QStringLiteral("留遗言"), QStringLiteral("我的遗言"),
        // Saying goodbye for good.
        QStringLiteral("永别"), QStringLiteral("诀别"), QStringLiteral("后会无期"),
        QStringLiteral("忘了我吧"), QStringLiteral("忘掉我吧"), QStringLiteral("把我忘了吧"),
        // Ending one's life, and the ways people name it.
        QStringLiteral("自杀"), QStringLiteral("杀了我自己"), QStringLiteral("杀了自己"),
        QStringLiteral("杀死自己"), QStringLiteral("杀掉自己"), QStringLiteral("轻生"),
        QStringLiteral("结束生命"), QStringLiteral("结束自己的生命"),
        QStringLiteral("结束自己生命"), QStringLiteral("结束我的生命"), QStringLiteral("了结自己"),
        QStringLiteral("了结生命"), QStringLiteral("放弃生命"), QStringLiteral("放弃自己的生命"),
        QStringLiteral("放弃活着"), QStringLiteral("放弃活下去"), QStringLiteral("跳楼"),
        QStringLiteral("楼顶跳"), QStringLiteral("楼上跳"), QStringLiteral("天台跳"),
        QStringLiteral("桥上跳"), QStringLiteral("窗户跳"), QStringLiteral("窗台跳"),
        QStringLiteral("阳台跳"), QStringLiteral("顶楼跳"), QStringLiteral("跳河"),
        QStringLiteral("跳江"), QStringLiteral("跳海"), QStringLiteral("跳湖"),
        QStringLiteral("跳崖"), QStringLiteral("投河"), QStringLiteral("投江"),
        QStringLiteral("投湖"), QStringLiteral("卧轨"), QStringLiteral("上吊"),
        QStringLiteral("吊死自己"), QStringLiteral("想吊死"), QStringLiteral("勒死自己"),
        QStringLiteral("淹死自己"), QStringLiteral("撞死自己"), QStringLiteral("烧炭"),
        QStringLiteral("烧碳"), QStringLiteral("服毒"), QStringLiteral("喝农药"),
        QStringLiteral("吃农药"), QStringLiteral("百草枯"), QStringLiteral("敌敌畏"),
        QStringLiteral("吃老鼠药"), QStringLiteral("吞安眠药"), QStringLiteral("攒安眠药"),
        QStringLiteral("一瓶安眠药"), QStringLiteral("整瓶安眠药"), QStringLiteral("很多安眠药"),
        QStringLiteral("好多安眠药"), QStringLiteral("过量服药"), QStringLiteral("服药过量"),
        // Hurting oneself.
        QStringLiteral("割腕"), QStringLiteral("割脉"), QStringLiteral("自残"),
        QStringLiteral("自伤"), QStringLiteral("伤害自己"), QStringLiteral("伤害我自己"),
        QStringLiteral("划自己"), QStringLiteral("刀割自己"), QStringLiteral("割自己"),
        QStringLiteral("割手腕"), QStringLiteral("划手腕"), QStringLiteral("割手臂"),
        QStringLiteral("划手臂"), QStringLiteral("割胳膊"), QStringLiteral("划胳膊"),
        QStringLiteral("烫自己"), QStringLiteral("划伤自己"), QStringLiteral("弄伤自己"),
        // A few users write in English.
        QStringLiteral("suicide"), QStringLiteral("killmyself"), QStringLiteral("wanttodie"),
        QStringLiteral("endmylife"), QStringLiteral("selfharm"), QStringLiteral("cutmyself"),
        QStringLiteral("enditall"), QStringLiteral("endingitall"),
        QStringLiteral("betteroffwithoutme"), QStringLiteral("wanttodisappear"),
        QStringLiteral("dontwanttowakeup"), QStringLiteral("don'twanttowakeup"),
        QStringLiteral("don’twanttowakeup"), QStringLiteral("nevertowakeup"),
        QStringLiteral("dontwanttolive"), QStringLiteral("don'twanttolive"),
        QStringLiteral("don’twanttolive"), QStringLiteral("noreasontolive"),
        QStringLiteral("tiredofliving"),
        // What the internet says instead of "自杀", so that filters pass it by. "紫砂" is also a
        // kind of clay; its teapots and pots are cut out as look-alikes.
        QStringLiteral("紫砂"), QStringLiteral("自鲨"), QStringLiteral("鲨了自己"),
        QStringLiteral("鲨掉自己"), QStringLiteral("鲨死自己"), QStringLiteral("把自己鲨了"),
        QStringLiteral("噶了自己"), QStringLiteral("把自己噶了"), QStringLiteral("嘎了自己"),
        QStringLiteral("把自己嘎了"), QStringLiteral("想zs"), QStringLiteral("去zs"),
        QStringLiteral("要zs"),
        // Nobody to bury one.
        QStringLiteral("给我收尸"), QStringLiteral("替我收尸"), QStringLiteral("为我收尸"),
        // English: if I were gone, nobody would notice; rest for ever; goodbye for good; cuts.
        QStringLiteral("ifiwasgone"), QStringLiteral("ifiweregone"),
        QStringLiteral("ifiwasnolongerhere"), QStringLiteral("ifiwerenolongerhere"),
        QStringLiteral("ifiwasnotaround"), QStringLiteral("ifiwasntaround"),
        QStringLiteral("ifiwasn'taround"), QStringLiteral("ifiwasn’taround"),
        QStringLiteral("wheni'mgone"), QStringLiteral("wheni’mgone"), QStringLiteral("whenimgone"),
        QStringLiteral("wheniamgone"), QStringLiteral("noonewouldnotice"),
        QStringLiteral("nobodywouldnotice"), QStringLiteral("noonewouldcare"),
        QStringLiteral("nobodywouldcare"), QStringLiteral("noonewouldmissme"),
        QStringLiteral("nobodywouldmissme"), QStringLiteral("noonewillmissme"),
        QStringLiteral("nobodywillmissme"), QStringLiteral("wanttosleepforever"),
        QStringLiteral("wanttorestforever"), QStringLiteral("neverwakeupagain"),
        QStringLiteral("goodbyeforever"), QStringLiteral("goodbyeforgood"),
        QStringLiteral("cutmywrist"), QStringLiteral("cutmyarm"), QStringLiteral("cuttingmyself"),
        QStringLiteral("slitmywrist")};
    return phrases;
}

// A family of wordings that a list of phrases cannot hold, because the words between the parts
// vary: one expression of alternatives, and the words of which every match holds at least one,
// so that a message holding none of them skips the expression.
struct Family
{
    QStringList anchors;
    QRegularExpression expression;
};

// Marks that keep the alternatives readable. "<gap>" is any character inside a clause (no full
// stop, comma or mark), "<any>" any character inside a sentence (commas too), "<end>" the end
// of a word group (what follows is no Chinese character, letter or digit). No mark reaches past
// "。！？" or the line's end, which is what lets concerns() read a sentence at a time. The word
// sets are those several wordings share: written once, they cannot drift apart. A mark may use
// the marks listed after it.
struct Mark
{
    QStringView mark;
    QStringView expression;
};

constexpr Mark Marks[] = {
    // How one might vanish: quietly, completely, for good.
    {u"<quietly>", u"(?:(?:就这样|就这么|就此|这样|这么|彻彻底底|彻底|永永远远|永远|悄无声息|"
                   u"悄悄|无声无息|默默|安安静静|静静|安静|干脆|直接|从此|赶紧|早点|马上|立刻|"
                   u"完全|一下子|干干净净|不留痕迹|不声不响|一声不吭)[地的]?)"},
    // Pills people look up or put aside.
    {u"<drug>", u"(?:安眠药|安定|药片|药丸|药|布洛芬|扑热息痛|止痛药|感冒药|降压药|胰岛素|"
                u"褪黑素|地西泮|阿普唑仑|艾司唑仑|唑吡坦)"},
    // Dying, as a search for "how many" puts it.
    {u"<dying>", u"(?:死(?![机磕心记缠])|致死|致命|没命|送命|丧命|睡过去|醒不过来|不会再?醒|"
                 u"一睡不醒)"},
    // Heights and rails people stand at.
    {u"<height>", u"(?:天台|楼顶|顶楼|屋顶|天桥|大桥|桥上|桥边|栏杆|护栏|悬崖|崖边|铁轨|高楼|"
                  u"窗台)"},
    {u"<blade>", u"(?:刀片|美工刀|小刀|剪刀|刀子|碎玻璃|玻璃片|圆规|剃须刀|修眉刀|刀)"},
    {u"<limb>", u"(?:手臂|小臂|胳膊|手腕|腕|大腿|手背|皮肤|身上|腿上)"},
    // The people at home.
    {u"<kin>", u"(?:家里人|一家人|家人|全家|家里|爸妈|父母|爸爸|妈妈|我爸|我妈|孩子|他们|你们|"
               u"大家)"},
    // A pet or a person left in someone's care.
    {u"<charge>", u"(?:猫咪|小猫|猫|狗狗|小狗|狗|仓鼠|鹦鹉|兔子|乌龟|宠物|孩子|儿子|我妈|我爸|"
                  u"爸妈|父母|妈妈|爸爸|奶奶|爷爷|外婆|外公|姥姥|妹妹|弟弟|家人|它们|它)"},
    // From now on, or once I am gone.
    {u"<henceforth>", u"(?:从今以后|从今往后|从此以后|从此|以后|今后|往后|余下的日子|"
                      u"剩下的日子|我走后|我走了以后|我不在了以后?)"},
    // If I were gone: a supposition and the self no longer here.
    {u"<gone>", u"(?:(?:要是|如果|假如|假设|哪天|有一天|某天|万一|就算|即使|哪怕)"
                u"<gap>{0,4}(?:我|自己)(?:真的?|哪天|某天|有一天|突然|就|已经|也)?(?:不在了|"
                u"没了|走了|死了|死掉了?|离开了?这个世界|离开了|消失了|不在这个世界上?了?|"
                u"不在人世了?|离开人世了?)|(?:我|自己)(?:不在了|没了|死了|死掉了)(?:以后|之后))"},
    // Never coming again.
    {u"<never>", u"(?:(?:以后|今后|往后|从此|再也|永远)我?(?:也|都|就)?(?:不会|不再|不能|没法|"
                 u"没机会|不)再?(?:来打扰你们?|来找你们?|来|回来|出现|打扰你们?|找你们?|跟你聊|"
                 u"和你聊|联系你们?)(?:了|啦|啊)?(?![\\p{Han}]))"},
    // A character of the clause that is neither the user nor a wish: what may lie inside a
    // look-alike.
    {u"<aside>", u"[^，。！？；,.!?;\\n我想]"},
    {u"<gap>", u"[^，。！？；,.!?;\\n]"},
    {u"<any>", u"[^。！？\\n]"},
    {u"<end>", u"(?![\\p{Han}a-z0-9])"},
};

// The alternatives as one expression, its marks written out.
QRegularExpression joined(const QStringList &alternatives)
{
    QString pattern = alternatives.join(u'|');
    for (const Mark &mark : Marks)
        pattern.replace(mark.mark.data(), mark.mark.size(), mark.expression.data(),
                        mark.expression.size());
    return QRegularExpression(pattern);
}

Family family(const QStringList &anchors, const QStringList &alternatives)
{
    return {anchors, joined(alternatives)};
}

const std::vector<Family> &families()
{
    static const std::vector<Family> all = {
        // Life itself called pointless, unbearable or a waste: "活着没意思", "活着好累",
        // "活着就是浪费空气", "找不到活下去的理由", "为什么还要活着".
        family({QStringLiteral("活着"), QStringLiteral("活下去"), QStringLiteral("继续活"),
                QStringLiteral("活腻")},
               {QStringLiteral("活着(真的?|好|太|很|都)?(没|没有|没什么|有什么|还有什么)"
                               "(意思|意义|用|盼头)"),
                QStringLiteral("活着(真的?|好|太|很)(累|难|痛苦|辛苦|煎熬)"),
                QStringLiteral("活着(干嘛|干什么|干啥|为了什么)"),
                QStringLiteral("活着(就是|只是|只会|也是|纯粹是|简直是|都是)?在?"
                               "(浪费|拖累|连累|受罪|受折磨|折磨|煎熬|多余|给人添麻烦|"
                               "给别人添麻烦|添麻烦)"),
                QStringLiteral("(没有|没|找不到|不知道|看不到|失去了?)(什么)?(活下去|活着|"
                               "继续活)的(理由|意义|动力|勇气|希望|必要|意思)"),
                QStringLiteral("(没有|没|失去了?)(勇气|力气|动力|理由|意义|希望)再?(继续)?"
                               "活(下去|着)"),
                QStringLiteral("(为什么|为啥|何必)还?要?(继续)?活(着|下去)"),
                QStringLiteral("(我|真|早就?|已经)活腻")}),
        // Wanting it all to end: "让这一切结束吧", "结束这一切", "一切都该结束了",
        // "我的人生到此为止", "死了就解脱了".
        family({QStringLiteral("一切"), QStringLiteral("人生"), QStringLiteral("生命"),
                QStringLiteral("一生"), QStringLiteral("辈子"), QStringLiteral("此生"),
                QStringLiteral("解脱"), QStringLiteral("结束")},
               {QStringLiteral("(这|所有)?一切(都|就|全|也)?(该|可以|能|快点?|早点|赶紧|就此)?"
                               "(这样|这么)?(结束|了结|终结)掉?(吧|算了|就好了?|了就好了?|"
                               "了吧|该多好|多好)"),
                QStringLiteral("(想|要|让|希望|好想|只想|真想|就让|把|该|是时候)(这|所有)?"
                               "一切(都|就|全)?(能|可以)?(快点?|早点|赶紧|就此)?(这样|这么)?"
                               "(结束|了结|终结)"),
                QStringLiteral("(结束|了结|终结)掉?(这|这一|所有的?|全部的?)?一切"),
                QStringLiteral("一切(都|也)?该(结束|了结)了"),
                QStringLiteral("(给|为)(这|我的?)?(一切|人生|生命|一生|这辈子)画(上|个)?句号"),
                QStringLiteral("(人生|生命|一生|这辈子|这一生|此生)(就|也)?(到此为止|到这里|"
                               "到这儿|到头了|走到了?尽头|就这样结束|该结束|结束吧|可以结束)"),
                QStringLiteral("死(了|掉)?(就|才|也)?(是|算|能|可以|会)?(一种)?(彻底)?解脱"),
                QStringLiteral("(想|好想|只想|真想|求|渴望)(早点|赶紧|彻底|永远)?(得到)?解脱"),
                QStringLiteral("(累|痛苦|难受)[^。！？\\n]{0,6}(想|只想|好想)(就这样)?结束"
                               "(了|吧)?<end>")}),
        // Wanting it over, in words without "一切": fed up and wanting it to stop,
        // "受够了，只想让它
        // 快点结束".
        family({QStringLiteral("受够"), QStringLiteral("忍够"), QStringLiteral("熬够"),
                QStringLiteral("厌倦"), QStringLiteral("厌烦"), QStringLiteral("烦透"),
                QStringLiteral("累透"), QStringLiteral("真的够"), QStringLiteral("已经够"),
                QStringLiteral("让它"), QStringLiteral("让这"), QStringLiteral("让所有"),
                QStringLiteral("让全")},
               {QStringLiteral("(受够|忍够|熬够|厌倦|厌烦|烦透|累透|真的够|已经够)"
                               "了?<any>{0,12}(想|只想|好想|真想|就想|希望|但愿|让|就让|"
                               "求求你?让)(它|这些|这种日子|这样的日子|这种生活|这样的生活|"
                               "所有的?事?|全部|这一?切)?(都|就|全|赶紧|快点?|早点|彻底|就此|"
                               "马上|就这样|这样)*(结束|到头|了结|终结|停下来|停止|停掉)(?!这段|"
                               "这份|这个|这场|关系|感情|恋爱|婚姻|合作|工作|项目|会议|比赛|"
                               "游戏|合同|实习|课)"),
                QStringLiteral("(只想|好想|真想|就想|多想)让(它|这些|这种日子|这样的日子|"
                               "这种生活|这样的生活|所有的?事?|全部)(都|就|全)?(赶紧|快点?|早点|"
                               "彻底|就此|马上)?(结束|停下来|停止|到头)(吧|了|啊)?<end>")}),
        // Asking when it will ever end: "这种日子到底什么时候是个头", "还要熬多久".
        family({QStringLiteral("什么时候"), QStringLiteral("何时"), QStringLiteral("哪天"),
                QStringLiteral("多久")},
               {QStringLiteral("(日子|人生|生活|痛苦|折磨|煎熬|活着|这辈子|一辈子|苦日子)"
                               "<gap>{0,6}(到底|究竟)?(什么时候|何时|哪天)(才|才能|能|才会|会|"
                               "是|才是|才算|算)*(个头|到头|个?尽头|结束|了结|解脱|完)"),
                QStringLiteral("(日子|人生|生活|痛苦|折磨|煎熬|活着|这辈子|一辈子|苦日子)"
                               "<any>{0,8}(什么时候|何时|哪天)(才|才能|能|才会|会|是|才是|才算|"
                               "算)*(个头|到头|个?尽头|解脱)"),
                QStringLiteral("(什么时候|何时|哪天)(才|才能|能)?熬(到头|出个头)(?!了)"),
                QStringLiteral("(要|还要|还得|得|到底要)(熬|撑|忍)到(什么时候|哪天|何时)"),
                QStringLiteral("(累|苦|痛|难受|熬|撑)<any>{0,10}(什么时候|何时|哪天)(才|才能|"
                               "能)?(是|算)?(个头|到头|个?尽头|解脱)"),
                QStringLiteral("(这种日子|这样的日子|这种痛苦|这种生活|这样的生活|这样活着|"
                               "这种折磨|日子)<gap>{0,4}(还要|还得|到底要|要)(熬|撑|忍|过|受)"
                               "(多久|到什么时候)")}),
        // Everything stopping at once, time standing still: "要是所有事都能一下子停下来就好了",
        // "真希望时间停住，再也不用面对明天".
        family({QStringLiteral("停"), QStringLiteral("静止"), QStringLiteral("冻结")},
               {QStringLiteral("(希望|但愿|要是|如果|只想|好想|真想|想|让|多想)"
                               "<gap>{0,6}(所有的?(事情?|东西|痛苦)?|全部|什么|世界|这?一切)(都|"
                               "全|全都|统统|就)?(能|可以|会)?(一下子|一下|马上|立刻|瞬间|突然|"
                               "一起|就此|彻底|全部|永远)*(停下来|停止|停住|停掉|停下|停了|静止|"
                               "暂停)"),
                QStringLiteral("(时间|时光|时钟|世界)<gap>{0,4}(停|静止|冻结|暂停)"
                               "<any>{0,12}(不用|不必|再也不|不会再|就不用|永远不用|就不必)"
                               "再?去?(面对|醒|起床|过明天|迎来明天)")}),
        // No strength to face another day: "没有勇气再面对明天了", "明天永远不要来".
        family({QStringLiteral("面对"), QStringLiteral("明天")},
               {QStringLiteral("(不想|不愿|不愿意|没勇气|没有勇气|没力气|没有力气|再也不想)"
                               "再?去?面对(明天|新的一天|每一天|以后的日子|往后的日子|这个世界|"
                               "这世界|任何人|所有人|生活|人生|这样的生活|这样的人生)(了|啦)?"
                               "<end>"),
                QStringLiteral("明天就?(永远|再也)(不要|别|不会)再?(来|到来)")}),
        // "I want it all to end."
        family({QStringLiteral("want"), QStringLiteral("wish"), QStringLiteral("need")},
               {QStringLiteral("(want|wish|need)(for)?(it|this|everything|itall|allofit|thepain)"
                               "(all)?(to|would|could)(just)?(all)?(end|beover|stop|finish)"
                               "(?![a-z])")}),
        // A full stop drawn under one's life: "给我这失败的人生画上一个句号".
        family({QStringLiteral("句号")},
               {QStringLiteral("(一切|人生|生命|一生|辈子|此生)<any>{0,12}画(上|下)?了?(一个|"
                               "个)?句号"),
                QStringLiteral("(给|为)(我的?|自己的?)?这?([二三四五六七八九]十|\\d\\d)"
                               "[几多来]?年(的人生|的生命|的日子)?画(上|下)?了?(一个|个)?句号"),
                QStringLiteral("(给|为|替)我?自己(亲手)?画(上|下)?了?(一个|个)?句号")}),
        // Not waking up: "睡着了就别醒", "不想再醒来", "希望明天不会醒",
        // "要是能一直睡下去就好了".
        family({QStringLiteral("醒"), QStringLiteral("睁开"), QStringLiteral("睁眼"),
                QStringLiteral("长眠"), QStringLiteral("睡下去"), QStringLiteral("睡过去"),
                QStringLiteral("睡着")},
               {QStringLiteral("(不想|不愿|不要|别|不再|再也不想?|永远不想?|最好别|最好不要|"
                               "不用再|千万别)再?(醒|睁开眼|睁眼|睁开)(?![目悟酒着])"),
                QStringLiteral("(希望|但愿|真希望|要是|如果|最好)<gap>{0,8}(不会|不再|再也不|"
                               "不用|别|不要)再?(醒|睁开眼)"),
                QStringLiteral("醒不(来|过来)(就好了?|多好|该多好|也好|算了)"),
                QStringLiteral("不会再?醒(来|过来)?(就好了?|多好|该多好|最好)"),
                QStringLiteral("睡(着了?|下去|过去)<gap>{0,3}就?(不|别|不要|再也不)再?醒"),
                QStringLiteral("(永远|一直|就这样|就此)地?睡(下去|着|过去)(就好了?|多好|"
                               "该多好|算了|吧|不醒)"),
                QStringLiteral("(想|好想|只想|让我|就此)长眠")}),
        // Disappearing, or wishing never to have been: "想从这个世界消失", "消失了就好了",
        // "希望自己不存在", "我不该出生".
        family(
            {QStringLiteral("消失"), QStringLiteral("蒸发"), QStringLiteral("不存在"),
             QStringLiteral("存在过"), QStringLiteral("出生"), QStringLiteral("生下"),
             QStringLiteral("生出"), QStringLiteral("生我"), QStringLiteral("来到这"),
             QStringLiteral("来到世"), QStringLiteral("来到人"), QStringLiteral("来过这"),
             QStringLiteral("没有我"), QStringLiteral("没我")},
            {QStringLiteral("(想|希望|宁愿|宁可|恨不得|巴不得|但愿|只盼|真想|好想|只想|多想)"
                            "让?(自己|我)?(能|可以|就)?(就这样|就此|这样|彻底|永远|悄悄|默默|"
                            "静静|安静|干脆|直接|从此|赶紧|早点|马上|立刻)?地?(消失|人间蒸发|"
                            "不存在)"),
             QStringLiteral("(想|希望|宁愿|恨不得|巴不得|但愿|真想|好想|只想|多想|让)让?(自己|我)"
                            "(能|可以|就)?([^，。！？,.!?的]{1,5}地)?(消失|人间蒸发|不存在)"),
             QStringLiteral("(我|自己)(要是|如果|假如)?(能|可以|就|就这样|彻底|永远|悄悄|"
                            "默默)*地?(消失|不存在|人间蒸发)了?(的话)?(就好了?|多好|该多好|"
                            "最好|算了|也好)"),
             QStringLiteral("(?:^|(?<=[，。！？,.!?…~～]))(要是|如果|假如|真希望|希望|干脆)?"
                            "(能|就)?(就这样)?(消失|不存在)了?(就好了?|多好|该多好|最好|算了)"),
             QStringLiteral("(想|要|我|让我|让自己|希望自己|宁愿)(能|就|可以|真的?|好)?"
                            "(就这样|彻底|永远|悄悄|默默|安静)?地?从(这个|这|整个)?(世界|世上|"
                            "世间|人间|地球)(上|里|中)?[^。！？\\n]{0,4}(消失|蒸发)"),
             QStringLiteral("从(这个|这)?(世界|世上|世间|人间)(上|里|中)?(彻底|永远|悄悄|"
                            "默默)?地?消失掉?(就好了?|多好|该多好|算了|吧)"),
             QStringLiteral("(然后|干脆|直接|就此)(彻底|永远)地?消失(?!了)"),
             QStringLiteral("(不该|不应该|不应|本不该|根本不该|就不该|本来就不该|本来就不应该|"
                            "何必)被?(出生|生下来|生出来|来到(这个|这)?(世界|世上|人间))"),
             QStringLiteral("(我|自己)(要是|如果|假如)?(从来|从|根本|压根)?就?(没|没有|"
                            "不曾|未曾)被?(出生|生下来|生出来|来过这个世界|来到这个世界|"
                            "存在过)过?(就好了?|多好|该多好|最好)"),
             QStringLiteral("(从来|从|根本|压根)就?(没|没有|不曾|未曾)存在过"),
             QStringLiteral("没有?来过这个世界"),
             QStringLiteral("(为什么|为啥|干嘛|何必)要?(把我生(下来|出来)|生(下|出)?我)"),
             QStringLiteral("(没有|没)我(这个人)?(就好了?|多好|该多好|最好)")}),
        // Vanishing for good: "真想就这样彻底消失", "我消失得无影无踪才好",
        // "要是能从大家的生活里消失就好了".
        family({QStringLiteral("消失"), QStringLiteral("蒸发")},
               {QStringLiteral("(想|想要|我要|希望|宁愿|宁可|恨不得|巴不得|但愿|真想|好想|只想|"
                               "多想)让?(自己|我)?(能|可以|就|也)?<quietly>{1,3}(消失|人间蒸发|"
                               "蒸发)"),
                QStringLiteral("(我|自己)(要是|如果|假如)?(就|能|会|想|要|可以|真想|好想)?"
                               "<quietly>{0,3}(消失|蒸发)(得|的)(无影无踪|干干净净|干净|彻底|"
                               "彻彻底底|一干二净|无声无息|悄无声息|不留痕迹|什么都不剩)"),
                QStringLiteral("(我|自己)(就|能|会|想|要|可以)?<quietly>{1,3}(消失|蒸发)(掉|了|"
                               "吧|算了)?(<end>|就好|多好|该多好)"),
                QStringLiteral("(要是|如果|假如|真希望|希望|干脆)(我|自己)?(能|可以|就)?"
                               "<quietly>{1,3}(消失|蒸发)(掉|了)?(的话)?(就好了?|多好|该多好|"
                               "最好|算了)"),
                QStringLiteral("(想|希望|要是|如果|真想|好想|只想|宁愿)(我|自己)?(能|可以|就)?"
                               "<quietly>{0,3}从<gap>{0,8}(生活|世界|世上|人间|视线|记忆)(里|中|"
                               "上)?<quietly>{0,2}(消失|蒸发)"),
                QStringLiteral("(就这样|就此)(彻底|永远|悄悄|默默)?地?消失(吧|算了)<end>")}),
        // Leaving no trace: "抹掉我在这世上存在过的所有痕迹", "什么都不留下地离开".
        family({QStringLiteral("痕迹"), QStringLiteral("证据"), QStringLiteral("印记"),
                QStringLiteral("记录"), QStringLiteral("证明"), QStringLiteral("不留"),
                QStringLiteral("不剩"), QStringLiteral("不会留"), QStringLiteral("不会剩")},
               {QStringLiteral("(抹|擦|删|清|销毁|消除|烧|扔|去掉|不留)<any>{0,10}(我|自己)"
                               "<gap>{0,6}(存在|活)过的?<gap>{0,4}(痕迹|证据|印记|记录|证明)"),
                QStringLiteral("(我|自己)<gap>{0,6}(存在|活)过的?<gap>{0,4}(痕迹|证据|印记|记录|"
                               "证明)<any>{0,10}(抹|擦|删|清|销毁|消除|烧|扔|去掉|不留|不剩|"
                               "都没有|消失)"),
                QStringLiteral("(不想|不要|别)留下?(任何|一点|一丝|半点)?痕迹<any>{0,6}(消失|"
                               "离开|走)(了|吧|算了)?<end>"),
                QStringLiteral("(想|希望|要|好想|真想|只想|宁愿|就这样|让我)"
                               "<gap>{0,3}(什么都不留|什么也不留|不留下?(任何|一点|一丝|半点)?"
                               "(痕迹|东西))下?[地的]?(消失|离开(这个世界|人世|人间)?|走掉?|"
                               "死去?)(了|吧|算了)?<end>"),
                QStringLiteral("(我|自己)<gap>{0,4}(消失|离开这个世界|离开人世|死后|死了以后|"
                               "死掉以后)(了|掉)?(以后|之后|的时候)?<any>{0,4}(什么都|什么也|"
                               "一点|一丝|任何)(痕迹|东西)?(都|也)?不会?(留|剩)")}),
        // Being a burden or superfluous: "我是多余的", "拖累大家", "只会成为别人的负担",
        // "没有我他们会过得更好", "我的存在就是个错误".
        family(
            {QStringLiteral("多余"),       QStringLiteral("拖累"),     QStringLiteral("累赘"),
             QStringLiteral("负担"),       QStringLiteral("包袱"),     QStringLiteral("拖油瓶"),
             QStringLiteral("个错误"),     QStringLiteral("我的存在"), QStringLiteral("我存在"),
             QStringLiteral("自己的存在"), QStringLiteral("自己存在"), QStringLiteral("我的出生"),
             QStringLiteral("我出生"),     QStringLiteral("没有我"),   QStringLiteral("没有了我"),
             QStringLiteral("没了我"),     QStringLiteral("少了我"),   QStringLiteral("我不在"),
             QStringLiteral("我走了"),     QStringLiteral("我死了"),   QStringLiteral("我离开"),
             QStringLiteral("我消失")},
            {QStringLiteral("(我|自己)(这个人|的存在)?(在这个?(世界|世上|家|家里)(上|里)?|"
                            "就|真的?|好像|根本|本来就|一直|只是|就是|其实|确实|始终)*"
                            "(是|是不是|很|好|太|有点|挺|显得|都|那么|这么|完全)?(个|一个)?"
                            "(很|好|太)?多余(的人|的存在|的那个人?|的那一个|的|了)?(吧|啊|呀|吗|"
                            "啦|呢)?<end>"),
             QStringLiteral("拖累了?(大家|家人|家里|全家|父母|爸妈|爸爸|妈妈|你们|所有人|"
                            "身边的人|身边人|孩子|老婆|老公)"),
             QStringLiteral("(我|只会|总是|一直|不想|不愿|不要|别|再也不想|怕)<gap>{0,4}"
                            "拖累了?(你|他们|别人|朋友)"),
             QStringLiteral("我(就|只|真的?|已经|现在|一直|始终|不过|只不过|觉得自己|"
                            "感觉自己|好像|简直|根本)*(是|成了|成为|变成|当)了?(大家|家里|"
                            "家人|你们|所有人|别人|他们|父母|爸妈|全家|家里人|身边人|身边的人|"
                            "你)?的?(一个|个)?(累赘|负担|拖累|包袱|拖油瓶)"),
             QStringLiteral("(只会|只能|不想再?|不愿再?|不要再?|不想一直|总是)(是|成为|当|做)"
                            "(大家|家里|家人|你们|所有人|别人|他们|父母|爸妈|全家|家里人|"
                            "身边人|身边的人|你)?的?(一个|个)?(累赘|负担|拖累|包袱|拖油瓶)"),
             QStringLiteral("(没有我|没了我|少了我|没有了我|我不在了?|我走了|我死了|我离开了?|"
                            "我消失了?)(以后|之后|的话)?[，,]?(大家|他们|你们|家人|爸妈|父母|"
                            "家里|全家|世界|所有人|一切|别人|你)?(都|就|会|也|反而|肯定|一定|"
                            "才|能|可以|应该)*(过得|活得)?(更加|更|还|很|一样)?(好过|好|轻松|开心|"
                            "幸福|自在|省心|清净|清静|解脱)(了|些|点|一些|一点|的)?"
                            "(吧|啊|呀|呢)?<end>"),
             QStringLiteral("(我|自己)的?(存在|出生)(本身)?(就|本来就|根本就|只)?是(个|一个)?"
                            "(错误|多余|负担|累赘|麻烦|灾难)"),
             QStringLiteral("我(这个人)?(本身|本来|根本|从头到尾)?就?是(个|一个)错误")}),
        // A burden on the family, in its own words: "我活着只会给家里添麻烦".
        family({QStringLiteral("添麻烦"), QStringLiteral("添乱"), QStringLiteral("负担"),
                QStringLiteral("受累"), QStringLiteral("受苦"), QStringLiteral("丢脸"),
                QStringLiteral("蒙羞"), QStringLiteral("为难"), QStringLiteral("操心"),
                QStringLiteral("担心"), QStringLiteral("失望"), QStringLiteral("背债"),
                QStringLiteral("还债"), QStringLiteral("花钱")},
               {QStringLiteral("(我|自己)(的存在|这个人|活着|在这个?家里?|在家里)?(好像|真的?|"
                               "其实|根本)?(只会|就只会|只是在|就是在|只)(给|让|害|害得)"
                               "<kin>(添麻烦|添乱|增加负担|加重负担|受累|受苦|丢脸|蒙羞|为难|"
                               "操心|担心|失望|背债|还债|花钱)"),
                QStringLiteral("活着(就是|只是|只会|也是|纯粹是|简直是|都是)?在?(给|让|害)"
                               "(<kin>|别人|人)(添麻烦|添乱|增加负担|受累|受苦|丢脸|操心|为难)")}),
        // The family relieved without one: "我走了他们就不用再为我操心了".
        family({QStringLiteral("没有我"), QStringLiteral("没了我"), QStringLiteral("少了我"),
                QStringLiteral("没有了我"), QStringLiteral("我不在"), QStringLiteral("我走了"),
                QStringLiteral("我死了"), QStringLiteral("我离开"), QStringLiteral("我消失")},
               {QStringLiteral("(没有我|没了我|少了我|没有了我|我不在了?|我走了|我死了|"
                               "我离开了?|我消失了?)(以后|之后|的话)?[，,]?<kin>?(也|都|就|会|"
                               "反倒|反而|倒是|也许|或许|大概|说不定|终于|能|可以|应该|肯定|"
                               "一定|才)*(松一口气|松口气|如释重负|解脱了|轻松(多了|很多|不少|"
                               "了)|少了?一?个(负担|麻烦|累赘|包袱)|不用(再为我|为我|再)(操心|"
                               "担心|烦)|不用再?(为我)?(受累|辛苦|花钱|吵架|发愁|为难))")}),
        // Wishing one's parents had never had one: "真希望爸妈当初没生我".
        family({QStringLiteral("生我"), QStringLiteral("生下"), QStringLiteral("生出"),
                QStringLiteral("生了我")},
               {QStringLiteral("(希望|但愿|真希望|要是|如果|宁愿|巴不得|当初)<any>{0,8}(没|没有|"
                               "不|别|不要|从没|从来没)被?(把我)?生(下|出)?(我|下来|出来)"
                               "(?!的?气)"),
                QStringLiteral("(不该|不应该|本不该|根本不该|何必|后悔)(把我)?生(下|出|了)?"
                               "我(?!的?气)")}),
        // Nobody would care: "我死了也没人在乎", "没人会发现我不在了", "少我一个也没什么".
        family({QStringLiteral("没人"), QStringLiteral("没谁"), QStringLiteral("没有人"),
                QStringLiteral("没有谁"), QStringLiteral("没有一个"), QStringLiteral("不会有人"),
                QStringLiteral("不会有谁"), QStringLiteral("不会有一个"), QStringLiteral("少我"),
                QStringLiteral("少了我"), QStringLiteral("没我"), QStringLiteral("没了我"),
                QStringLiteral("没有我"), QStringLiteral("没有了我"), QStringLiteral("我死了"),
                QStringLiteral("我不在了"), QStringLiteral("我走了"), QStringLiteral("我消失")},
               {QStringLiteral("(我|自己)(真的?|哪天|明天|某天|有一天|突然)?(死了|死掉了?|"
                               "死在<gap>{1,8}|不在了|消失了?<gap>{0,6}|走了|没了)[，,]?"
                               "(以后|之后)?[，,]?(估计|大概|恐怕|可能|应该)?(也|都)(没|没有|"
                               "不会有)(人|谁|一个人)"),
                QStringLiteral("(没|没有|不会有)(人|谁|一个人)会?(发现|知道|注意到|在乎|在意|"
                               "关心|难过|伤心|想念|记得|管|发觉|察觉|找)到?我?(已经)?(不在了|"
                               "死了|消失了|没了|走了)"),
                QStringLiteral("少了?我一个人?(也|又|都)?(不少|没什么|无所谓|没关系|没区别|没差|"
                               "没人)"),
                QStringLiteral("(世界|世上)上?(少了?|没了?|没有了?)我(一个)?[，,]?(也|又|照样|"
                               "照常|根本|都|一样|还是|依然|不会)"),
                QStringLiteral("(我死了|我不在了|我走了|我消失了?)(以后|之后)?[^。！？\\n]{0,10}"
                               "被[^。！？\\n]{0,4}(忘掉|忘记|遗忘|忘了)")}),
        // If I were gone, nobody would notice and nothing would change:
        // "要是哪天我不在了，大概没人会发现", "我走了，世界也照样转".
        family({QStringLiteral("不在了"), QStringLiteral("没了"), QStringLiteral("走了"),
                QStringLiteral("死了"), QStringLiteral("死掉"), QStringLiteral("离开了"),
                QStringLiteral("离开这个世界"), QStringLiteral("消失了"),
                QStringLiteral("不在这个世界"), QStringLiteral("不在人世"),
                QStringLiteral("离开人世")},
               {QStringLiteral("<gone><any>{0,12}(没有?人|没谁|不会有(人|谁)|有谁|谁(会|还会|"
                               "又会|能|还能))会?(为我|替我|给我)?<gap>{0,4}(发现|知道|注意|"
                               "在乎|在意|哭|难过|伤心|想我|想念|记得|想起|掉眼泪|掉一滴眼泪|"
                               "流泪|察觉|发觉|关心|收尸|怀念|问起|提起)"),
                QStringLiteral("<gone><any>{0,12}(世界|地球|太阳|生活|日子|大家|所有人|他们|"
                               "你们|一切|别人|身边的人|家里|这个家)<gap>{0,3}(也|都|还|还是|"
                               "仍然|依然|依旧)?会?(照样|照常|照旧|一样|依旧|依然|继续)"
                               "<gap>{0,3}(转|运转|过|继续|生活|升起|热闹|开心|上班|上学|过日子|"
                               "吃饭|进行|正常)"),
                QStringLiteral("<gone><any>{0,12}(什么|一切)都不会(改变|变|有变化|有什么不同)"),
                QStringLiteral("<gone><any>{0,12}(也|都)?(没|没有|不会有)(什么|任何)?(区别|变化|"
                               "影响|差别|两样|不同)")}),
        // Nobody to weep: "谁会为我哭".
        family({QStringLiteral("为我"), QStringLiteral("替我")},
               {QStringLiteral("(没有?人|不会有人|谁)会?(为我|替我)(哭|掉(一滴)?眼泪|流(一滴)?"
                               "泪|难过|伤心)")}),
        // Putting the means aside: pills saved up or swallowed at once, charcoal and a sealed
        // room, a rope, a blade kept hidden, a drop.
        family(
            {QStringLiteral("药"), QStringLiteral("安定"), QStringLiteral("炭"),
             QStringLiteral("碳"), QStringLiteral("绳"), QStringLiteral("刀片"),
             QStringLiteral("往下跳"), QStringLiteral("跳下去"), QStringLiteral("车撞"),
             QStringLiteral("车碾"), QStringLiteral("车轧"), QStringLiteral("撞死")},
            {QStringLiteral("(攒|偷偷存|偷偷买|偷偷藏|偷偷攒|偷偷开|藏(了|着|好了|起了?))"
                            "(了|着|下|够)?了?(好多|很多|一堆|一大堆|不少|一些|些|够|足够|大量|"
                            "好几|一整|几|一)?(瓶|盒|板|片|颗|粒|包|袋|把)?的?(安眠药|安定|助眠药|"
                            "药|药片|药丸|农药|老鼠药|木炭|炭|刀片)"),
             QStringLiteral("(安眠药|安定|药片|药|炭|刀片|绳子)<gap>{0,4}攒(好|够|齐|了)"),
             QStringLiteral("(安眠药|安定)<gap>{0,4}(买|攒|开|凑)够"),
             QStringLiteral("攒(够|齐)了?的?(安眠药|药|药片|炭)"),
             QStringLiteral("(吞|(一次|一口气|一下子)吃)(了|下|掉|光)?了?(一整瓶|整瓶|一瓶|"
                            "好几瓶|几十片|几十颗|一整板|整板|一整盒|整盒)的?(安眠药|安定|药|"
                            "药片|药丸)"),
             QStringLiteral("吃(了|下|掉|光)?了?(一整瓶|整瓶|一瓶|好几瓶|几十片|几十颗|一整板|"
                            "整板|一整盒|整盒)的?(安眠药|安定)"),
             QStringLiteral("吞(了|下)?(一把|一大把|一堆|所有的?|全部的?)的?(安眠药|药|药片|"
                            "药丸)"),
             QStringLiteral("把(所有的?|全部的?|攒的|攒下的|存的|一整瓶的?|整瓶的?|一整板的?|"
                            "整板的?|一整盒的?|整盒的?)(安眠药|安定|药|药片)(全|全部|都|一次|"
                            "一口气|一下子)*(吃|吞|喝)(了|掉|光|下去|下)"),
             QStringLiteral("把(安眠药|药|药片)(一次|一口气|一下子)(全|都)?(吃|吞)"),
             QStringLiteral("过量的?(安眠药|安定)"),
             QStringLiteral("[炭碳][^。！？\\n]{0,12}(胶带|封死|封住|封好|封上|密封|门缝|窗缝)"),
             QStringLiteral("(胶带|封死|封住|封好|封上|密封|门缝|窗缝)[^。！？\\n]{0,12}[炭碳]"),
             QStringLiteral("绳(子|索)?<gap>{0,8}(挂|套|系|绑|拴)(在|到|上|好|住)?<gap>{0,4}"
                            "(脖子|房梁|梁上|横梁|吊扇|门框|暖气管|窗框)"),
             QStringLiteral("(脖子|颈)<gap>{0,4}(套|勒|缠)(上|住|着)?<gap>{0,4}绳"),
             QStringLiteral("准备好了?一?(根|条)?<gap>{0,3}绳(子|索)"),
             QStringLiteral("绳(子|索)(都|也|我|已经)*(准备好|挂好|系好)"),
             QStringLiteral("(想|好想|真想|干脆)(往下跳|跳下去)"),
             QStringLiteral("(想|希望|干脆)被?(车|卡车|汽车|火车)(撞|碾|轧)"),
             QStringLiteral("撞死我?算了")}),
        // Looking up the means: "查了吃多少片安眠药才会死", "安眠药的致死量",
        // "怎么死才不痛".
        family({QStringLiteral("多少"), QStringLiteral("几片"), QStringLiteral("几颗"),
                QStringLiteral("几粒"), QStringLiteral("几瓶"), QStringLiteral("几盒"),
                QStringLiteral("几板"), QStringLiteral("几克"), QStringLiteral("几毫克"),
                QStringLiteral("几mg"), QStringLiteral("致死")},
               {QStringLiteral("(吃|吞|服|喝)(多少|几)(片|颗|粒|瓶|盒|板|克|毫克|mg)?"
                               "的?<drug>?<gap>{0,4}(才|就|会|能|可以|可能)+<dying>"),
                QStringLiteral("<drug><gap>{0,4}(吃|吞|服|喝)(多少|几)(片|颗|粒|瓶|盒|板)?"
                               "<gap>{0,4}(才|就|会|能|可以)+<dying>"),
                QStringLiteral("(多少|几)(片|颗|粒|瓶|盒|板)的?<drug><gap>{0,4}(才|就|会|能|"
                               "可以)+<dying>"),
                QStringLiteral("<drug><gap>{0,4}致死(量|剂量)|致死(量|剂量)的?<drug>")}),
        family({QStringLiteral("么死"), QStringLiteral("样死"), QStringLiteral("何死"),
                QStringLiteral("法死"), QStringLiteral("式死"), QStringLiteral("能死"),
                QStringLiteral("以死"), QStringLiteral("么自杀"), QStringLiteral("样自杀"),
                QStringLiteral("何自杀"), QStringLiteral("结束自己"),
                QStringLiteral("离开这个世界"), QStringLiteral("死法"), QStringLiteral("死亡方式"),
                QStringLiteral("死亡方法"), QStringLiteral("自杀方"), QStringLiteral("离开方式")},
               {QStringLiteral("(查|搜|搜索|百度|问|研究|看)(了|过)?<gap>{0,6}(怎么|怎样|如何|"
                               "哪种方法|什么方法|哪种方式|什么方式)(才能|可以|能)?(死|自杀|"
                               "结束生命|结束自己)(?![机磕心记缠的了])"),
                QStringLiteral("(怎么|怎样|如何|哪种方法|什么方法|哪种方式)(才能)?(死|自杀|"
                               "结束自己|离开这个世界)(得|才|会)?<gap>{0,2}(不痛|没有痛苦|不疼|"
                               "最快|快一点|快点|干脆|痛快|安静|体面|舒服|不难受|不会痛|"
                               "不那么痛)"),
                QStringLiteral("(无痛|不痛苦|没有痛苦|不疼|最快|最不痛苦|最轻松|最体面|最干脆|"
                               "最安静)的?(死法|死亡方式|自杀方法|自杀方式|离开方式|死亡方法|"
                               "方法死|方式死)")}),
        // Standing at the edge: "在天台边上站了很久，差一点就……", "一只脚已经跨过了桥上的栏杆".
        family({QStringLiteral("天台"), QStringLiteral("楼顶"), QStringLiteral("顶楼"),
                QStringLiteral("屋顶"), QStringLiteral("天桥"), QStringLiteral("大桥"),
                QStringLiteral("桥上"), QStringLiteral("桥边"), QStringLiteral("栏杆"),
                QStringLiteral("护栏"), QStringLiteral("悬崖"), QStringLiteral("崖边"),
                QStringLiteral("铁轨"), QStringLiteral("高楼"), QStringLiteral("窗台")},
               {QStringLiteral("<height><any>{0,12}(差点|差一点|险些|就差|几乎)儿?就?(跳|下去|"
                               "迈出去|跨出去|翻过去|翻出去|松手|…|\\.\\.\\.|。|$)"),
                QStringLiteral("<height>的?(边上|边缘|边|上|外|旁)?<any>{0,6}(站|坐|待|蹲|徘徊|"
                               "犹豫|发呆|往下看|往下望)(了|着)<gap>{0,4}(很久|好久|半天|"
                               "一个多?小时|好几个小时|几个小时|整晚|一晚上?|一整夜|一夜|"
                               "很长时间|好一会儿?|半个小时|好长时间|一下午|一整天|很长一段时间|"
                               "好几次)"),
                QStringLiteral("(站|坐|待|蹲)在<any>{0,6}<height><gap>{0,6}(很久|好久|半天|"
                               "一个多?小时|好几个小时|几个小时|整晚|一晚上?|一整夜|一夜|"
                               "很长时间|好一会儿?|半个小时|好长时间|一下午|一整天|很长一段时间|"
                               "好几次)"),
                QStringLiteral("<height><any>{0,10}(一只脚|腿|脚)<gap>{0,4}(跨|迈|伸|翻)(出|过)"),
                QStringLiteral("(一只脚|腿|脚)<gap>{0,4}(跨|迈|伸|翻)(出|过)"
                               "了?<any>{0,6}<height>")}),
        // Too tired to go on: "真的撑不住了", "不想再坚持了", "没有力气再继续了".
        family({QStringLiteral("坚持"), QStringLiteral("撑"), QStringLiteral("扛"),
                QStringLiteral("熬"), QStringLiteral("挺不"), QStringLiteral("继续"),
                QStringLiteral("走下去"), QStringLiteral("努力下去"), QStringLiteral("过不下去")},
               {QStringLiteral("(坚持|撑|扛|熬|挺)不(下去|住|动)"),
                QStringLiteral(
                    "(不想|不愿|没力气|没有力气|没法|无法|再也没法|再也不想|没有勇气|没勇气)"
                    "再?(继续)?(坚持|撑|扛|熬)(下去|住)?(了|啦|吧)?<end>"),
                QStringLiteral("(不想|不愿|没力气|没有力气|再也不想|没有勇气|没勇气)再?(继续|"
                               "走下去|努力下去)(下去)?(了|啦|吧)?<end>"),
                QStringLiteral("(日子|生活|人生)<gap>{0,4}过不下去")}),
        // Resting for ever, never getting up again: "好想永远地休息", "累得再也不想起来了",
        // "躺下去就再也不用起来".
        family({QStringLiteral("永远"), QStringLiteral("永久"), QStringLiteral("再也不"),
                QStringLiteral("永远不"), QStringLiteral("不想再"), QStringLiteral("不用再"),
                QStringLiteral("不要再"), QStringLiteral("别再"), QStringLiteral("forever")},
               {QStringLiteral("(想|好想|只想|真想|希望|但愿|多想|宁愿|渴望|让我|就让我)(自己|"
                               "我)?(能|可以|就)?(就这样|就此|好好|安安静静|静静)?地?(永远|永久|"
                               "永永远远)地?(休息|歇着|歇息|歇下|安息|长眠|睡去|睡过去|睡下去|"
                               "闭上眼睛?|躺下去)"),
                QStringLiteral("(累|疲惫|疲倦|没力气|没有力气|精疲力尽|精疲力竭|身心俱疲|撑不动|"
                               "熬不动|走不动|倦)<any>{0,12}(再也不用|永远不用|再也不想|"
                               "永远不想|不想再|不用再|再也不要|永远不要|再也不)再?(起来|起床|"
                               "爬起来|站起来|醒来|醒过来)(了|啦)?(?!上班|上学|上课|去|赶|打卡|"
                               "早八|做|干|工作)"),
                QStringLiteral("(躺下|睡下|闭上眼睛?|倒下)(去|了|以后|之后)?<gap>{0,4}(就|能|"
                               "可以)?(再也不|永远不|再也不用|永远不用|不用再|不要再|别再)(起来|"
                               "起床|爬起来|站起来)(了|啦)?(?!上班|上学|上课|去|赶|打卡|早八|做|"
                               "干|工作)"),
                QStringLiteral("(wish|want|need|let)[a-z']{0,8}(sleep|rest)forever")}),
        // Giving one's things away in farewell, leaving others in someone's care: "把东西都送人了",
        // "我的存款都留给妹妹", "以后替我照顾好爸妈".
        family({QStringLiteral("送人"), QStringLiteral("送给"), QStringLiteral("送掉"),
                QStringLiteral("送出"), QStringLiteral("分给"), QStringLiteral("分掉"),
                QStringLiteral("留给"), QStringLiteral("交给"), QStringLiteral("转给"),
                QStringLiteral("托付"), QStringLiteral("照顾"), QStringLiteral("照看"),
                QStringLiteral("孝顺"), QStringLiteral("替我"), QStringLiteral("代我")},
               {QStringLiteral("(都|全|全部|统统|全都)(送人|送给|送掉|送出去|分给|分掉|留给|交给|"
                               "转给|托付给)[^。！？\\n]{0,14}(留个纪念|做个纪念|当个纪念|作纪念|"
                               "当纪念|当作纪念|留作纪念|记得我|想起我|替我|再也|永别|别难过|"
                               "不要难过|别想我|用不上|用不着|用不到)"),
                QStringLiteral("把(我的?|自己的?)?(所有|全部)?的?东西(都|全|全都|全部|统统)(送人|"
                               "送给|送掉|送出去|分给|分掉|留给)"),
                QStringLiteral(
                    "(我|自己)的?(所有|全部)?的?(东西|遗物|收藏|存款|积蓄|财产)(都|就|全|全都|"
                    "全部)?(送|留|分|托付)给"),
                QStringLiteral(
                    "(以后|今后|往后|从今以后|我走了以后|我走后|我不在了)就?(拜托|麻烦|请)"
                    "(你|你们)?(帮我|替我|代我)?(好好)?(照顾|照看|孝顺)(?!好?(她|他)(?!们))"),
                QStringLiteral("(以后|今后|往后|从今以后|我走了以后|我走后|我不在了)就?(你|你们)?"
                               "(帮我|替我|代我)(好好)?(照顾|照看|孝顺)(?!好?(她|他)(?!们))"),
                QStringLiteral("替我(好好)?(照顾|孝顺)好?(我的?)?(爸妈|父母|爸爸|妈妈|妈|爸|"
                               "家人|孩子|奶奶|爷爷|猫|狗)"),
                QStringLiteral("(替|代)我(跟|和|向|对)我?的?(爸妈|父母|爸爸|妈妈|妈|爸|家人|"
                               "家里人)说?(声|一声)?(对不起|抱歉|再见|我爱)")}),
        // Putting one's affairs in order: a pet or a parent left in someone's care from now on,
        // "以后我的猫就交给你了", "从今往后我妈就托付给你们了".
        family({QStringLiteral("交给你"), QStringLiteral("托付给你"), QStringLiteral("拜托给你"),
                QStringLiteral("拜托你"), QStringLiteral("托付你"), QStringLiteral("麻烦你"),
                QStringLiteral("靠你"), QStringLiteral("归你"), QStringLiteral("帮我"),
                QStringLiteral("替我"), QStringLiteral("代我"), QStringLiteral("你的了"),
                QStringLiteral("你们的了")},
               {QStringLiteral("<charge><any>{0,6}<henceforth><gap>{0,3}(就|都|可|只能|只好)?"
                               "(交给|托付给|拜托给|拜托|托付|麻烦|靠|归)(你|你们)"),
                QStringLiteral("<henceforth><gap>{0,3}(我的?)?<charge><gap>{0,3}(就|都|可|只能|"
                               "只好)?(交给|托付给|拜托给|拜托|托付|麻烦|靠|归)(你|你们)"),
                QStringLiteral("<henceforth><gap>{0,2}就?(你|你们)?(帮我|替我|代我)(好好)?(养|"
                               "喂|照顾|照看|陪)着?(我的?)?<charge>"),
                QStringLiteral("(<charge><gap>{0,2}<henceforth>|<henceforth><gap>{0,2}<charge>)"
                               "就?(是|归)你们?的了")}),
        // The bank card and its password left for later: "银行卡留给妹妹了，以后用得着".
        family({QStringLiteral("银行卡"), QStringLiteral("存折"), QStringLiteral("密码"),
                QStringLiteral("积蓄"), QStringLiteral("存款"), QStringLiteral("私房钱"),
                QStringLiteral("保险单"), QStringLiteral("保单")},
               {QStringLiteral("(银行卡|存折|密码|积蓄|存款|私房钱|保险单|保单)<any>{0,14}(留给|"
                               "写给|交代给|交待给)<any>{0,14}(以后|将来|往后|日后|留着|用得着|"
                               "用得上|派上用场|应急|急用|养老)"),
                QStringLiteral("(银行卡|存折|密码|积蓄|存款|私房钱|保险单|保单)<any>{0,14}(写在|"
                               "写好|写下|放在|藏在|压在)<any>{0,14}(你们|你|家里人|家人|爸妈|"
                               "我妈|我爸|妹妹|弟弟|哥哥|姐姐|孩子|老婆|老公)<gap>{0,4}(以后|"
                               "将来|往后|日后)?<gap>{0,2}(用得着|用得上|有用|派上用场|应急|"
                               "急用|养老|拿去用|取出来用|拿去花|留着用)")}),
        // An account given away, as one will never come online again.
        family({QStringLiteral("上线"), QStringLiteral("登录"), QStringLiteral("登陆"),
                QStringLiteral("上号"), QStringLiteral("上来")},
               {QStringLiteral("(号|账号|帐号|账户|帐户|密码|装备|皮肤|qq|微信)<any>{0,14}(送给|"
                               "送你|给你|留给|交给|转给|发给|拿去|归你)<any>{0,14}(以后|今后|"
                               "往后|再也|永远|从此)我?(也|都|就)?(不会|不再|不用|不能|没法|"
                               "没机会)再?(上线|登录|登陆|上号|上来)"),
                QStringLiteral("(以后|今后|往后|再也|永远|从此)(也|都|就)?(不会|不再|不用|不能|"
                               "没法)再?(上线|登录|登陆|上号|上来)<any>{0,16}(号|账号|帐号|账户|"
                               "帐户|密码|装备)<gap>{0,6}(送给|送你|给你|留给|交给|转给|发给|"
                               "拿去|归你|就是你的)")}),
        // All that needs saying, put in a letter: "该说的我都写在信里了".
        family({QStringLiteral("写在"), QStringLiteral("写进"), QStringLiteral("写到"),
                QStringLiteral("写好"), QStringLiteral("写下"), QStringLiteral("写了"),
                QStringLiteral("封信"), QStringLiteral("的信"), QStringLiteral("到信"),
                QStringLiteral("了信"), QStringLiteral("纸条"), QStringLiteral("留言")},
               {QStringLiteral("(想说的|要说的|该说的|想讲的|要讲的|该交代的|要交代的|想交代的|"
                               "想对你们说的|想对大家说的|最后想说的|所有想说的)"
                               "话?[，,]?<gap>{0,4}(都|全|全部)?(已经)?写(在|进|到|好|下|了)"
                               "了?<gap>{0,6}(信|纸|日记|本子|便签|纸条|遗书)"),
                QStringLiteral("(你们|你|他们|爸妈|家人|大家)(看到|看了|读到|读了|收到)(那封|"
                               "这封|我的|我留的|桌上的|抽屉里的|我写的)?(信|纸条|留言)"
                               "<gap>{0,6}(就|会|应该|自然)都?(明白|懂|知道|理解)(?!我的心意|"
                               "我的心|我有多|我对你)")}),
        // Every debt paid, to owe no one "when I go".
        family({QStringLiteral("不欠"), QStringLiteral("不亏欠"), QStringLiteral("还清"),
                QStringLiteral("还完"), QStringLiteral("还上"), QStringLiteral("还了"),
                QStringLiteral("结清"), QStringLiteral("还掉")},
               {QStringLiteral("(不欠任何人|不欠谁|不欠别人|不欠大家|谁也不欠|谁都不欠|"
                               "什么都不欠|不亏欠任何人|不亏欠谁|谁也不亏欠|不欠任何)"
                               "了?<any>{0,6}(安心|放心|干干净净|也能|就能|可以)?地?(走|离开|"
                               "上路)(了|吧|得)?<end>"),
                QStringLiteral("(走|离开|上路)(的时候|之前|前|时)<gap>{0,4}(就|也|才|能|可以)*"
                               "(不欠任何人|不欠谁|不欠别人|不欠大家|谁也不欠|谁都不欠|"
                               "什么都不欠|不亏欠任何人|不亏欠谁|谁也不亏欠|不欠任何)"),
                QStringLiteral("(还清|还完|还上|结清|还掉)了?(所有|全部|一切|欠的|欠大家的|"
                               "欠别人的)<any>{0,14}(走|离开|上路)(的时候|之前|前|时|得)"),
                QStringLiteral("(所有的?|全部的?|欠的)(债|钱|账|欠款|贷款|人情)(都|全|全部)?"
                               "(还清|还完|还上|还了|结清)<any>{0,14}(走|离开|上路)(的时候|之前|"
                               "前|时|得)")}),
        // Goodbye for good: "以后再也见不到了", "这是最后一次跟你说话", "下辈子再见",
        // "和这个世界说再见".
        family({QStringLiteral("再也"), QStringLiteral("最后一次"), QStringLiteral("辈子"),
                QStringLiteral("来世"), QStringLiteral("来生"), QStringLiteral("下一世"),
                QStringLiteral("天堂"), QStringLiteral("另一个世界"), QStringLiteral("再见"),
                QStringLiteral("别了"), QStringLiteral("永别"), QStringLiteral("拜拜"),
                QStringLiteral("告别"), QStringLiteral("道别"), QStringLiteral("离开")},
               {QStringLiteral("再也(见不到|见不着|看不到|看不见|听不到)我"),
                QStringLiteral("再也(见不到|见不着)(你|你们|大家)?了"),
                QStringLiteral("最后一次(跟|和|与|同|给)?(你|你们|大家)?(说话|聊天|聊|讲话|发消息|"
                               "打招呼|说再见|道别)(?!是|在|的|时)"),
                QStringLiteral("最后一次(跟|和|与|同)(你|你们|大家)见面(?!是|在|的|时)"),
                QStringLiteral("(下辈子|来世|来生|下一世|下一辈子|天堂|另一个世界)(我们)?(再|再来)?"
                               "(见|见面|相见|再会|重逢)"),
                QStringLiteral(
                    "(再见|别了|永别了?|拜拜|告别|道别)(了|吧|啦)?[，,]?((这个|这)(<gap>{0,6}的)?)?"
                    "(世界|人间|人世)(?![杯纪记冠级之各])"),
                QStringLiteral("(和|跟|向|对)(这个|这)?(世界|人间|人世)说?(声|一声)?(再见|告别|"
                               "道别|永别|拜拜)"),
                QStringLiteral("(准备|打算|决定|就要|快要|该)离开(这个|这)?(世界|人世|人间)"),
                QStringLiteral("我<gap>{0,3}永远地?离开")}),
        // Goodbye for good without "永别": "谢谢你一直陪着我，以后不会再来了",
        // "我要走了，不会再回来了，大家保重", "i won't be back".
        family({QStringLiteral("再来"), QStringLiteral("不来"), QStringLiteral("会来"),
                QStringLiteral("能来"), QStringLiteral("法来"), QStringLiteral("回来"),
                QStringLiteral("出现"), QStringLiteral("打扰"), QStringLiteral("找你"),
                QStringLiteral("跟你聊"), QStringLiteral("和你聊"), QStringLiteral("联系")},
               {QStringLiteral("(谢谢|感谢|多谢)<any>{0,20}<never>"),
                QStringLiteral("<never><any>{0,8}(再见|拜拜|别了|保重|珍重|bye|永别|勿念)")}),
        family({QStringLiteral("回来")},
               {QStringLiteral("(我要?走了|我该走了|我要离开了?|我得走了|我离开了|我走啦)"
                               "<any>{0,6}(不会|再也不|永远不|不)会?再?回来"),
                QStringLiteral("(走了|离开了?)<gap>{0,4}(就|也)?(不|不会|再也不|永远不)"
                               "会?再?回来了?<any>{0,8}(大家|你们|你|各位)?(都|要|也要)?(保重|"
                               "珍重|好好的|好好活|好好照顾自己|照顾好自己|别想我|不要想我|"
                               "别难过|不要难过|别找我|不要找我|勿念)"),
                QStringLiteral("(不会|再也不|永远不)会?再?回来了?<any>{0,8}(大家|你们|你|各位)?"
                               "(都|要|也要)?(保重|珍重|好好的|好好活|好好照顾自己|照顾好自己|"
                               "别想我|不要想我|别难过|不要难过|别找我|不要找我|勿念)")}),
        family({QStringLiteral("back")},
               {QStringLiteral("(won['’]?t|willnot|willnever|neverwill|i['’]?llnever)(ever)?(be|"
                               "come)back(again|anymore|ever)?<end>")}),
        // Cutting oneself, told plainly: "又拿刀片在胳膊上划了几道", "割了手腕".
        family({QStringLiteral("刀"), QStringLiteral("玻璃"), QStringLiteral("圆规"),
                QStringLiteral("手臂"), QStringLiteral("小臂"), QStringLiteral("胳膊"),
                QStringLiteral("腕"), QStringLiteral("大腿")},
               {QStringLiteral("<blade><any>{0,10}在?<limb>上?<gap>{0,4}(划|割|刻|戳)"),
                QStringLiteral("(划|割|刻)(了|破|伤|开|烂)?(几道|一道|好几道|几刀|一刀|好多道|"
                               "很多道|好几刀|几下|一下|个口子|一个口子|道口子)?"
                               "<gap>{0,2}(自己的?|我的?)?(手臂|小臂|胳膊|手腕|大腿)"),
                QStringLiteral("(手臂|小臂|胳膊|手腕|大腿)上?又?(割|划|刻)(了|破|开)?(几道|一道|"
                               "好几道|几刀|一刀|好多道|很多道|好几刀|一个口子|个口子|道口子|"
                               "口子)"),
                QStringLiteral("<blade>(划|割|刻)(在|过|进|破|开)<limb>"),
                QStringLiteral("(划|割|刻)(在|过|破|开)?<limb><any>{0,10}(才|就)(会|能)?(觉得|"
                               "感觉|感到)?(好受|舒服|平静|轻松|踏实|安心|解压|痛快)"),
                QStringLiteral("(忍不住|没忍住|控制不住|又一次|又)<gap>{0,4}(拿|用)"
                               "<blade><gap>{0,3}(划|割|刻)(了|破|伤|开)?(自己|手|腕|胳膊|臂|腿|"
                               "皮|身上|几道|一道|好几道|几刀|一刀|好多道|很多道)")}),
        // Pain as relief: "看着血流出来心里才好受", "只有疼的时候才觉得自己活着".
        family({QStringLiteral("血"), QStringLiteral("活着")},
               {QStringLiteral("(看着|看到|看见|盯着)(血|鲜血|血珠|血流|血一点点)"
                               "<any>{0,10}(好受|舒服|平静|轻松|踏实|安心|解压|痛快|活着)"),
                QStringLiteral("(疼|痛)(的时候|了)?<gap>{0,6}(才能|才会|才)(让我)?(觉得|感觉|"
                               "感到)(自己)?还?活着")})};
    return all;
}

// Everyday expressions that hold a crisis phrase without meaning it.
const QRegularExpression &lookAlikes()
{
    static const QRegularExpression expressions = joined({QStringLiteral(
        "想死(你|您|他|她|它|大家|宝宝)(们)?(了|啦|啊|呀|哦|喽|咯|[!！~～。.,，]|$)"
        "|想死我(了|啦|们了)"
        "|想(你|您|他|她|它|家|妈|爸|宝宝|大家)(们)?想死"
        "|你(是不是)?想死(吗|啊|呀|是吧)"
        "|死(机|磕|记硬背|缠烂打|心了|心吧)"
        "|跳楼(价|机|甩卖|大甩卖|大减价)"
        "|不想活(动|跃|泼)"
        "|(计|规|策|企)划自己"
        "|自杀小队|诀别诗"
        // A dream too sweet to leave, a drink, a sleeping baby.
        "|(?<![噩恶])梦(?!想)[^。！？\\n]{0,8}?(不想|不愿|别|不要)再?醒"
        "|醉[^。！？\\n]{0,3}不(愿|想|复)醒"
        "|(宝宝|孩子|娃|儿子|女儿|小家伙)[^。！？\\n]{0,8}(不会|别|不要|千万别|可别|"
        "不再)再?醒"
        // Embarrassment: "尴尬得想原地消失".
        "|(原地|当场)(消失|蒸发)"
        // A habit or a game given up, sleepiness, cold, spice or a laugh.
        "|(减肥|健身|跑步|锻炼|背单词|练琴|练字|早起|打卡|节食|戒烟|戒酒|减脂|游戏|"
        "这局|比赛|这关)[^。！？\\n]{0,8}?(坚持|撑|扛|熬|挺|继续)(不(下去|住|动))?"
        "|(困|饿|冷|热|辣|痒|晒|冻|笑|眼皮|电量|电池|肚子|服务器|电脑|手机|网站|系统|"
        "内存|架子|桌子|椅子)[^。！？\\n]{0,4}?(撑|扛|熬|挺|顶)不住"
        "|撑不住了?[，,。.!！~～]*(先|要|得|去|准备)?睡"
        "|熬夜[^。！？\\n]{0,4}(熬|撑|扛)不(住|下去|动)"
        "|(疼|痛|痒)[^。！？\\n]{0,4}生不如死"
        // Fun and sport: bungee jumps, pools, skipping ropes, a falling market.
        "|(蹦极|跳伞|跳水|泳池|游泳|蹦床|跳台)[^。！？\\n]{0,8}(往下跳|跳下去)"
        "|跳崖式|跳绳|拔河[^。！？\\n]{0,4}绳|晾衣[^。！？\\n]{0,3}绳"
        // Someone else dragging others down.
        "|(他|她|它|队友|你)们?(总是|一直|老是|又|就|别|不要|会|只会|真|在)*拖累"
        // Moving house, clearing out, graduating, leaving a job.
        "|(搬家|断舍离|毕业|出国|清理|整理|闲置)[^。！？\\n]{0,10}(送人|送给|送掉|送出去|"
        "分给|分掉)"
        "|(毕业|转学|搬家|出国|离职|辞职|退休|异地)[^。！？\\n]{0,10}(再也(见不到|见不着|"
        "看不到)|最后一次)"
        // Games, a film and a novel.
        "|狼人杀[^。！？\\n]{0,12}遗言|遗言(环节|阶段)"
        "|《后会无期》|后会无期(这部|电影)|(电影|看过|看了)后会无期"
        "|《?永别了[，,]?武器》?"
        // The look-alikes below run from one word to another with little between: a clause, or two
        // at most, and never the user speaking of themselves or a wish, so that a cry beside a
        // look-alike is not cut out with it.
        // What happens to people in a story, a film, a game or the news: the clause from the story
        // to the deed goes, unless the user speaks of themselves in it ("看完这部电影我也想跳楼"
        // stays). A wish inside it counts only when a character has it.
        "|(小说|电影|电视剧|连续剧|剧里|剧中|书里|书中|故事里|故事中|动画|动漫|漫画|游戏里|"
        "游戏中|角色|主角|主人公|男主|女主|男二|女二|配角|反派|新闻|报道|热搜|剧情|情节|结局|"
        "原著|番剧|这部|那部|这本|那本|历史上|古时候|古代|传说|神话|典故)"
        "[，,]?(?:[^，。！？；,.!?;\\n我俺想要]|(?<=[他她它们角公主])[想要]){0,16}?((跳崖|跳楼|"
        "跳河|跳江|跳海|跳湖|自杀|上吊|割腕|服毒|卧轨|投河|投江|轻生|寻死|自尽|自刎|殉情|烧炭|"
        "喝农药|吃安眠药|吞安眠药|往下跳|跳下去)[了后又并而且然]{0,2})+"
        "|(跳崖|跳楼|跳河|跳江|跳海|自杀|上吊|割腕|轻生|自尽|殉情)的?(那|这)?一?(段|场|个|幕|集)?"
        "(剧情|情节|桥段|镜头|场景|片段|戏份?|那一幕|结局|新闻|报道|案件|事件|电影|小说|题材)"
        // Purple clay, its teapots and pots.
        "|宜兴紫砂|紫砂(壶|锅|杯|茶|泥|煲|陶|盆|罐|器|盖碗|砂锅|炖|碗|盘|色|工艺|文化|艺术|大师|"
        "作品|收藏|矿)"
        // What a pet or a child may safely eat.
        "|(猫|狗|猫咪|狗狗|宠物|兔子|仓鼠|鹦鹉|金鱼|小孩|孩子|宝宝|婴儿|老鼠|蟑螂|虫子)"
        "<aside>{0,6}?(吃|吞|误食|喝)"
        // Stars, sunsets and photographs from a roof or a bridge.
        "|(天台|楼顶|顶楼|屋顶|天桥|大桥|桥上|桥边|栏杆|护栏|悬崖|崖边|铁轨|高楼|窗台)"
        "<aside>{0,10}?[，,]?<aside>{0,10}?(看星星|看日出|看日落|看夕阳|看风景|看夜景|看烟花|"
        "看月亮|拍照|拍夕阳|拍日落|吹风|乘凉|晒太阳|晒被子|钓鱼|等人|等车|约会|散步|晾衣服|"
        "收衣服|打电话|抽烟|聊天|蹦极)"
        "|(看星星|看日出|看日落|看夕阳|看风景|看夜景|看烟花|看月亮|拍照|拍夕阳|拍日落|吹风|乘凉|"
        "晒太阳|晒被子|钓鱼|等人|等车|约会|散步|晾衣服|收衣服|打电话|抽烟|聊天|蹦极)"
        "<aside>{0,10}?[，,]?<aside>{0,10}?(天台|楼顶|顶楼|屋顶|天桥|大桥|桥上|桥边|栏杆|护栏|"
        "悬崖|崖边|铁轨|高楼|窗台)"
        // Cuts in the kitchen, at the doctor's, by accident or from a cat.
        "|(不小心|不留神|一不小心|没注意|切菜|做饭|削水果|削苹果|刮胡子|修眉|剪指甲|拆快递|手术|"
        "抽血|打针|纹身|刺青)<aside>{0,12}?(划|割|刻|切|戳|刮)"
        "|被<aside>{0,4}?(划|割|刮|抓|咬|扎)"
        // A pet minded for a trip or rehomed for a move.
        "|(出差|旅游|旅行|出去玩|回老家|度假|住院|假期|国庆|春节|过年|放假|搬家|搬走|出国|留学|"
        "移民|调动|过敏|养不了|结婚|怀孕|宿舍|房东|租房)<aside>{0,10}?[，,]?<aside>{0,10}?(交给|"
        "托付|拜托|归你|照顾|照看|养|喂)"
        // A shop one will not visit again, a move to another city.
        "|(店|餐厅|饭店|饭馆|酒店|宾馆|民宿|景点|商场|超市|难吃|服务|差评|踩雷|避雷|商家|老板|"
        "退款|这破|态度|出国|移民|留学|外地|老家|别的城市|另一个城市|其他城市|调动|调去|调到|"
        "搬到|搬去|搬家|定居|毕业|转学|嫁到|嫁去|退休|离职|辞职|换工作|去[\\p{Han}]{1,4}(?:工作|"
        "读书|上学|发展|打工|生活|定居))<aside>{0,10}?[，,]?<aside>{0,10}?(回来|来)"
        // A game given up, or put aside for exams.
        "|(退游|退坑|弃坑|a了|不玩了|卸载|退圈|高三|高考|考研|备考|戒网|戒游戏|学习)"
        "<aside>{0,10}?[，,]?<aside>{0,10}?(上线|登录|登陆|上号|送给|送你|给你|拿去|归你)"
        "|(上线|登录|登陆|上号|号|账号)<aside>{0,10}?[，,]?<aside>{0,10}?(退游|退坑|弃坑|不玩了|"
        "卸载|退圈|高考|考研|备考|学习)"
        // Letters of love, birthdays, cards, work.
        "|(情书|表白|生日|贺卡|毕业|明信片|新年|情人节|圣诞|纪念日|未来的自己|时间胶囊|辞职|离职|"
        "交接|项目|周报|报告|简历|申请)<aside>{0,10}?[，,]?<aside>{0,10}?写"
        "|写<aside>{0,10}?[，,]?<aside>{0,10}?(情书|表白|生日|贺卡|毕业|明信片|新年|情人节|圣诞|"
        "纪念日|未来的自己|时间胶囊|辞职|离职|交接)"
        // Getting up on a Monday, which one may well not want ("周一不想起床"); a password noted so
        // as not to forget it.
        "|(周一|星期一|周末|早上|早晨|明早|明天早上|早八|闹钟|被窝|冬天|赖床|假期|放假|上班|上学)"
        "[^，。！？；,.!?;\\n我死]{0,8}?(起来|起床)"
        "|(以防|免得|防止|省得)<aside>{0,6}?(忘|丢|记不住|想不起)"
        "|以后<aside>{0,3}?(忘|记不住|想不起|登不上)"
        // Debts settled before a move, a new job or a break-up.
        "|(毕业|离职|辞职|出国|搬家|回国|回老家|换工作|调走|退房|退租|分手)"
        "<aside>{0,10}?[，,]?<aside>{0,10}?(走|离开|还清|还完|还上|结清)"
        // A happy ending, and English for being away a while.
        "|(圆满|完美|漂亮|美好|满意|精彩|完满)的?句号"
        "|(if|when)i(was|were|['’]?m|am)gone(for|to|on|at|till|until|tomorrow|today|tonight|next|"
        "this|during|over)")});
    return expressions;
}

// Finds in one pass which groups of keys a text holds: an Aho–Corasick automaton like
// KeyAutomaton, but one that answers with every group present rather than the first key. The
// phrases are one group and each family's words another, so a sentence asks only the few
// families whose words it holds, and one table at the root serves them all.
class KeyGroups
{
public:
    // At most 64 groups; an empty key is never found.
    explicit KeyGroups(const std::vector<QStringList> &groups)
    {
        Q_ASSERT(groups.size() <= 64);
        // The trie first, each state's children in a list of its own.
        std::vector<std::vector<std::pair<char16_t, quint32>>> children(1);
        m_groups.assign(1, 0);
        for (size_t group = 0; group < groups.size(); ++group) {
            for (const QString &key : groups[group]) {
                quint32 state = 0;
                for (const QChar c : key) {
                    const auto &list = children[state];
                    const auto found =
                        std::find_if(list.cbegin(), list.cend(),
                                     [c](const auto &edge) { return edge.first == c.unicode(); });
                    if (found != list.cend()) {
                        state = found->second;
                        continue;
                    }
                    const auto next = quint32(children.size());
                    children[state].push_back({c.unicode(), next});
                    children.emplace_back();
                    m_groups.push_back(0);
                    state = next;
                }
                if (state != 0)
                    m_groups[state] |= quint64(1) << group;
            }
        }
        // Then every state's children side by side, and the root's in a table of all 65,536
        // code units, since every code unit of a text asks the root.
        m_rootNext.assign(0x10000, 0);
        for (const auto &[c, child] : children[0])
            m_rootNext[c] = child;
        m_firstChild.reserve(children.size() + 1);
        for (const auto &list : children) {
            m_firstChild.push_back(quint32(m_labels.size()));
            for (const auto &[c, child] : list) {
                m_labels.push_back(c);
                m_targets.push_back(child);
            }
        }
        m_firstChild.push_back(quint32(m_labels.size()));
        // Breadth first, so that every shorter suffix has its link before it is followed; the
        // root's children keep the root as theirs.
        m_fail.assign(children.size(), 0);
        std::vector<quint32> queue;
        for (const auto &[c, child] : children[0])
            queue.push_back(child);
        for (size_t i = 0; i < queue.size(); ++i) {
            const quint32 state = queue[i];
            for (const auto &[c, child] : children[state]) {
                const quint32 fail = next(m_fail[state], c);
                m_fail[child] = fail;
                m_groups[child] |= m_groups[fail];
                queue.push_back(child);
            }
        }
    }

    // The groups of which the text holds a key, one bit each.
    quint64 in(QStringView text) const
    {
        quint64 found = 0;
        quint32 state = 0;
        for (const QChar c : text) {
            state = next(state, c.unicode());
            found |= m_groups[state];
        }
        return found;
    }

    // Whether the text holds any key at all; stops at the first.
    bool any(QStringView text) const
    {
        quint32 state = 0;
        for (const QChar c : text) {
            state = next(state, c.unicode());
            if (m_groups[state] != 0)
                return true;
        }
        return false;
    }

private:
    quint32 next(quint32 state, char16_t c) const
    {
        for (;;) {
            if (state == 0)
                return m_rootNext[c];
            // Below the root, states have a handful of children, which a scan finds soonest.
            for (quint32 i = m_firstChild[state]; i < m_firstChild[state + 1]; ++i) {
                if (m_labels[i] == c)
                    return m_targets[i];
            }
            state = m_fail[state];
        }
    }

    std::vector<quint64> m_groups; // of the keys ending at each state or at any suffix of it
    std::vector<quint32> m_fail;
    std::vector<quint32> m_firstChild; // a state's children are firstChild .. the next's - 1
    std::vector<char16_t> m_labels;
    std::vector<quint32> m_targets;
    std::vector<quint32> m_rootNext; // the root's child for each code unit, or the root
};

// The phrases are group 0, family n is group n + 1.
const KeyGroups &keyGroups()
{
    static const KeyGroups groups = [] {
        std::vector<QStringList> keys{crisisPhrases()};
        for (const Family &family : families())
            keys.push_back(family.anchors);
        return KeyGroups(keys);
    }();
    return groups;
}

// Whether a text holds a crisis phrase or a family's wording. Most sentences hold no key at
// all, which the first, stopping search tells soonest.
bool holdsCrisisWords(QStringView text)
{
    if (!keyGroups().any(text))
        return false;
    const quint64 groups = keyGroups().in(text);
    if (groups & 1)
        return true;
    for (quint64 rest = groups >> 1; rest != 0; rest &= rest - 1) {
        if (families()[size_t(std::countr_zero(rest))].expression.match(text).hasMatch())
            return true;
    }
    return false;
}

// The message's sentences, each with the mark that ends it.
std::vector<QStringView> sentencesOf(QStringView message)
{
    std::vector<QStringView> sentences;
    qsizetype start = 0;
    for (qsizetype i = 0; i < message.size(); ++i) {
        if (message[i] == u'。' || message[i] == u'！' || message[i] == u'？' ||
            message[i] == u'\n') {
            sentences.push_back(message.sliced(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < message.size())
        sentences.push_back(message.sliced(start));
    return sentences;
}

} // namespace

bool concerns(const QString &normalisedMessage)
{
    if (!keyGroups().any(normalisedMessage))
        return false;
    // A sentence at a time: no phrase or family reaches past the end of its sentence, so a
    // sentence is searched alone, and most hold nothing worth a second look. Only when one
    // does are the look-alikes cut out, which costs more than all the other searches together,
    // and they are cut from the sentence and the one after it: the look-alike that runs on
    // ("撑不住了。先睡了") runs into the next one only. They are cut to spare what was found,
    // never to find more, so a pasted megabyte costs a pass and a few short searches.
    const std::vector<QStringView> sentences = sentencesOf(normalisedMessage);
    for (size_t i = 0; i < sentences.size(); ++i) {
        if (!holdsCrisisWords(sentences[i]))
            continue;
        const QStringView last = i + 1 < sentences.size() ? sentences[i + 1] : sentences[i];
        const QStringView stretch(sentences[i].data(), last.data() + last.size());
        if (holdsCrisisWords(stretch.toString().remove(lookAlikes())))
            return true;
    }
    return false;
}

const QStringList &caringLines()
{
    // Every line invites the user to keep talking and names the people who can help; the place
    // is put a different way in each, and one says how to find the help line of one's city.
    static const QStringList lines = {
        QStringLiteral("听到你这么说，我很担心你。你现在安全吗？愿意的话，跟我说说发生了什么，"
                       "我一直在这里听。也请马上联系一个你信任的人，或者拨打你所在省市的心理援助"
                       "热线；如果有危险，请立刻拨打急救电话。"),
        QStringLiteral("谢谢你愿意告诉我这些，这一定很难受。你的感受很重要，你不必一个人扛着。"
                       "请现在就找一位信任的家人或朋友陪着你；不知道热线怎么找的话，可以在网上"
                       "搜索“心理援助热线”和你所在的城市，热线那头会有人认真听你说。你也可以"
                       "接着跟我说，我在听。"),
        QStringLiteral("我会认真对待你说的每一句话。愿意多说一点吗？是什么让你这么难过？同时请"
                       "联系你信任的人，或者你那里的心理援助热线；如果你觉得自己可能会伤害自己，"
                       "请马上拨打当地的急救电话。"),
        QStringLiteral("你现在一定很痛苦，我想陪着你。你对我很重要，请不要一个人待着，去找身边"
                       "你信任的人，或者拨打你所在地区的心理援助热线，他们会认真听你说。我也在"
                       "这里，想说什么都可以告诉我。"),
        QStringLiteral("我在这里，哪儿也不去。你身边现在有人吗？请尽快联系一个你信任的人，或者"
                       "本地的心理援助热线；情况紧急的话，请立刻拨打急救电话。你愿意的话，我们"
                       "接着聊。")};
    return lines;
}

} // namespace CrisisCare
