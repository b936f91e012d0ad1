// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The crisis check: what counts as a user in crisis, what only looks like it, and what the
// robot may answer.

#include "common/TextRules.h"
#include "conversation/CrisisCare.h"
#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TstCrisisCare : public QObject
{
    Q_OBJECT

private slots:
    void recognisesCrisis_data();
    void recognisesCrisis();
    void heldOutMessages_data();
    void heldOutMessages();
    void defaultKnowledgeReadsAsEveryday();
    void caringLines_data();
    void caringLines();
    void caringLinesSayWhereHelpIs();
};

void TstCrisisCare::recognisesCrisis_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("concern");

    // Messages are checked as the robot sees them: spaces out, lower case.
    QTest::newRow("想死") << u"我想死"_s << true;
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
}

void TstCrisisCare::recognisesCrisis()
{
    QFETCH(QString, typed);
    QFETCH(bool, concern);

    QCOMPARE(CrisisCare::concerns(TextRules::normalise(typed)), concern);
}

// Written by people who had not seen the phrases: indirect and plain cries for help, and
// everyday messages that use the same words. Each file is a fresh measure of how well the check
// hears what it was not written from: every look-alike must stay unanswered by care, and the
// share of cries heard may not fall below what the check reaches now.
void TstCrisisCare::heldOutMessages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("heardAtLeast");
    QTest::newRow("first set") << u"crisis_heldout.tsv"_s << 0.85;
    QTest::newRow("second set") << u"crisis_heldout2.tsv"_s << 0.50;
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
        const bool heard = CrisisCare::concerns(TextRules::normalise(columns.at(0)));
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
    const auto bytes = KnowledgeFile::firstRunBytes(u"小明"_s);
    QVERIFY(bytes);
    const Result<KnowledgeBase> parsed = KnowledgeBase::parse(*bytes);
    QVERIFY2(parsed, qPrintable(parsed.reason()));
    QStringList sentences = parsed->randomQuestions + parsed->randomAnswers +
                            parsed->noAnswerReplies + parsed->welcomeMessages;
    for (const QStringView entry : parsed->keywordTable)
        sentences << KnowledgeEntry::key(entry).toString() << KnowledgeEntry::replies(entry);
    QVERIFY(sentences.size() > 1000);
    for (const QString &sentence : std::as_const(sentences))
        QVERIFY2(!CrisisCare::concerns(TextRules::normalise(sentence)), qPrintable(sentence));
}

void TstCrisisCare::caringLines_data()
{
    QTest::addColumn<QString>("line");

    const QStringList &lines = CrisisCare::caringLines();
    QVERIFY(lines.size() >= 4 && lines.size() <= 6);
    for (qsizetype i = 0; i < lines.size(); ++i)
        QTest::addRow("line %d", int(i + 1)) << lines.at(i);
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
    const QStringList &lines = CrisisCare::caringLines();
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
