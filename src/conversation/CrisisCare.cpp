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
// Few people in crisis say "自杀". They say they want it all to end, that they would rather not
// wake up, that everyone would be better off without them, that nobody would notice they were
// gone; they mention pills they have put aside, give their things away, say goodbye for good.
// The phrases and families below are written from those meanings, and are matched anywhere in
// the message after the common expressions that only look alike ("想死你了" means "I miss you so
// much", "跳楼价" is a sales price, a sweet dream is one nobody wants to wake from) have been cut
// out of it. When in doubt a phrase stays in: a caring answer to a harmless message costs far
// less than a joke in answer to a cry for help.
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
        QStringLiteral("tiredofliving")};
    return phrases;
}

// A family of wordings that a list of phrases cannot hold, because the words between the parts
// vary: one expression of alternatives, and the words of which every match holds at least one,
// so that a message holding none of them skips the expression.
struct Family
{
    QStringList anchors;
    KeyAutomaton anchorKeys; // the anchors, found in one pass
    QRegularExpression expression;
};

// The alternatives as one expression. Two marks keep them readable: "<gap>" is any character
// inside a clause (no full stop, comma or mark), "<end>" the end of a word group (what follows
// is no Chinese character, letter or digit). Wider gaps stay inside a sentence, short of
// "。！？" and the line's end, which is what lets concerns() read a sentence at a time.
QRegularExpression joined(const QStringList &alternatives)
{
    QString pattern = alternatives.join(u'|');
    pattern.replace(QStringLiteral("<gap>"), QStringLiteral("[^，。！？；,.!?;\\n]"));
    pattern.replace(QStringLiteral("<end>"), QStringLiteral("(?![\\p{Han}a-z0-9])"));
    return QRegularExpression(pattern);
}

Family family(const QStringList &anchors, const QStringList &alternatives)
{
    const std::vector<QStringView> keys(anchors.cbegin(), anchors.cend());
    return {anchors, *KeyAutomaton::build(keys), joined(alternatives)};
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
                QStringLiteral("我<gap>{0,3}永远地?离开")})};
    return all;
}

// Everyday expressions that hold a crisis phrase without meaning it.
const QRegularExpression &lookAlikes()
{
    static const QRegularExpression expressions(QStringLiteral(
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
        "|《?永别了[，,]?武器》?"));
    return expressions;
}

// Finds in one pass whether a message holds any phrase or any family's word at all: most
// messages hold none, and a pasted megabyte must not be searched hundreds of times over.
const KeyAutomaton &anyKey()
{
    static const KeyAutomaton automaton = [] {
        std::vector<QStringView> keys(crisisPhrases().cbegin(), crisisPhrases().cend());
        for (const Family &family : families())
            keys.insert(keys.end(), family.anchors.cbegin(), family.anchors.cend());
        return *KeyAutomaton::build(keys);
    }();
    return automaton;
}

// The phrases alone, asked again once the look-alikes are cut out.
const KeyAutomaton &anyPhrase()
{
    static const KeyAutomaton automaton = [] {
        const std::vector<QStringView> keys(crisisPhrases().cbegin(), crisisPhrases().cend());
        return *KeyAutomaton::build(keys);
    }();
    return automaton;
}

// Whether a stretch of the message, a sentence and the one after it, speaks of a crisis.
bool stretchConcerns(QStringView stretch)
{
    const QString message = stretch.toString().remove(lookAlikes());
    if (anyPhrase().containsAny(message))
        return true;
    return std::any_of(families().cbegin(), families().cend(), [&](const Family &family) {
        return family.anchorKeys.containsAny(message) && message.contains(family.expression);
    });
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
    if (!anyKey().containsAny(normalisedMessage))
        return false;
    // A sentence at a time: no family reaches past the end of its sentence, and the look-alike
    // that does ("撑不住了。先睡了") runs on into the next one only, which is read along with it. A
    // sentence that holds no key at all is passed over, so that a pasted megabyte costs a pass
    // and a few short searches rather than every expression over all of it.
    const std::vector<QStringView> sentences = sentencesOf(normalisedMessage);
    for (size_t i = 0; i < sentences.size(); ++i) {
        if (!anyKey().containsAny(sentences[i]))
            continue;
        const QStringView last = i + 1 < sentences.size() ? sentences[i + 1] : sentences[i];
        if (stretchConcerns(QStringView(sentences[i].data(), last.data() + last.size())))
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
