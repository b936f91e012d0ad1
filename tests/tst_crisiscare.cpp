// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The crisis check: what counts as a user in crisis, what only looks like it, and what the
// robot may answer.

#include "care/Care.h"
#include "common/GbkCodec.h"
#include "common/TextRules.h"
#include "conversation/ReplyEngine.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "support/Fakes.h"

using namespace Qt::StringLiterals;

class TstCrisisCare : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recognisesCrisis_data();
    void recognisesCrisis();
    void heldOutMessages_data();
    void heldOutMessages();
    void defaultKnowledgeReadsAsEveryday();
    void careIsForWhomItConcerns_data();
    void careIsForWhomItConcerns();
    void caringLines_data();
    void caringLines();
    void caringLinesSayWhereHelpIs();

private:
    // The table a first run writes, whose own words must never read as a cry.
    KnowledgeBase m_defaultKnowledge;
};

namespace {

// Whether care answers the message as typed with the lines for the one at risk.
bool concerns(const QString &typed)
{
    return Care::builtIn().concernOf(TextRules::normalise(typed), typed) == Care::Concern::Self;
}

} // namespace

void TstCrisisCare::initTestCase()
{
    const auto bytes = KnowledgeFile::firstRunBytes(u"小明"_s);
    QVERIFY(bytes);
    const Result<KnowledgeBase> parsed = KnowledgeBase::parse(*bytes);
    QVERIFY2(parsed, qPrintable(parsed.reason()));
    m_defaultKnowledge = *parsed;
}

void TstCrisisCare::recognisesCrisis_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("concern");

    // Messages are checked as the robot sees them: spaces out, lower case.
    QTest::newRow("想死") << u"我想死"_s << true;
    QTest::newRow("sleeping in on a holiday") << u"放假睡到中午，完全不想醒"_s << false;
    QTest::newRow("想死, then more") << u"我真的好想死，太累了"_s << true;
    QTest::newRow("想死你, then more") << u"我想死你别管我"_s << true;
    QTest::newRow("想死了") << u"我想死了"_s << true;
    QTest::newRow("想去死") << u"有时候真想去死"_s << true;
    QTest::newRow("自杀") << u"我想自杀"_s << true;
    QTest::newRow("杀了我自己") << u"我想杀了我自己"_s << true;
    QTest::newRow("杀死自己") << u"真想杀死自己"_s << true;
    QTest::newRow("不想活") << u"我不想活了"_s << true;
    QTest::newRow("活着没意思") << u"感觉活着没意思"_s << true;
    QTest::newRow("活着有什么意思") << u"活着有什么意思啊"_s << true;
    QTest::newRow("活不下去") << u"我快活不下去了"_s << true;
    QTest::newRow("活着没什么意思") << u"活着没什么意思，每天都不知道为了什么"_s << true;
    QTest::newRow("活着好累") << u"活着好累，真的撑不下去了"_s << true;
    QTest::newRow("消失") << u"要是我消失了，大家是不是都会轻松一点"_s << true;
    QTest::newRow("再也不醒") << u"好想睡一觉就再也不醒来"_s << true;
    QTest::newRow("遗书") << u"遗书我已经写好了"_s << true;
    QTest::newRow("from the roof") << u"我想从楼顶跳下去"_s << true;
    QTest::newRow("划自己") << u"我又用刀片划自己了"_s << true;
    QTest::newRow("轻生") << u"我有轻生的念头"_s << true;
    QTest::newRow("结束自己的生命") << u"我想结束自己的生命"_s << true;
    QTest::newRow("了结自己") << u"想了结自己"_s << true;
    QTest::newRow("割腕") << u"我昨天割腕了"_s << true;
    QTest::newRow("跳楼") << u"我想跳楼"_s << true;
    QTest::newRow("安眠药") << u"我攒了一瓶安眠药"_s << true;
    QTest::newRow("自残") << u"我又自残了"_s << true;
    QTest::newRow("伤害自己") << u"我控制不住想伤害自己"_s << true;
    QTest::newRow("死了算了") << u"我死了算了"_s << true;
    QTest::newRow("想不开") << u"我有点想不开"_s << true;
    QTest::newRow("English, spaced") << u"I want to die"_s << true;
    QTest::newRow("English, capitals") << u"Thinking about SUICIDE"_s << true;
    QTest::newRow("look-alike cut out, crisis stays") << u"想死你了，可我真的想死"_s << true;
    QTest::newRow("price next to a real one") << u"跳楼价也没用，我想跳楼"_s << true;

    // Indirect words, by what they mean.
    QTest::newRow("ending: all of it, soon") << u"我只想让这一切赶紧结束"_s << true;
    QTest::newRow("ending: a full stop") << u"是时候给这一切画上句号了"_s << true;
    QTest::newRow("ending: hoping") << u"真希望一切都能快点结束"_s << true;
    QTest::newRow("ending: tired, settle it") << u"我累了，想把一切都了结"_s << true;
    QTest::newRow("ending: death as release") << u"死了就能彻底解脱了吧"_s << true;
    QTest::newRow("ending: a life ends here") << u"我的人生到这里就该结束了"_s << true;
    QTest::newRow("waking: eyes never open") << u"真希望闭上眼睛以后就别再睁开了"_s << true;
    QTest::newRow("waking: tonight") << u"要是今晚睡下去明天不会醒就好了"_s << true;
    QTest::newRow("waking: praying") << u"每天晚上都祈祷明天别醒过来"_s << true;
    QTest::newRow("waking: asleep for good") << u"如果能一直睡着不醒来该多好"_s << true;
    QTest::newRow("waking: facing it") << u"我不想再醒来面对这一切"_s << true;
    QTest::newRow("gone: without a sound") << u"真希望自己能悄无声息地消失"_s << true;
    QTest::newRow("gone: never here") << u"要是这世上从来没有我就好了"_s << true;
    QTest::newRow("gone: far away, then") << u"我想去一个没人认识我的地方，然后彻底消失"_s << true;
    QTest::newRow("gone: not existing") << u"如果我不存在，大家会不会更好"_s << true;
    QTest::newRow("gone: never born") << u"我本来就不应该出生"_s << true;
    QTest::newRow("gone: evaporate") << u"好想从地球上蒸发掉"_s << true;
    QTest::newRow("burden: extra at home") << u"我觉得我在这个家里就是个多余的人"_s << true;
    QTest::newRow("burden: the odd one") << u"我是不是多余的那个人"_s << true;
    QTest::newRow("burden: on others") << u"我什么都做不好，只会成为别人的负担"_s << true;
    QTest::newRow("burden: easier without me")
        << u"爸妈为了我操碎了心，没有我他们能过得轻松些"_s << true;
    QTest::newRow("burden: the family") << u"我拖累了全家人"_s << true;
    QTest::newRow("burden: asking") << u"你说我拖累大家了吗"_s << true;
    QTest::newRow("burden: wasting air") << u"我活着就是在浪费空气"_s << true;
    QTest::newRow("nobody: dead at home") << u"哪天我死在家里，估计也没人知道"_s << true;
    QTest::newRow("nobody: no one sad") << u"就算我不在了，也不会有人难过吧"_s << true;
    QTest::newRow("nobody: a month gone") << u"我消失一个月都不会有人发现"_s << true;
    QTest::newRow("nobody: dead or alive") << u"谁会在意我是死是活"_s << true;
    QTest::newRow("nobody: one less") << u"世界上少了我，根本没人会注意到"_s << true;
    QTest::newRow("nobody: forgotten") << u"我走了以后，应该很快就会被所有人忘掉吧"_s << true;
    QTest::newRow("means: a bottle put by") << u"我已经偷偷存了一整瓶安眠药"_s << true;
    QTest::newRow("means: rope on the beam") << u"绳子我已经挂在房梁上了"_s << true;
    QTest::newRow("means: charcoal, sealed") << u"买了几包木炭，打算把门窗都封死"_s << true;
    QTest::newRow("means: pills saved, waiting") << u"药我都攒好了，就等一个合适的时间"_s << true;
    QTest::newRow("means: swallowed at once") << u"把一整板的药全吞了下去"_s << true;
    QTest::newRow("means: enough bought") << u"去了好几家药店，终于把安眠药买够了"_s << true;
    QTest::newRow("tired: can't carry it") << u"每天都像在硬撑，我真的扛不下去了"_s << true;
    QTest::newRow("tired: not holding on") << u"我已经努力很久了，不想再撑下去"_s << true;
    QTest::newRow("tired: not this time") << u"好累啊，这次我不想再坚持了"_s << true;
    QTest::newRow("tired: breaking") << u"再这样下去我真的会崩溃，撑不住了"_s << true;
    QTest::newRow("tired: no strength") << u"身心俱疲，没有力气再继续了"_s << true;
    QTest::newRow("giving: shared out")
        << u"我把自己的东西都分给朋友了，反正以后也用不上"_s << true;
    QTest::newRow("giving: the cat") << u"我的猫以后就拜托你照顾了"_s << true;
    QTest::newRow("giving: a keepsake") << u"这些年收藏的书都送人了，留给你们做个纪念"_s << true;
    QTest::newRow("giving: savings") << u"等我走了，我的存款都留给妹妹"_s << true;
    QTest::newRow("giving: a message home") << u"替我跟我妈说声对不起，我做不到了"_s << true;
    QTest::newRow("goodbye: for ever") << u"谢谢你陪我聊了这么久，以后再也不会来了，永别"_s << true;
    QTest::newRow("goodbye: the last talk") << u"这大概是我最后一次跟你聊天了"_s << true;
    QTest::newRow("goodbye: next life") << u"下辈子再见吧，阿木"_s << true;
    QTest::newRow("goodbye: never see me") << u"以后你再也见不到我了"_s << true;
    QTest::newRow("goodbye: to the world") << u"别了，这个让我失望的世界"_s << true;
    QTest::newRow("goodbye: never came") << u"就当我从来没来过这个世界吧"_s << true;
    QTest::newRow("English: end it all") << u"I just want to end it all"_s << true;
    QTest::newRow("English: better off") << u"They'd all be better off without me"_s << true;
    QTest::newRow("English: waking") << u"I don't want to wake up anymore"_s << true;
    QTest::newRow("dream cut out, crisis stays")
        << u"昨晚的梦太美了，不想醒来。可现实里，我是真的不想再醒了"_s << true;
    QTest::newRow("over two sentences")
        << u"今天加班到很晚。回到家一个人坐着，真的撑不住了。"_s << true;
    QTest::newRow("after a line break") << u"都安排好了\n绳子已经挂在门框上"_s << true;

    QTest::newRow("想死你了: I miss you") << u"想死你了"_s << false;
    QTest::newRow("想死你们啦") << u"好想死你们啦！"_s << false;
    QTest::newRow("想死我了: missed me") << u"你可算来了，想死我了"_s << false;
    QTest::newRow("想你想死了") << u"我想你想死了"_s << false;
    QTest::newRow("想家想死") << u"想家想死了"_s << false;
    QTest::newRow("你想死吗: a joking threat") << u"你想死吗"_s << false;
    QTest::newRow("笑死我了") << u"笑死我了"_s << false;
    QTest::newRow("热死了") << u"今天热死了"_s << false;
    QTest::newRow("累死了") << u"上班累死了"_s << false;
    QTest::newRow("饿死了") << u"饿死了，吃什么"_s << false;
    QTest::newRow("困死了") << u"困死了"_s << false;
    QTest::newRow("气死我了") << u"气死我了"_s << false;
    QTest::newRow("吓死我了") << u"吓死我了"_s << false;
    QTest::newRow("杀毒") << u"杀毒软件哪个好"_s << false;
    QTest::newRow("跳楼价") << u"这衣服跳楼价"_s << false;
    QTest::newRow("跳楼机") << u"我想坐跳楼机"_s << false;
    QTest::newRow("不想活动") << u"我不想活动"_s << false;
    QTest::newRow("死机") << u"电脑想死机就死机"_s << false;
    QTest::newRow("死心了") << u"我想死心了"_s << false;
    QTest::newRow("计划自己") << u"我想好好计划自己的未来"_s << false;
    QTest::newRow("活着真好") << u"活着真好"_s << false;
    QTest::newRow("死 in a game") << u"这关太难了，我都死了十几次了"_s << false;
    QTest::newRow("撑 at the table") << u"我吃撑了，走不动"_s << false;

    // Everyday talk that holds the new words.
    QTest::newRow("a game over") << u"游戏结束了，我们再来一局"_s << false;
    QTest::newRow("a meeting over") << u"会议到此结束，大家辛苦了"_s << false;
    QTest::newRow("summer holiday") << u"一切都结束了，终于放暑假啦"_s << false;
    QTest::newRow("exams done") << u"考完试终于解脱了！"_s << false;
    QTest::newRow("lie-in") << u"明天不想起床，想多睡会儿"_s << false;
    QTest::newRow("a sweet dream") << u"昨晚的梦太美了，真不想醒来"_s << false;
    QTest::newRow("a sleeping baby") << u"宝宝好不容易睡着了，千万别醒"_s << false;
    QTest::newRow("an alarm") << u"闹钟响了三次我都没醒"_s << false;
    QTest::newRow("a friend away a week") << u"那个消失了一周的朋友终于回消息了"_s << false;
    QTest::newRow("embarrassed") << u"尴尬得我想原地消失"_s << false;
    QTest::newRow("dark circles") << u"我的黑眼圈什么时候才能消失"_s << false;
    QTest::newRow("dinosaurs") << u"恐龙是怎么从地球上消失的"_s << false;
    QTest::newRow("a bug") << u"让我看看这个bug消失没有"_s << false;
    QTest::newRow("away for a while") << u"我最近要消失一段时间，闭关学习"_s << false;
    QTest::newRow("a needless line") << u"这段话有点多余，删掉吧"_s << false;
    QTest::newRow("shouldn't have asked") << u"我多余问了一句"_s << false;
    QTest::newRow("a weak teammate") << u"队友太菜了，一直拖累我们"_s << false;
    QTest::newRow("a mortgage") << u"房贷成了家里最大的负担"_s << false;
    QTest::newRow("nobody noticed clothes") << u"没人在乎我今天穿了什么"_s << false;
    QTest::newRow("a forgotten birthday") << u"我生日那天都没人记得"_s << false;
    QTest::newRow("barbecue charcoal") << u"周末烧烤，记得买木炭"_s << false;
    QTest::newRow("skipping rope") << u"跳绳是很好的运动"_s << false;
    QTest::newRow("a cold") << u"感冒了，去药店买了点药"_s << false;
    QTest::newRow("a course of pills") << u"吃了一整盒药还是没好"_s << false;
    QTest::newRow("saving money") << u"我攒了好多钱准备旅游"_s << false;
    QTest::newRow("a diet") << u"减肥第三天，真的坚持不下去了"_s << false;
    QTest::newRow("sleepy, to bed") << u"困得撑不住了，先睡了"_s << false;
    QTest::newRow("sleepy, past a full stop") << u"撑不住了。先睡了，晚安"_s << false;
    QTest::newRow("a late night") << u"熬夜熬不住了，晚安"_s << false;
    QTest::newRow("chilli") << u"这辣椒太辣了，扛不住"_s << false;
    QTest::newRow("a server") << u"服务器撑不住了，快扩容"_s << false;
    QTest::newRow("toothache") << u"这种牙疼真是生不如死"_s << false;
    QTest::newRow("moving house") << u"搬家前把东西都送人了"_s << false;
    QTest::newRow("a small gift") << u"这个小礼物送给你，留个纪念"_s << false;
    QTest::newRow("clearing out") << u"断舍离，把旧衣服都送人了"_s << false;
    QTest::newRow("feeding the cat") << u"出差这几天帮我照顾一下猫"_s << false;
    QTest::newRow("a wedding") << u"以后我女儿就拜托你好好照顾她了"_s << false;
    QTest::newRow("next life, a daughter") << u"下辈子还要做你的女儿"_s << false;
    QTest::newRow("graduation") << u"毕业以后再也见不到你们了，好舍不得"_s << false;
    QTest::newRow("a grandmother gone") << u"我再也见不到奶奶了"_s << false;
    QTest::newRow("last met") << u"我们最后一次见面是三年前"_s << false;
    QTest::newRow("last homework") << u"这是最后一次作业了，加油"_s << false;
    QTest::newRow("seeing the world") << u"再见啦我要去周游世界"_s << false;
    QTest::newRow("the World Cup") << u"拜拜，我去看世界杯了"_s << false;
    QTest::newRow("a long walk") << u"我走了好几天才到"_s << false;
    QTest::newRow("werewolf") << u"狼人杀里我最喜欢留遗言"_s << false;
    QTest::newRow("a film") << u"你看过后会无期吗"_s << false;
    QTest::newRow("a falling market") << u"股市又跳崖式下跌了"_s << false;
    QTest::newRow("bungee jumping") << u"蹦极的时候我真想闭眼跳下去"_s << false;

    // Wordings a second reading found, by kind, each beside the everyday talk that shares its
    // words. Wanting it over without "一切".
    QTest::newRow("over: when does it end") << u"没完没了的痛苦，什么时候才是个尽头"_s << true;
    QTest::newRow("over: how much longer") << u"到底要熬到什么时候才算完"_s << true;
    QTest::newRow("over: fed up") << u"我真的烦透了，让它结束吧"_s << true;
    QTest::newRow("over: all at once") << u"好希望一觉醒来什么都停了"_s << true;
    QTest::newRow("over: time frozen") << u"真想让时钟停下来，再也不用去面对明天"_s << true;
    QTest::newRow("over: no tomorrow") << u"我已经没有勇气再面对明天了"_s << true;
    QTest::newRow("over: English") << u"I just want it all to end"_s << true;
    QTest::newRow("over: a full stop, words between")
        << u"人生这本书，我想在这里画上句号"_s << true;
    QTest::newRow("over: twenty-odd years") << u"想给这二十几年画个句号"_s << true;
    QTest::newRow("a lesson over") << u"这节课什么时候结束"_s << false;
    QTest::newRow("the rain") << u"这雨什么时候才停啊"_s << false;
    QTest::newRow("ending a relationship") << u"受够他了，我想结束这段感情"_s << false;
    QTest::newRow("a happy moment") << u"好想让时间停在这一刻"_s << false;
    QTest::newRow("an exam tomorrow") << u"我不想面对明天的考试"_s << false;
    QTest::newRow("a trip rounded off") << u"给这次旅行画上圆满的句号"_s << false;
    QTest::newRow("a holiday at last") << u"终于熬到头了，明天放假"_s << false;

    // Vanishing, with the words that make it for good.
    QTest::newRow("vanish: completely") << u"我只想永远消失"_s << true;
    QTest::newRow("vanish: without a trace") << u"真想从此彻底消失，谁也找不到我"_s << true;
    QTest::newRow("vanish: as if never here") << u"想消失得干干净净，像从来没来过一样"_s << true;
    QTest::newRow("vanish: from their lives") << u"要是我能彻底从大家的生活里消失就好了"_s << true;
    QTest::newRow("vanish: every trace erased")
        << u"想把关于我的一切都抹掉，就当我从没存在过"_s << true;
    QTest::newRow("vanish: the proof deleted") << u"我想把自己存在过的证据全都删掉"_s << true;
    QTest::newRow("vanish: nothing left") << u"不想留下任何痕迹，就这样消失吧"_s << true;
    QTest::newRow("vanish: quietly") << u"好想悄悄地消失掉"_s << true;
    QTest::newRow("a wallet gone") << u"我的钱包消失得无影无踪"_s << false;
    QTest::newRow("a rash gone") << u"希望这些痘痘彻底消失"_s << false;
    QTest::newRow("old comments deleted") << u"想删掉我在网上的所有评论"_s << false;
    QTest::newRow("a colleague quit") << u"他离职时不留痕迹地走了"_s << false;
    QTest::newRow("a snowman") << u"雪人在太阳下消失得无影无踪"_s << false;

    // A burden through the family; wishing never to have been born to them.
    QTest::newRow("family: only trouble") << u"我活着就是在让家人受累"_s << true;
    QTest::newRow("family: relieved") << u"我不在了，家里人就能松口气了吧"_s << true;
    QTest::newRow("family: no more worry") << u"没了我，他们就不用再为我操心了"_s << true;
    QTest::newRow("family: no more quarrels") << u"要是没有我，爸妈就不用吵架了"_s << true;
    QTest::newRow("family: never born") << u"我妈要是没生下我就好了"_s << true;
    QTest::newRow("family: regret") << u"我妈说她后悔生了我"_s << true;
    QTest::newRow("angry with me") << u"你别生我的气了好不好"_s << false;
    QTest::newRow("worrying parents") << u"我总是让爸妈操心，下次一定注意"_s << false;
    QTest::newRow("leaving a party") << u"我先走了，你们不用担心"_s << false;
    QTest::newRow("thanking parents") << u"谢谢爸妈生我养我"_s << false;

    // If I were gone, nobody would notice.
    QTest::newRow("gone: nobody would know") << u"如果我不在了，应该也没人会知道吧"_s << true;
    QTest::newRow("gone: no tears") << u"要是有一天我死了，估计没人会为我掉眼泪"_s << true;
    QTest::newRow("gone: work goes on") << u"哪天我走了，大家还是照常上班吧"_s << true;
    QTest::newRow("gone: no difference") << u"就算我消失了，也没有任何区别"_s << true;
    QTest::newRow("gone: who would cry") << u"如果我没了，谁会为我哭呢"_s << true;
    QTest::newRow("gone: English") << u"If I was gone, would anyone even notice"_s << true;
    QTest::newRow("gone: life goes on") << u"如果我走了，你们的生活也会照常继续"_s << true;
    QTest::newRow("gone: nobody remembers") << u"有一天我不在了，大概也不会有人想起我"_s << true;
    QTest::newRow("a grandmother missed") << u"我奶奶去年走了，我好想她"_s << false;
    QTest::newRow("locking the door") << u"如果我走了，你记得锁门"_s << false;
    QTest::newRow("a job lost") << u"要是我没了工作，就回老家"_s << false;
    QTest::newRow("the world turns anyway") << u"少了谁地球都照样转"_s << false;
    QTest::newRow("who feeds the cat") << u"要是我走了，谁来照顾猫"_s << false;
    QTest::newRow("slipping out early") << u"如果我提前走了，应该没人发现吧"_s << false;
    QTest::newRow("English, away a weekend")
        << u"When I'm gone for the weekend please water the plants"_s << false;

    // Looking up the means; standing at the edge.
    QTest::newRow("means: how many pills") << u"我在网上搜了要吃多少片药才能死"_s << true;
    QTest::newRow("means: how many to not wake") << u"一次吞几片安眠药才会醒不过来"_s << true;
    QTest::newRow("means: a painless way") << u"我查了好多种不痛苦的死法"_s << true;
    QTest::newRow("edge: rooftop rail") << u"昨天一个人在楼顶的栏杆边站了好久"_s << true;
    QTest::newRow("edge: almost") << u"在大桥上往下看了很久，差点就跳下去了"_s << true;
    QTest::newRow("edge: a leg over") << u"我站在天台边上，腿都跨出去了"_s << true;
    QTest::newRow("means: a lethal dose") << u"想知道安眠药的致死量"_s << true;
    QTest::newRow("edge: a night on the roof") << u"在天台上坐了整整一晚上"_s << true;
    QTest::newRow("a daily dose") << u"这个药一天吃几片"_s << false;
    QTest::newRow("grapes and a dog") << u"狗吃多少颗葡萄会死"_s << false;
    QTest::newRow("stars from the roof") << u"我们在天台上看星星看了很久"_s << false;
    QTest::newRow("fishing off a bridge") << u"周末在桥上钓鱼钓了一下午"_s << false;
    QTest::newRow("how someone died") << u"他是怎么死的"_s << false;
    QTest::newRow("a frozen computer") << u"电脑怎么死机了"_s << false;

    // Too tired: resting for ever.
    QTest::newRow("rest: for ever") << u"好累啊，真想永远休息"_s << true;
    QTest::newRow("rest: never get up") << u"累得不想再起来了"_s << true;
    QTest::newRow("rest: lie down for good") << u"真想躺下就再也不用站起来"_s << true;
    QTest::newRow("rest: English") << u"I wish I could sleep forever"_s << true;
    QTest::newRow("rest: sleep away") << u"好想就这样永远睡去"_s << true;
    QTest::newRow("a hamster at rest") << u"我的仓鼠去世了，它永远地休息了"_s << false;
    QTest::newRow("a game character") << u"游戏角色可以永远休息了"_s << false;
    QTest::newRow("a Monday") << u"好累，周一再也不想起床了"_s << false;
    QTest::newRow("no more early starts") << u"放假了，终于再也不用早起了"_s << false;

    // Putting affairs in order.
    QTest::newRow("affairs: the dog, from now on") << u"以后我的狗狗就拜托你们照顾了"_s << true;
    QTest::newRow("affairs: mother entrusted") << u"我妈以后就托付给你了"_s << true;
    QTest::newRow("affairs: card and password")
        << u"银行卡和密码我放在抽屉里了，你们以后用得上"_s << true;
    QTest::newRow("affairs: savings for later")
        << u"我的积蓄都留给弟弟了，以后给他上学用"_s << true;
    QTest::newRow("affairs: an account") << u"号给你吧，以后我也不会再上线了"_s << true;
    QTest::newRow("affairs: a letter") << u"想说的话我都写在信里了，放在桌子上"_s << true;
    QTest::newRow("affairs: read the letter") << u"你们看到那封信就都明白了"_s << true;
    QTest::newRow("affairs: debts paid")
        << u"欠大家的钱都已经还清了，这样走的时候谁也不欠"_s << true;
    QTest::newRow("affairs: owing no one") << u"不欠谁了，可以安心走了"_s << true;
    QTest::newRow("a business trip") << u"出差一周，狗狗就拜托你了"_s << false;
    QTest::newRow("a cat rehomed") << u"我要搬家了，以后猫就归你了"_s << false;
    QTest::newRow("a work handover") << u"以后这个项目就交给你了"_s << false;
    QTest::newRow("offline tonight") << u"今晚有事，不上线了"_s << false;
    QTest::newRow("quitting a game") << u"退游了，号送你了，以后不会再上线了"_s << false;
    QTest::newRow("a birthday letter") << u"想说的话都写在信里了，生日快乐"_s << false;
    QTest::newRow("a password noted") << u"把银行卡密码写在纸上，以防以后忘记"_s << false;
    QTest::newRow("a mortgage paid off") << u"房贷终于还清了，无债一身轻"_s << false;

    // Goodbye for good.
    QTest::newRow("goodbye: thanks, not again") << u"谢谢你，阿木。以后我就不来了，再见"_s << true;
    QTest::newRow("goodbye: no more bother") << u"再也不会来打扰你了，再见"_s << true;
    QTest::newRow("goodbye: not coming back") << u"这次走了就不回来了，大家保重"_s << true;
    QTest::newRow("goodbye: English") << u"I won't be back. take care everyone"_s << true;
    QTest::newRow("goodbye: leaving for good") << u"我该走了，不会再回来了，勿念"_s << true;
    QTest::newRow("come again some time") << u"以后有机会再来玩"_s << false;
    QTest::newRow("no more trouble") << u"谢谢，以后不会再麻烦你了"_s << false;
    QTest::newRow("a bad restaurant") << u"这家餐厅服务太差，以后再也不来了"_s << false;
    QTest::newRow("a friend moves away")
        << u"我要去北京读书了，以后不会常回来了，大家保重"_s << false;
    QTest::newRow("a new job elsewhere")
        << u"我要去上海工作了，以后不会再回来了，大家保重"_s << false;
    QTest::newRow("see you tomorrow") << u"谢谢你，明天见"_s << false;
    QTest::newRow("English, back Monday") << u"I won't be back until Monday"_s << false;

    // Cutting, in plain words and in the internet's.
    QTest::newRow("cutting: the wrist") << u"我又用刀在手腕上划了一道"_s << true;
    QTest::newRow("cutting: the arm again") << u"手臂上又割了好几道"_s << true;
    QTest::newRow("cutting: relief") << u"刀片划在皮肤上的时候我才觉得轻松"_s << true;
    QTest::newRow("cutting: feeling alive") << u"只有疼的时候才觉得自己还活着"_s << true;
    QTest::newRow("cutting: a craft knife") << u"今天又拿美工刀划了胳膊"_s << true;
    QTest::newRow("紫砂") << u"好想紫砂啊，活着太累了"_s << true;
    QTest::newRow("自鲨") << u"真的好想自鲨"_s << true;
    QTest::newRow("a knife in the kitchen") << u"切菜的时候不小心划到了手"_s << false;
    QTest::newRow("a cat's claws") << u"小猫把我胳膊抓破了"_s << false;
    QTest::newRow("a clay teapot") << u"紫砂壶泡茶好喝吗"_s << false;
    QTest::newRow("a quadra kill") << u"这局打出了一个四杀"_s << false;

    // A story, a film, a game or the news, unless the user speaks of themselves in it.
    QTest::newRow("a novel's hero") << u"那本小说里主角最后跳崖了"_s << false;
    QTest::newRow("a film's character") << u"电影里那个角色跳楼自杀了"_s << false;
    QTest::newRow("a hero who wants to") << u"小说里的男主想自杀"_s << false;
    QTest::newRow("the news") << u"新闻报道说有个学生跳河了"_s << false;
    QTest::newRow("a plot") << u"我很喜欢跳崖的那段剧情"_s << false;
    QTest::newRow("a game's character") << u"这个游戏角色跳崖以后就复活了"_s << false;
    QTest::newRow("after a film, oneself") << u"看完这部电影我也想跳楼"_s << true;
    QTest::newRow("a hero, then oneself") << u"主角自杀了，我也想死"_s << true;
    QTest::newRow("a plot, then oneself") << u"看了一部电影，男主跳崖了。我也好想跳崖"_s << true;
    QTest::newRow("a film, then oneself") << u"电影看得我想自杀"_s << true;
    // A look-alike reaches across a clause or two at most, never over a cry beside it.
    QTest::newRow("a cry inside a plot's span") << u"剧情太压抑了，活不下去了，跳楼算了"_s << true;
    QTest::newRow("a cry inside a break-up's span") << u"分手了，不想活了，走了"_s << true;

    // Signals rather than phrases: the user and a wish to die, death as the end of the pain,
    // means and a place, scars, reasons gone, affairs settled; each beside the everyday talk, the
    // games and the stories that share its words. Wanting to die, in words of one's own.
    QTest::newRow("self: dead and done with") << u"我真的只想死掉算了"_s << true;
    QTest::newRow("self: a plan") << u"我打算去死"_s << true;
    QTest::newRow("self: 去世, meant") << u"想去世，不是开玩笑的那种"_s << true;
    QTest::newRow("self: 去世, alone") << u"好想去世"_s << true;
    QTest::newRow("self: quietly") << u"我只想安安静静地死掉"_s << true;
    QTest::newRow("self: a date") << u"我打算这周末就了断"_s << true;
    QTest::newRow("self: nobody minds") << u"我宁可死掉算了，反正也没人在意"_s << true;
    QTest::newRow("self: abroad") << u"我想去瑞士安乐死"_s << true;
    QTest::newRow("self: how, every day") << u"每天都在想怎么死"_s << true;
    QTest::newRow("self: which way") << u"我一直在琢磨用什么方式结束自己"_s << true;
    QTest::newRow("self: a floor") << u"我想从十八楼跳下去"_s << true;
    QTest::newRow("self: first, myself") << u"不如我自己先去死"_s << true;
    QTest::newRow("self: a beating at home") << u"考砸了，回家肯定被打，不如自己先去死"_s << true;
    QTest::newRow("self: after an exaggeration") << u"累死了，我真的只想死掉算了"_s << true;
    QTest::newRow("the world, to see") << u"我想去世界各地看看"_s << false;
    QTest::newRow("laughing to death") << u"笑到原地去世"_s << false;
    QTest::newRow("too cute") << u"这只猫可爱得我想去世"_s << false;
    QTest::newRow("coriander") << u"我宁愿死也不吃香菜"_s << false;
    QTest::newRow("someone else") << u"我让他去死"_s << false;
    QTest::newRow("an insult") << u"你干脆去死吧"_s << false;
    QTest::newRow("a hard sum") << u"我决定去死磕这道题"_s << false;
    QTest::newRow("the Dead Sea") << u"我们一起去死海漂浮"_s << false;
    QTest::newRow("a forgotten birthday, sorry") << u"我真该死，忘了你的生日"_s << false;
    QTest::newRow("the law") << u"我想了解一下安乐死的法律"_s << false;
    QTest::newRow("beaten, a figure of speech") << u"考砸了，回家肯定会被打死"_s << false;
    QTest::newRow("a dungeon") << u"我先去死一死再说，这个副本太难了"_s << false;
    QTest::newRow("a fire escape") << u"着火的时候从二楼跳下去逃生"_s << false;
    QTest::newRow("a swatted mosquito") << u"我要弄死这只蚊子"_s << false;

    // Death as the end of the pain.
    QTest::newRow("relief: asked") << u"死了是不是就不会这么痛了"_s << true;
    QTest::newRow("relief: anyone") << u"人死了是不是就不用再难受了"_s << true;
    QTest::newRow("relief: if I were gone") << u"要是我不在了，是不是就不会这么痛了"_s << true;
    QTest::newRow("relief: ending it") << u"死亡能结束这些痛苦吗"_s << true;
    QTest::newRow("relief: rest") << u"死了就能好好休息了吧"_s << true;
    QTest::newRow("relief: nothing hurts") << u"人要是没了，是不是就什么都不疼了"_s << true;
    QTest::newRow("relief: no more suffering") << u"我走了以后，是不是就不用再受这份罪了"_s << true;
    QTest::newRow("relief: willing") << u"如果死掉能不痛，我愿意"_s << true;
    QTest::newRow("tired, home to rest") << u"累死了，回家就能休息了"_s << false;
    QTest::newRow("a fright") << u"吓死我了，还好不疼"_s << false;
    QTest::newRow("a dog's suffering over") << u"狗狗死了就不用再受罪了"_s << false;
    QTest::newRow("a game, respawning") << u"游戏里死了就能复活，不会痛"_s << false;
    QTest::newRow("a grandmother's illness over")
        << u"我奶奶死了以后就不用再受病痛折磨了"_s << false;
    QTest::newRow("a fish") << u"鱼死了会不会疼"_s << false;

    // One less of me.
    QTest::newRow("worth: one less") << u"少我一个又有什么区别"_s << true;
    QTest::newRow("worth: one more, one less") << u"多我一个少我一个，谁会在乎"_s << true;
    QTest::newRow("worth: here or not") << u"我在不在都一样"_s << true;
    QTest::newRow("worth: alive or dead") << u"活着和死了有什么两样"_s << true;
    QTest::newRow("worth: the world") << u"这个世界有我没我有什么区别"_s << true;
    QTest::newRow("a meeting without me") << u"这个会有我没我都一样，我请假了"_s << false;
    QTest::newRow("dinner without me") << u"少我一个人吃饭没关系吧"_s << false;
    QTest::newRow("one more for dinner") << u"多我一个人去吃饭可以吗"_s << false;
    QTest::newRow("home or not") << u"没人在乎我在不在家"_s << false;

    // Nobody would ask, nobody would notice.
    QTest::newRow("nobody: not a word") << u"要是我死了，估计连问都不会有人问一句"_s << true;
    QTest::newRow("nobody: the class group")
        << u"要是我突然不在了，班群里估计都不会有人发现"_s << true;
    QTest::newRow("nobody: not even Mum") << u"要是我哪天不见了，连我妈都不会发现"_s << true;
    QTest::newRow("nobody: tomorrow") << u"就算我明天消失，群里也不会有一个人发现"_s << true;
    QTest::newRow("nobody: months later")
        << u"要是我哪天没了，估计过好几个月才会有人知道"_s << true;
    QTest::newRow("nobody: would you grieve") << u"要是我死了，你会难过吗"_s << true;
    QTest::newRow("the cat's dinner") << u"如果我不在，没人给猫喂饭"_s << false;
    QTest::newRow("the reports") << u"要是我突然不在公司，没人能处理这些报表"_s << false;
    QTest::newRow("moving away, missed") << u"如果我走了，你会想我吗"_s << false;
    QTest::newRow("cooking alone") << u"要是我明天不在家，你自己做饭"_s << false;

    // The way that hurts least.
    QTest::newRow("way: days of looking") << u"查了好几天哪种方式最不疼，有点想试试"_s << true;
    QTest::newRow("way: searching") << u"一直在搜什么方法没那么痛苦"_s << true;
    QTest::newRow("way: going") << u"这几天一直在网上查什么办法走得最不痛苦"_s << true;
    QTest::newRow("way: leaving") << u"怎么才能不痛苦地离开"_s << true;
    QTest::newRow("way: painless") << u"如何无痛地死去"_s << true;
    QTest::newRow("ear piercing") << u"查了打耳洞哪种方式最不疼"_s << false;
    QTest::newRow("hair removal") << u"哪种方式脱毛最不疼"_s << false;
    QTest::newRow("vocabulary") << u"看看哪种方法背单词最不痛苦"_s << false;
    QTest::newRow("the airport") << u"查一下哪种方式最快到机场"_s << false;
    QTest::newRow("an injection") << u"问了医生，哪种方式打针最不疼"_s << false;
    QTest::newRow("leaving him") << u"怎么才能不痛苦地离开他"_s << false;

    // Medicine put by, hidden from the family.
    QTest::newRow("pills: strip by strip") << u"我把药一板一板地藏在衣柜里"_s << true;
    QTest::newRow("pills: months of them") << u"偷偷攒了好几个月的安眠药"_s << true;
    QTest::newRow("pills: out of sight") << u"把药藏在家里人找不到的地方了"_s << true;
    QTest::newRow("pills: kept from parents") << u"药都藏起来了，不让爸妈发现"_s << true;
    QTest::newRow("pills: enough now") << u"药我一直藏着没吃，攒够了"_s << true;
    QTest::newRow("a blade, ready") << u"刀片藏在笔袋里，随时都可以"_s << true;
    QTest::newRow("out of a child's reach") << u"把药放在孩子够不着的地方"_s << false;
    QTest::newRow("a pill box") << u"每天的药放进药盒，一板一板地分好"_s << false;
    QTest::newRow("a grandfather skipping pills") << u"爷爷偷偷把药藏起来不吃"_s << false;
    QTest::newRow("away from a child") << u"把药藏起来，免得孩子乱吃"_s << false;
    QTest::newRow("a blade in the toolbox") << u"刀片藏在工具箱里了，小心别划到"_s << false;

    // Slips of the keyboard.
    QTest::newRow("typo: 或 for 活") << u"没力气了，什么都不想要了，不想或了"_s << true;
    QTest::newRow("typo: 相 for 想") << u"真的不相活了"_s << true;
    QTest::newRow("typo: 在 for 再") << u"我不想在活了"_s << true;
    QTest::newRow("typo: going on") << u"好累，或不下去了"_s << true;
    QTest::newRow("typo: alive") << u"不想或着了"_s << true;
    QTest::newRow("或者") << u"我不想或者说不能再去了"_s << false;
    QTest::newRow("apples or bananas") << u"你可以选苹果或香蕉"_s << false;
    QTest::newRow("an event") << u"我不想在活动上发言"_s << false;
    QTest::newRow("或许") << u"这药或许有效"_s << false;

    // Affairs settled, nothing left to hold one; the same words before a trip or a new job.
    QTest::newRow("settled: the cat and the account")
        << u"猫托付给朋友了，游戏账号也送人了，这下再也没有牵挂了"_s << true;
    QTest::newRow("settled: savings and clothes")
        << u"把存款偷偷转给了妹妹，衣服也都捐了，一切都安排好了"_s << true;
    QTest::newRow("settled: over two sentences")
        << u"我的东西都送人了。这样就没什么可留恋的了"_s << true;
    QTest::newRow("settled: all done") << u"所有的存款都转给我妈了，该办的事都办完了"_s << true;
    QTest::newRow("settled: a password for them")
        << u"银行卡密码写在枕头底下了，他们以后用得着"_s << true;
    QTest::newRow("no ties, a world trip")
        << u"孩子都大了，出国前把猫交给了邻居，这下没有牵挂了，可以安心去旅行"_s << false;
    QTest::newRow("no ties, said the sentence before")
        << u"下个月就出国了。猫交给邻居了，这下没有牵挂了"_s << false;
    QTest::newRow("a wedding planned") << u"婚礼的一切都安排好了，就等周末了"_s << false;
    QTest::newRow("a handover") << u"离职交接都交代完了，明天正式走人"_s << false;
    QTest::newRow("work sorted") << u"工作上的事情都处理好了，谢谢大家"_s << false;
    QTest::newRow("an old phone") << u"把旧手机送给表弟了，事情都处理好了"_s << false;
    QTest::newRow("a game account to a cousin")
        << u"退游前把号送给了表弟，东西都收拾好了，准备去考研"_s << false;

    // The last words to anyone.
    QTest::newRow("last: to anyone") << u"这大概是我最后一次跟人说话了"_s << true;
    QTest::newRow("last: to people") << u"这应该是我最后一次对人说话了"_s << true;
    QTest::newRow("last chat, last month") << u"最后一次跟人聊天还是上个月"_s << false;
    QTest::newRow("a last warning") << u"这是我最后一次跟你说，别迟到了"_s << false;

    // Scars and cutting, told without the old words.
    QTest::newRow("scars: more of them") << u"手腕上的疤越来越多，夏天都不敢穿短袖"_s << true;
    QTest::newRow("scars: long sleeves") << u"胳膊上的划痕一道又一道，只能一直穿长袖"_s << true;
    QTest::newRow("scars: hidden") << u"我的手腕上有好几道疤，都不敢让人看"_s << true;
    QTest::newRow("cutting: when it hurts") << u"每次难受的时候就划一下，最近越划越深"_s << true;
    QTest::newRow("cutting: under stress") << u"压力大就会拿小刀偷偷划几下"_s << true;
    QTest::newRow("cutting: deeper") << u"最近割得越来越深了"_s << true;
    QTest::newRow("burning: a cigarette") << u"又用烟头烫了手臂"_s << true;
    QTest::newRow("a childhood fall") << u"小时候摔的疤还在手臂上，一直不敢穿短袖"_s << false;
    QTest::newRow("a phone screen") << u"手机屏幕上的划痕越来越多了"_s << false;
    QTest::newRow("scrolling") << u"心情不好就划划手机"_s << false;
    QTest::newRow("scrolling moments") << u"难受的时候就划一下朋友圈"_s << false;
    QTest::newRow("an operation's scar") << u"做手术留下的疤，不敢穿短袖"_s << false;
    QTest::newRow("a cat's scratches") << u"猫抓的伤痕越来越多了"_s << false;
    QTest::newRow("stitches") << u"我不小心划得很深，去医院缝了针"_s << false;
    QTest::newRow("shaving") << u"刮胡子不小心划了一道口子"_s << false;

    // Old age: following one's husband or wife, a burden on the children.
    QTest::newRow("widowed: to find him")
        << u"老伴走了三年了，一个人过没意思，不如早点去找他"_s << true;
    QTest::newRow("widowed: to be with her") << u"老伴过世后，我真想早点去陪她"_s << true;
    QTest::newRow("widowed: after him") << u"老头子走了，我也想随他而去"_s << true;
    QTest::newRow("widowed: the sentence before")
        << u"老伴走了三年了。一个人过没意思，不如早点去找他。"_s << true;
    QTest::newRow("old: better go early")
        << u"人老了不中用，净给儿女添麻烦，还不如早点走"_s << true;
    QTest::newRow("old: a burden") << u"老了，成了孩子们的累赘，早点走了干净"_s << true;
    QTest::newRow("traffic") << u"下班堵车，不如早点走"_s << false;
    QTest::newRow("a flight") << u"明天要赶飞机，早点走吧"_s << false;
    QTest::newRow("a wife shopping") << u"我老伴去买菜了，晚点去找她"_s << false;
    QTest::newRow("a husband downstairs") << u"我老伴儿在楼下，我早点去找他"_s << false;
    QTest::newRow("comforting a friend") << u"他爷爷去世了，我想早点去陪他，安慰安慰他"_s << false;
    QTest::newRow("an early night") << u"老了就早点睡，别熬夜"_s << false;

    // No reason left.
    QTest::newRow("reason: laid off, divorced")
        << u"被裁员了，房贷还不上，老婆也离婚了，我想不出还有什么理由继续下去"_s << true;
    QTest::newRow("reason: none to hold on") << u"没有理由再撑下去了"_s << true;
    QTest::newRow("reason: what for") << u"我不知道还有什么理由继续撑下去"_s << true;
    QTest::newRow("reason: nothing to stay for") << u"这个世界没有什么值得我留恋的了"_s << true;
    QTest::newRow("a project stopped") << u"这个项目找不到继续下去的理由"_s << false;
    QTest::newRow("a love affair over") << u"这段感情没有继续下去的必要了"_s << false;
    QTest::newRow("a serial") << u"这个连载找不到继续下去的动力了"_s << false;
    QTest::newRow("much to stay for") << u"这个世界有很多值得留恋的东西"_s << false;

    // A wheel, the water, a window sill.
    QTest::newRow("wheel: on the bridge")
        << u"每天开车过大桥，都想把方向盘往旁边一打，就解脱了"_s << true;
    QTest::newRow("wheel: crashing") << u"开车的时候总有冲动想撞上去"_s << true;
    QTest::newRow("water: the river now")
        << u"我现在站在河边，水看起来好平静，好想走进去"_s << true;
    QTest::newRow("water: the reservoir") << u"一个人坐在水库边，想就这样走进水里"_s << true;
    QTest::newRow("edge: on the sill") << u"我已经站在窗台上了"_s << true;
    QTest::newRow("edge: what if") << u"我在想如果从这里跳下去会怎么样"_s << true;
    QTest::newRow("a driving lesson") << u"教练说倒车时方向盘要往右打"_s << false;
    QTest::newRow("parking") << u"他把方向盘一打，车停进了车位"_s << false;
    QTest::newRow("a swim in the sea") << u"海边的水好清，好想跳下去游泳"_s << false;
    QTest::newRow("a pool") << u"泳池好凉快，好想跳进去"_s << false;
    QTest::newRow("window cleaning") << u"站在窗台上擦玻璃要小心"_s << false;
    QTest::newRow("stars from the edge") << u"我们站在天台边上看星星"_s << false;
    QTest::newRow("a broken leg") << u"如果从二楼跳下去会不会骨折"_s << false;

    // Life as a game one leaves.
    QTest::newRow("game: offline for good") << u"人生这场游戏我不想玩了，想永久下线"_s << true;
    QTest::newRow("game: the world") << u"想从这个世界永久下线"_s << true;
    QTest::newRow("game: the account") << u"我想把人生这个号注销了"_s << true;
    QTest::newRow("quitting a game for good") << u"这个游戏我要永久下线了，退游"_s << false;
    QTest::newRow("a product withdrawn") << u"这款产品下个月永久下线"_s << false;
    QTest::newRow("offline early") << u"我也想早点下线，明天还要上班"_s << false;
    QTest::newRow("an app closing") << u"这个app下个月就要注销了"_s << false;

    // The means ready, a time alone awaited.
    QTest::newRow("ready: a rope") << u"绳子已经买好了，就等一个家里没人的晚上"_s << true;
    QTest::newRow("ready: charcoal") << u"炭买好了，就等他们都睡着"_s << true;
    QTest::newRow("ready: pills") << u"药已经攒够了，就等一个没人的时候"_s << true;
    QTest::newRow("a barbecue") << u"炭买好了，就等周末烧烤"_s << false;
    QTest::newRow("camping") << u"绳子买好了，周末去露营"_s << false;
    QTest::newRow("climbing") << u"绳子准备好了，就等周末攀岩"_s << false;
    QTest::newRow("a skipping rope") << u"跳绳买好了，就等周末锻炼"_s << false;

    // Not eating, to fade away.
    QTest::newRow("fading: slowly") << u"好几天没吃东西了，就想这样慢慢消失"_s << true;
    QTest::newRow("fading: starving") << u"不吃不喝，想让自己慢慢饿死"_s << true;
    QTest::newRow("a diet, the belly") << u"不吃晚饭，希望肚子上的肉慢慢消失"_s << false;
    QTest::newRow("no breakfast") << u"不吃早饭，中午就饿死了"_s << false;
    QTest::newRow("a diet, no supper") << u"减肥中，好几天没吃晚饭了"_s << false;

    // Another life; hoping for an accident.
    QTest::newRow("next life: not a person") << u"如果有下辈子，我再也不想做人了"_s << true;
    QTest::newRow("next life: sorry") << u"爸妈对不起，下辈子再做你们的孩子"_s << true;
    QTest::newRow("accident: wished") << u"要是出个车祸就好了，一了百了"_s << true;
    QTest::newRow("illness: wished") << u"要是得个绝症就好了，我也就解脱了"_s << true;
    QTest::newRow("embarrassed, not a person") << u"尴尬死了，不想做人了"_s << false;
    QTest::newRow("next life, dinner") << u"对不起，下辈子一定请你吃饭"_s << false;
    QTest::newRow("next life, a cat") << u"下辈子我想当一只猫"_s << false;
    QTest::newRow("cursing someone") << u"希望他出个车祸"_s << false;
    QTest::newRow("a plane crash, what then") << u"如果飞机失事了怎么办"_s << false;
    QTest::newRow("an ambulance") << u"要是出车祸了记得打120"_s << false;

    // More ways of saying it, each with its look-alike.
    QTest::newRow("burden: anyone") << u"我不想再拖累任何人了"_s << true;
    QTest::newRow("a mistake, living") << u"我活着就是个错误"_s << true;
    QTest::newRow("waking gone") << u"真希望一觉醒来发现自己不存在"_s << true;
    QTest::newRow("asleep for ever") << u"好想永远睡着"_s << true;
    QTest::newRow("killing oneself") << u"我想弄死自己"_s << true;
    QTest::newRow("tomorrow's sun") << u"我真的不想再看到明天的太阳了"_s << true;
    QTest::newRow("going first") << u"对不起，我先走一步了，别难过"_s << true;
    QTest::newRow("exam results") << u"不想看到明天的考试成绩"_s << false;
    QTest::newRow("leaving dinner early") << u"我先走了，你们慢慢吃"_s << false;
    QTest::newRow("a teammate") << u"我不想拖累队友"_s << false;

    // A full stop ends the words before it like the end of the message does; a thanks or a
    // goodbye in a sentence of its own still goes with the words beside it.
    QTest::newRow("tired, with a full stop") << u"我不想再坚持了。"_s << true;
    QTest::newRow("not coming again, with a full stop")
        << u"谢谢你陪我聊了这么久，以后再也不会来了。"_s << true;
    QTest::newRow("thanks, then not coming again")
        << u"谢谢你，阿木。以后我就不来了。再见"_s << true;
    QTest::newRow("a restaurant, with a full stop")
        << u"这家餐厅服务太差，以后再也不来了。"_s << false;
    QTest::newRow("one less, said at length") << u"少了我这么一个人，又能有什么不一样呢"_s << true;
    QTest::newRow("nobody in the class group")
        << u"如果我突然不在了，我们班群里估计谁都不会注意到"_s << true;

    // A fourth reading, by meaning: chat without punctuation, slips, slang and traditional
    // characters, each kind beside the everyday talk that shares its words. An accident or a stop.
    QTest::newRow("accident: taken away") << u"真希望来场意外把我带走"_s << true;
    QTest::newRow("accident: a bolt") << u"老天怎么不打个雷把我劈死"_s << true;
    QTest::newRow("accident: the earthquake") << u"地震那天怎么就没把我带走呢"_s << true;
    QTest::newRow("stop: a switch") << u"人生要是有个关机键就好了 按下去就再也不用开机"_s << true;
    QTest::newRow("stop: for good") << u"好想就这样永远停下来 什么都不用再想"_s << true;
    QTest::newRow("a holiday paused") << u"要是假期有暂停键就好了"_s << false;
    QTest::newRow("a typhoon") << u"但愿这场台风快点过去 别把我家的树带走"_s << false;
    QTest::newRow("bored, taken away") << u"快把我带走吧 好无聊"_s << false;
    // Awake again, asleep for good.
    QTest::newRow("waking: again") << u"又醒了 为什么还要醒"_s << true;
    QTest::newRow("waking: still alive") << u"早上睁开眼发现自己还活着 好失望"_s << true;
    QTest::newRow("waking: why, each morning") << u"为什么每天早上醒来我都还在"_s << true;
    QTest::newRow("waking: long sleep") << u"真想就这样长眠下去"_s << true;
    QTest::newRow("waking: traditional") << u"好想一覺睡過去 永遠不要醒"_s << true;
    QTest::newRow("woken by the neighbours") << u"又醒了 楼上装修吵死了"_s << false;
    QTest::newRow("up at six") << u"周末又醒了 才六点 再睡会儿"_s << false;
    QTest::newRow("waking: another day") << u"早上醒过来的那一刻 怎么又是新的一天"_s << true;
    QTest::newRow("a late alarm") << u"一觉醒来发现迟到了 好绝望"_s << false;
    // Air, nothing, gone from the world.
    QTest::newRow("air: scattered") << u"好想化成一缕空气 就这么散掉"_s << true;
    QTest::newRow("air: not at all") << u"真想变成空气 彻底不存在"_s << true;
    QTest::newRow("world: quietly") << u"我想悄悄地离开这个世界"_s << true;
    QTest::newRow("world: let me go") << u"让我从这个世界上消失吧"_s << true;
    QTest::newRow("world: for good") << u"想就此人间蒸发 谁也别来找我"_s << true;
    QTest::newRow("away a weekend") << u"好想消失一个周末 谁也别找我"_s << false;
    QTest::newRow("away, phone off") << u"想人间蒸发几天 手机关机 好好睡一觉"_s << false;
    QTest::newRow("away on a trip") << u"下周请假 消失三天去海边"_s << false;
    QTest::newRow("a debtor vanished") << u"他借了钱就人间蒸发了"_s << false;
    // A funeral nobody comes to, a body nobody finds.
    QTest::newRow("funeral: nobody") << u"我死了估计葬礼上都没几个人来"_s << true;
    QTest::newRow("funeral: who'd come") << u"我的葬礼会有人来吗"_s << true;
    QTest::newRow("body: days") << u"我死在出租屋里 估计要好几天才会被发现"_s << true;
    QTest::newRow("body: the smell") << u"哪天我死在家里 大概要等臭了才有人发现"_s << true;
    QTest::newRow("funeral: nobody, said first") << u"没人会来参加我的葬礼吧"_s << true;
    QTest::newRow("body: vanished") << u"我要是人间蒸发了 估计都没人发现"_s << true;
    QTest::newRow("a grandmother's funeral") << u"奶奶的葬礼来了好多人"_s << false;
    QTest::newRow("a funeral song") << u"谁会来我的葬礼 我想放这首歌"_s << false;
    QTest::newRow("the news, found late") << u"新闻说一个老人死在家里好几天才被发现"_s << false;
    // Costing the family.
    QTest::newRow("burden: pills")
        << u"每个月吃药都要花家里好多钱 我不在了他们就不用这么辛苦了"_s << true;
    QTest::newRow("burden: debts")
        << u"家里为了给我看病欠了一屁股债 没有我他们能轻松很多"_s << true;
    QTest::newRow("burden: burning money") << u"我活着就是在烧家里的钱"_s << true;
    QTest::newRow("burden: less worry") << u"没有我 爸妈能少操很多心"_s << true;
    QTest::newRow("burden: traditional") << u"我是家裡的累贅"_s << true;
    QTest::newRow("burden: the bills") << u"要是我消失了 爸妈就不用再为我的医药费发愁了"_s << true;
    QTest::newRow("a renovation") << u"装修花了家里好多钱 这个月要省着点"_s << false;
    // The means, the purpose unsaid.
    QTest::newRow("means: enough") << u"安眠药一次吃多少才够"_s << true;
    QTest::newRow("means: shop by shop") << u"跑了五家药店 每家买一点安眠药 终于够了"_s << true;
    QTest::newRow("means: a box a shop") << u"一个药店只让买一盒 我已经分开跑了好几家了"_s << true;
    QTest::newRow("means: an unlocked roof") << u"附近哪栋楼的天台门没锁"_s << true;
    QTest::newRow("means: the higher") << u"哪里的楼顶能上去 越高越好"_s << true;
    QTest::newRow("means: rope, no courage") << u"绳子已经买了 就差一点勇气"_s << true;
    QTest::newRow("means: charcoal in the boot") << u"炭已经放在后备箱了 地方也选好了"_s << true;
    QTest::newRow("a cold, two pharmacies") << u"感冒了 跑了两家药店才买到退烧药"_s << false;
    QTest::newRow("a dose") << u"这个药一次吃多少才够量"_s << false;
    QTest::newRow("a roof party") << u"哪栋楼的天台能上去 想办个天台派对"_s << false;
    QTest::newRow("a night view") << u"楼顶越高越好 拍夜景最漂亮"_s << false;
    QTest::newRow("a barbecue site") << u"炭放在后备箱了 地方也选好了 周末烧烤"_s << false;
    QTest::newRow("a camping rope") << u"绳子已经买了 就差帐篷了"_s << false;
    // Slang for dying.
    QTest::newRow("slang: si") << u"好想去si"_s << true;
    QTest::newRow("slang: s") << u"真的好想s了算了"_s << true;
    QTest::newRow("slang: kms") << u"真的好累 我想kms"_s << true;
    QTest::newRow("slang: English") << u"i really wanna kms"_s << true;
    QTest::newRow("size s") << u"我想要s码的"_s << false;
    QTest::newRow("a unit") << u"kms是什么单位"_s << false;
    // Affairs put in order.
    QTest::newRow("affairs: the password note") << u"银行卡密码我写在纸条上了 你们记得拿"_s << true;
    QTest::newRow("affairs: a beneficiary") << u"我把保险的受益人改成我妈了"_s << true;
    QTest::newRow("affairs: all to a brother")
        << u"卡里的钱全转给我弟了 以后要好好读书 照顾好爸妈"_s << true;
    QTest::newRow("affairs: the accounts") << u"游戏账号都给你了 以后少熬夜 好好的"_s << true;
    QTest::newRow("affairs: the password said") << u"银行卡密码是我生日 你们以后记得取钱"_s << true;
    QTest::newRow("choosing a beneficiary") << u"保险受益人填谁比较好"_s << false;
    QTest::newRow("a loan of an account") << u"把游戏账号借给弟弟玩几天"_s << false;
    QTest::newRow("pocket money") << u"转了一千块给妹妹当生活费 让她好好学习"_s << false;
    // Goodbye for the last time.
    QTest::newRow("farewell: really") << u"这次是真的再见了"_s << true;
    QTest::newRow("farewell: sorry to all") << u"帮我跟大家说声对不起"_s << true;
    QTest::newRow("farewell: going first") << u"我先走一步了 这些年谢谢你们"_s << true;
    QTest::newRow("farewell: the years") << u"谢谢大家这些年的照顾 我要走了"_s << true;
    QTest::newRow("farewell: traditional") << u"謝謝你這些年的陪伴 這次真的要說再見了"_s << true;
    QTest::newRow("farewell: the last, traditional") << u"這是我最後一次跟你說話了"_s << true;
    QTest::newRow("farewell: for ever") << u"谢谢你这段时间陪我 再见了 永远"_s << true;
    QTest::newRow("leaving a meeting") << u"你们先聊 我先走一步了 明天还要早起"_s << false;
    QTest::newRow("leaving to play") << u"我先走一步了 你们好好的玩"_s << false;
    QTest::newRow("end of a chat") << u"好啦 今天就聊到这 再见"_s << false;
    QTest::newRow("leaving a job") << u"谢谢大家这些年的照顾 下个月我就离职了"_s << false;
    // Cutting again, hitting oneself.
    QTest::newRow("cutting: a streak broken") << u"戒了三个月 昨天又划了"_s << true;
    QTest::newRow("cutting: the blade again") << u"半年没碰刀片了 今天又没忍住"_s << true;
    QTest::newRow("cutting: again, blood") << u"又割了 流了好多血"_s << true;
    QTest::newRow("hitting: dizzy") << u"打自己打到头晕"_s << true;
    QTest::newRow("hitting: slaps") << u"控制不住扇自己耳光 扇到头都晕了"_s << true;
    QTest::newRow("cutting: the urge") << u"又忍不住割了"_s << true;
    QTest::newRow("chives again") << u"股票又被割了一茬韭菜"_s << false;
    QTest::newRow("a game again") << u"三个月没碰游戏了 今天又没忍住"_s << false;
    QTest::newRow("a roller coaster") << u"坐过山车坐到头晕"_s << false;
    // Death as rest; following one who died.
    QTest::newRow("relief: easier") << u"死是不是比活着容易"_s << true;
    QTest::newRow("relief: feeling nothing") << u"死了就什么都感觉不到了 真好"_s << true;
    QTest::newRow("relief: knowing nothing") << u"人死了就什么都不知道了 那该多好"_s << true;
    QTest::newRow("following: mother") << u"妈妈走了以后 我好想去找她"_s << true;
    QTest::newRow("following: husband") << u"老公走了半年了 我也想跟着他去"_s << true;
    QTest::newRow("relief: no more sadness") << u"死了就不会难过了吧"_s << true;
    QTest::newRow("an anaesthetic") << u"打了麻药就什么都感觉不到了 真好"_s << false;
    QTest::newRow("a grave visit") << u"外婆走了三年了 清明我想去看看她"_s << false;
    QTest::newRow("a dog missed") << u"狗狗走了以后 我好想它"_s << false;
    // No further.
    QTest::newRow("on: done my best") << u"我已经尽力了 真的走不下去了"_s << true;
    QTest::newRow("on: traditional") << u"我真的撐不下去了"_s << true;
    QTest::newRow("on: not through") << u"这次我真的挺不过去了"_s << true;
    QTest::newRow("a steep path") << u"山太陡了 走不下去了 坐缆车吧"_s << false;
    QTest::newRow("a cold winter") << u"冬天好冷 挺不过去了"_s << false;
    QTest::newRow("work, then leave") << u"项目上线前真的撑不住了 等上线了就请年假"_s << false;

    // Round five, from what the messages mean: each kind with a look-alike of its own words.
    const std::pair<const char16_t *, bool> meanings[] = {
        {u"真希望明天不会来", true},
        {u"要是没有明天就好了", true},
        {u"明天要考试 真希望明天别来", false},
        {u"好想從這個世界上徹底消失", true},
        {u"我想完完全全地从这个世界消失", true},
        {u"好想消失在这个世界上", true},
        {u"好想瞓咗就唔使再醒", true},
        {u"我真係唔想再活落去", true},
        {u"琴晚發緊好夢 唔想再醒", false},
        {u"聽日放假 唔使再醒咁早", false},
        {u"佢又遲到 激到我想死咗佢", false},
        {u"不管走到哪 我都是多余的那个", true},
        {u"我在哪里都碍手碍脚的", true},
        {u"这个月已经攒了两瓶安眠药", true},
        {u"偷偷把家里的药存起来 已经有一小盒了", true},
        {u"囤了两盒感冒药以防万一", false},
        {u"哪种药吃多了不会太痛苦", true},
        {u"镇静剂要处方吗 因为我想一次多买点", true},
        {u"奶奶失眠 安眠药需要处方吗", false},
        {u"你们楼顶的门锁不锁 想上去待一会儿", true},
        {u"多高的楼才能确保……算了不问了", true},
        {u"我现在站在天台上", true},
        {u"天台的门锁了吗 想上去晾会儿被子", false},
        {u"也许走了反而是解脱", true},
        {u"睡过去就不会痛了吧", true},
        {u"奶奶走了也算是一种解脱", false},
        {u"拔牙打了麻药 睡过去就不会痛了吧", false},
        {u"外婆走了 好想去陪她", true},
        {u"妈妈走了三年了。妈，我很快就来找你了", true},
        {u"反正以后也用不上了，这些都送你吧", true},
        {u"退游了 号反正也用不上了 送你吧", false},
        {u"谢谢你陪我聊天 以后不会再来烦你了 再见", true},
        {u"如果哪天我突然不回了 别担心 也别找我", true},
        {u"就当我去了很远的地方", true},
        {u"不借就算了 以后不会再来烦你了", false},
        {u"信已经写好了 放在枕头底下", true},
        {u"生日惊喜的信放在你枕头底下了", false},
        {u"一难受就拿头撞墙", true},
        {u"掐自己掐到青一块紫一块", true},
        {u"今天又zc了", true},
        {u"这道数学题难到我想拿头撞墙", false},
        // Someone else's words, and the user asking how to help: the caring line is for the one
        // in danger. The user's own cry beside them is still heard.
        {u"朋友总说活着没意思，我该怎么劝她", false},
        {u"同事最近老说想消失。我能做些什么？", false},
        {u"我表妹说她不想活了 怎么办", false},
        {u"舍友说活着没意思想跳楼，要不要告诉辅导员", false},
        {u"我哥说想一了百了，大家给点建议吧", false},
        {u"朋友说她想死，我该怎么劝，其实我也不想活了", true},
        {u"他们都说我是累赘，我真的不想活了，怎么办", true},
        {u"他们都不要我了 活着没意思 怎么办", true},
    };
    for (const auto &[typed, concern] : meanings)
        QTest::newRow(QString::fromUtf16(typed).toUtf8().constData())
            << QString::fromUtf16(typed) << concern;

    // A pasted page: sentences that hold words of the check but mean nothing by them, read in
    // pieces; one real sentence deep inside it must still be heard.
    const QString everyday = u"周末去公园散步，坚持了一个月，感觉一切都很好。\n"_s.repeated(3000);
    QTest::newRow("a long everyday paste") << everyday << false;
    QTest::newRow("a long paste, one cry inside")
        << everyday + u"药我都攒够了。"_s + everyday << true;
    QTest::newRow("a long paste, a cry at the end") << everyday + u"我真的撑不住了"_s << true;
    // Near misses, every sentence a word of the check and a look-alike: each is read and spared.
    const QString nearMisses =
        u"出差这几天猫就交给你了，回来请你吃饭。我们在天台上看星星看了很久。"
        u"房贷终于还清了，可以松一口气了。那本小说里主角最后跳崖了。\n"_s.repeated(1000);
    QTest::newRow("a paste of near misses") << nearMisses << false;
    QTest::newRow("near misses, one cry inside")
        << nearMisses + u"银行卡留给我妈了，以后用得着。"_s + nearMisses << true;
    // The same without a full stop: one sentence of 60,000 characters, searched near its words.
    const QString runOn = QString(nearMisses).replace(u'。', u'，').remove(u'\n');
    QTest::newRow("a run-on paste of near misses") << runOn << false;
    QTest::newRow("a run-on paste, one cry deep inside")
        << runOn + u"银行卡留给我妈了，以后用得着，"_s + runOn << true;
    // Chat and stories full of "死": heat, laughter and other people's deaths are spared, and one
    // wish to die among them is still heard.
    const QString deaths =
        u"今天热死了，空调坏了。笑死我了，这个视频太好笑了。狗狗死了就不用再受罪了。"
        u"主角最后死了，再也不用受苦了。\n"_s.repeated(1000);
    QTest::newRow("a paste of exaggerations and stories") << deaths << false;
    QTest::newRow("exaggerations and stories, one cry inside")
        << deaths + u"我真的只想死掉算了。"_s + deaths << true;
}

void TstCrisisCare::recognisesCrisis()
{
    QFETCH(QString, typed);
    QFETCH(bool, concern);

    QCOMPARE(concerns(typed), concern);
}

// Written by people who had not seen the phrases: indirect and plain cries for help, and
// everyday messages that use the same words. Each file is a fresh measure of how well the check
// hears what it was not written from: every look-alike must stay unanswered by care, and the
// share of cries heard may not fall below what the check reaches now.
void TstCrisisCare::heldOutMessages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("heardAtLeast");
    QTest::newRow("first set") << u"crisis_heldout.tsv"_s << 0.88;
    QTest::newRow("second set") << u"crisis_heldout2.tsv"_s << 0.90;
    QTest::newRow("third set") << u"crisis_heldout3.tsv"_s << 0.76;
    QTest::newRow("fourth set") << u"crisis_heldout4.tsv"_s << 0.78;
    QTest::newRow("fifth set") << u"crisis_heldout5.tsv"_s << 0.90;
    QTest::newRow("sixth set") << u"crisis_heldout6.tsv"_s << 0.67;
}

void TstCrisisCare::heldOutMessages()
{
    QFETCH(QString, file);
    QFETCH(double, heardAtLeast);
    QFile data(QStringLiteral(MIAOYU_TEST_DATA "/") + file);
    QVERIFY(data.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(data.readAll()).split(u'\n', Qt::SkipEmptyParts);
    int cries = 0;
    QStringList missed;
    QStringList falseAlarms;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList columns = lines.at(i).split(u'\t');
        QVERIFY2(columns.size() >= 2 &&
                     (columns.at(1) == u"crisis"_s || columns.at(1) == u"lookalike"_s),
                 qPrintable(lines.at(i)));
        const bool cry = columns.at(1) == u"crisis"_s;
        const bool heard = concerns(columns.at(0));
        cries += cry;
        if (cry && !heard)
            missed += columns.at(0);
        if (!cry && heard)
            falseAlarms += columns.at(0);
    }
    const double heard = 1.0 - double(missed.size()) / cries;
    qInfo("%s: %d of %d cries heard (%.0f%%), %d false alarms", qPrintable(file),
          int(cries - missed.size()), cries, 100 * heard, int(falseAlarms.size()));
    QVERIFY2(falseAlarms.isEmpty(), qPrintable(falseAlarms.join(u" | "_s)));
    QVERIFY2(heard >= heardAtLeast, qPrintable(u"missed: "_s + missed.join(u" | "_s)));
}

void TstCrisisCare::defaultKnowledgeReadsAsEveryday()
{
    // A key of the default table the check took for a crisis would never be answered from the
    // table, and a reply or question of its own would read as one if a user typed it back.
    const KnowledgeBase &parsed = m_defaultKnowledge;
    QStringList sentences = parsed.randomQuestions + parsed.randomAnswers + parsed.noAnswerReplies +
                            parsed.welcomeMessages;
    for (const QStringView entry : parsed.keywordTable)
        sentences << KnowledgeEntry::key(entry).toString() << KnowledgeEntry::replies(entry);
    QVERIFY(sentences.size() > 1000);
    for (const QString &sentence : std::as_const(sentences))
        QVERIFY2(!concerns(sentence), qPrintable(sentence));
}

void TstCrisisCare::careIsForWhomItConcerns_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("lines"); // 0: none, 1: the caring lines, 2: the lines for a helper

    QTest::newRow("the user") << u"我不想活了"_s << 1;
    QTest::newRow("a friend, how to help") << u"我同学发朋友圈说想结束一切，我要怎么帮他"_s << 2;
    QTest::newRow("a roommate, the police") << u"室友半夜说想死，我要不要报警啊"_s << 2;
    QTest::newRow("a friend, then the user")
        << u"朋友说她想死，我该怎么劝。其实我也不想活了"_s << 1;
    QTest::newRow("a friend who is fine") << u"朋友说想去海边玩，我该怎么劝她早点回来"_s << 0;
}

void TstCrisisCare::careIsForWhomItConcerns()
{
    QFETCH(QString, typed);
    QFETCH(int, lines);

    // Someone asking how to help a friend is not asked whether they are safe, and never gets a
    // cheerful line from the table either.
    QString message = TextRules::normalise(typed);
    ScriptedRandom random;
    const Reply reply = ReplyEngine::respond(message, m_defaultKnowledge, u"阿木"_s, random);
    QVERIFY(reply.text);
    QCOMPARE(reply.caring, lines != 0);
    QCOMPARE(Care::builtIn().linesFor(Care::Concern::Self).contains(*reply.text), lines == 1);
    QCOMPARE(Care::builtIn().linesFor(Care::Concern::SomeoneElse).contains(*reply.text),
             lines == 2);
}

void TstCrisisCare::caringLines_data()
{
    QTest::addColumn<QString>("line");

    const QStringList &lines = Care::builtIn().linesFor(Care::Concern::Self);
    QVERIFY(lines.size() >= 4 && lines.size() <= 6);
    for (qsizetype i = 0; i < lines.size(); ++i)
        QTest::addRow("line %d", int(i + 1)) << lines.at(i);
    const QStringList &forAHelper = Care::builtIn().linesFor(Care::Concern::SomeoneElse);
    for (qsizetype i = 0; i < forAHelper.size(); ++i)
        QTest::addRow("for a helper %d", int(i + 1)) << forAHelper.at(i);
}

void TstCrisisCare::caringLines()
{
    QFETCH(QString, line);

    // Each line can stand alone: it sends the user to people who can help, names no number
    // (the user's region is unknown), and survives the file's code page and the reply path.
    QVERIFY2(line.contains(u"信任"_s), qPrintable(line));
    QVERIFY2(line.contains(u"热线"_s), qPrintable(line));
    // And it asks the user to go on talking to the robot, too.
    QVERIFY2(line.contains(QRegularExpression(u"跟我说|告诉我|接着聊|多说一点"_s)),
             qPrintable(line));
    QVERIFY2(!line.contains(QRegularExpression(u"[0-9０-９]"_s)), qPrintable(line));
    QVERIFY2(!line.contains(u'[') && !line.contains(u'|') && !line.contains(u'\\'),
             qPrintable(line));
    QVERIFY(GbkCodec::encode(line).has_value());
}

void TstCrisisCare::caringLinesSayWhereHelpIs()
{
    const QStringList &lines = Care::builtIn().linesFor(Care::Concern::Self);
    // The number is the user's to find: one line says how, by the words to search for and the
    // city they live in.
    QVERIFY(std::any_of(lines.cbegin(), lines.cend(), [](const QString &line) {
        return line.contains(u"搜索“心理援助热线”"_s) && line.contains(u"城市"_s);
    }));
    // Heard one after another, the lines must not all say "当地" the same way.
    QVERIFY(std::count_if(lines.cbegin(), lines.cend(),
                          [](const QString &line) { return line.contains(u"当地"_s); }) <= 1);
}

QTEST_GUILESS_MAIN(TstCrisisCare)
#include "tst_crisiscare.moc"
