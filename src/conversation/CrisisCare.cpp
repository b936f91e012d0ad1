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
// A third reading, against messages written afresh, showed that wordings do not carry over: half
// the indirect cries still went unheard, each in words no list held. The families added since
// are built from what such messages are made of rather than from how one message put it: the
// user, or a wish with no one named, together with dying or an ending (so that "好想去世" and
// "不如我自己先去死" are one thought); death asked about as the end of the pain; one life making
// no difference; nobody asking after one gone; the way that hurts least; pills hidden from the
// family; a means and a time alone; a place by the water and a wish to walk in, a wheel and a
// wish to turn it; scars that keep coming and cuts whenever it hurts; no reason left to go on;
// one's things given away and nothing left to tie one; an old person following a husband or
// wife, or going early so as not to burden the children; life as a game one leaves; and the
// keyboard's commonest slips ("或" for "活"). Each keeps out its own look-alikes by the setting
// they come in: dying of heat or laughter, other people's deaths and games, procedures asked
// about, a trip, a new job, a wedding, a fall.
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
        QStringLiteral("要是我消失"), QStringLiteral("如果我消失"),
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
        QStringLiteral("长睡不醒"), QStringLiteral("长眠不醒"),
        // The same in Cantonese: "唔想再活", "瞓咗就唔使再醒".
        QStringLiteral("唔想再活"), QStringLiteral("唔想活落去"), QStringLiteral("唔想再生存"),
        QStringLiteral("唔想生存落去"), QStringLiteral("唔想再醒"), QStringLiteral("唔使再醒"),
        QStringLiteral("唔洗再醒"), QStringLiteral("唔好再醒"), QStringLiteral("唔会再醒"),
        QStringLiteral("永远唔醒"), QStringLiteral("唔想醒返"), QStringLiteral("唔好醒返"),
        QStringLiteral("唔使醒返"), QStringLiteral("唔洗醒返"),
        QStringLiteral("想一瞓唔醒"), QStringLiteral("一瞓唔醒就好"), QStringLiteral("活唔落去"),
        // Disappearing, or never having been.
        QStringLiteral("不想存在"), QStringLiteral("不想再存在"),
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
        QStringLiteral("弄死自己"), QStringLiteral("把自己弄死"), QStringLiteral("把我自己弄死"),
        QStringLiteral("饿死自己"), QStringLiteral("把自己饿死"),
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
        QStringLiteral("要zs"), QStringLiteral("又zs"), QStringLiteral("zs未遂"),
        QStringLiteral("又zc"), QStringLiteral("想zc"), QStringLiteral("去zc"),
        QStringLiteral("要zc"), QStringLiteral("在zc"), QStringLiteral("zc了"),
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

// Traditional characters, each before the simplified one the phrases and wordings are written
// in. Many users write "撐不下去" or "這次真的要說再見了", and a cry in traditional characters is
// no less a cry; rather than write every wording twice, the keys are found in either form and a
// sentence holding one is read in simplified characters. Only characters with a single
// simplified form are here, and none that simplified text uses with a meaning of its own ("乾"
// is left out; "著" is in, since "着" is all the wordings hold of it).
constexpr QStringView TraditionalPairs =
        u"們们個个這这說说話话會会對对過过還还時时後后從从為为麼么沒没讓让與与見见"
        u"覺觉當当來来點点開开關关長长陽阳頭头動动體体樣样種种兒儿幾几東东車车間间"
        u"問问聞闻門门學学習习實实寫写聽听認认識识謝谢請请讀读語语誰谁該该論论記记"
        u"計计訴诉詞词試试誤误謊谎責责負负貨货買买賣卖錢钱銀银錯错鐘钟針针鍵键鎖锁"
        u"鏡镜閉闭陳陈陰阴隊队際际離离難难雙双雲云電电靈灵響响頁页順顺須须預预領领"
        u"願愿題题顏颜風风飛飞飯饭飲饮餓饿館馆馬马驗验驚惊髮发發发鬆松魚鱼鳥鸟黨党"
        u"齊齐齒齿龍龙龜龟愛爱態态憂忧懷怀戀恋戲戏戶户拋抛掛挂換换據据擔担擇择擊击"
        u"擺摆攢攒攤摊數数斷断於于無无舊旧暫暂書书條条極极樓楼標标樂乐橋桥機机權权"
        u"歡欢歲岁歷历歸归殘残殺杀毀毁氣气決决況况淚泪淺浅減减湯汤溫温滅灭滿满漸渐"
        u"潛潜濕湿災灾烏乌煩烦熱热爺爷爾尔牆墙狀状獨独獲获現现環环產产畫画療疗癒愈"
        u"盡尽監监眾众睜睁碼码確确礙碍禮礼禍祸稱称穩稳窮穷築筑簡简糧粮紀纪約约紅红"
        u"級级紙纸終终組组結结絕绝給给統统絲丝經经綁绑網网線线緊紧練练緒绪續续總总"
        u"繩绳繼继罷罢羅罗聖圣聯联聲声職职腦脑臉脸臨临興兴舉举艱艰藥药處处號号蟲虫"
        u"術术衝冲補补裝装裡里裏里複复規规視视親亲觀观訊讯許许設设詳详誠诚調调談谈"
        u"諒谅證证護护變变貓猫財财貧贫費费資资賬账賺赚贈赠趕赶跡迹躍跃軌轨較较輕轻"
        u"載载輩辈輪轮轉转辦办農农連连進进運运遠远適适遲迟選选邊边醫医釋释鈔钞錄录"
        u"閃闪閒闲隨随險险隱隐雖虽雞鸡靜静頂顶項项頓顿類类顧顾飄飘餘余養养騙骗髒脏"
        u"鬧闹麗丽黃黄齡龄壓压壞坏夢梦夠够媽妈孫孙寧宁寶宝將将專专導导層层屬属島岛"
        u"幫帮幹干廣广張张強强彈弹彎弯徑径復复徹彻惡恶悶闷惱恼慣惯慘惨慮虑憐怜應应"
        u"戰战擋挡擁拥擾扰敗败敵敌暈晕曬晒棄弃棟栋業业構构槍枪樹树殼壳漢汉灣湾燒烧"
        u"燈灯爐炉瘋疯癢痒筆笔細细罰罚腳脚膽胆葉叶衛卫託托診诊評评詢询誕诞課课講讲"
        u"議议豐丰賭赌贏赢軍军軟软辭辞遊游遺遗鄉乡鄰邻醜丑鐵铁陸陆雜杂顆颗飽饱駕驾"
        u"騎骑鬥斗鮮鲜團团圖图圓圆圍围國国場场塊块墜坠墳坟壽寿奪夺寢寝尋寻屍尸師师"
        u"帶带帳帐幣币庫库廢废憑凭憤愤懶懒搶抢損损擠挤擴扩暢畅曉晓棲栖淨净淒凄測测"
        u"溝沟潔洁濃浓灑洒燭烛牽牵獻献疊叠癡痴癮瘾盜盗睏困礎础競竞籤签簽签糾纠紛纷"
        u"絞绞緣缘縮缩織织繪绘纏缠罵骂膠胶臟脏虧亏誘诱謂谓謠谣譯译貝贝販贩貸贷貼贴"
        u"賓宾賠赔質质購购贖赎軀躯輸输遞递醞酝釀酿銷销鋪铺鍋锅鎮镇鑰钥陣阵霧雾頸颈"
        u"頹颓顛颠顫颤飢饥餵喂饑饥驕骄鬱郁鯨鲸鹽盐黴霉厭厌厲厉參参啟启喪丧嗎吗嗚呜"
        u"嘆叹嘗尝噁恶嚇吓嚴严執执塵尘墮堕傷伤傳传僅仅價价儘尽億亿優优償偿儲储兇凶"
        u"內内兩两凍冻劃划劇剧劍剑勁劲務务勞劳勢势勵励勸劝區区協协卻却廁厕係系倉仓"
        u"倆俩偉伟側侧備备傘伞債债傾倾儀仪則则剛刚創创劑剂亂乱亞亚侶侣著着囑嘱滾滚"
        u"臺台颱台撐撑謀谋蕭萧蘭兰撫抚擬拟攝摄暱昵殯殡瞞瞒積积窩窝誇夸諾诺謎谜諷讽"
        u"譴谴讚赞貞贞賤贱賴赖蹤踪輔辅輝辉遜逊鄭郑鈍钝錦锦鏟铲閣阁闆板闊阔韌韧韻韵"
        u"頌颂饒饶騷骚魯鲁鴨鸭鵝鹅鷹鹰龐庞叢丛嚐尝囉啰墊垫壺壶壩坝俠侠傭佣僕仆儉俭"
        u"冊册凱凯刪删劉刘勳勋啞哑嗆呛嘍喽嘔呕噴喷嚨咙嚮向墾垦壇坛奮奋妝妆嬌娇孿孪"
        u"寵宠屆届嶺岭巔巅幟帜彥彦懇恳懲惩懸悬懺忏戇戆摯挚擲掷攏拢斂敛膚肤脹胀膩腻"
        u"艷艳莊庄蒼苍蔥葱蘋苹蘇苏蝦虾螞蚂蟻蚁襪袜覽览訂订訓训詩诗誼谊謙谦謹谨豬猪"
        u"貢贡貪贪貴贵貿贸賀贺賜赐賞赏賢贤賦赋贊赞趨趋踐践蹟迹軸轴輛辆轎轿辯辩邏逻"
        u"郵邮醬酱釣钓鈴铃鉛铅銳锐鋼钢錶表鍊链鏈链閱阅隸隶雛雏靂雳韓韩頻频額额颳刮"
        u"餅饼駛驶騰腾驅驱驢驴鬍胡鳳凤鴿鸽麥麦鼕冬齣出龕龛溼湿濺溅瀉泻瀝沥瀰弥灘滩"
        u"煙烟熒荧燙烫燦灿爭争犧牺猶犹獄狱獅狮璽玺甕瓮甦苏畝亩疇畴瘡疮瘧疟癱瘫皺皱"
        u"盞盏盤盘矯矫硯砚碩硕磚砖礦矿禿秃穎颖窺窥竄窜竅窍筧笕範范篤笃簾帘籃篮籠笼"
        u"粵粤糞粪紋纹紡纺紮扎紹绍絡络綜综綠绿維维綱纲綴缀緩缓編编緯纬縣县縫缝縱纵"
        u"繞绕繳缴缽钵罈坛羨羡聳耸肅肃脅胁脫脱腎肾腫肿膿脓臘腊艙舱蓋盖蔣蒋薦荐薩萨"
        u"藍蓝蘆芦虛虚蝕蚀螢萤蠟蜡蠶蚕衊蔑襯衬覓觅訝讶詐诈詛诅詭诡誌志諮咨諸诸謁谒"
        u"譏讥讒谗豎竖貫贯貶贬賄贿賊贼贓赃躉趸轟轰辮辫迴回遙遥遷迁鄧邓釘钉釧钏鋒锋"
        u"錘锤鍛锻鎊镑鏽锈鐲镯鑄铸閘闸閩闽闡阐陝陕隕陨雋隽靦腼鞏巩韋韦頃顷頒颁頰颊"
        u"顎颚顯显颯飒飼饲餃饺饅馒駁驳駐驻駱骆騾骡驟骤骯肮鬢鬓魘魇鯉鲤鴉鸦鶴鹤鸚鹦"
        u"鹹咸麩麸齋斋齜龇別别妳你爲为麽么牀床綫线纔才痠酸衆众啓启敎教囘回鷄鸡羣群"
        u"僞伪甯宁贅赘潰溃義义堅坚欄栏爛烂討讨繫系廂厢準准週周婦妇績绩懼惧恥耻獎奖"
        u"賽赛慾欲憊惫淵渊縛缚樑梁燼烬訃讣歿殁懨恹攜携噸吨嘩哗滯滞";

// The simplified form of every code unit, or the code unit itself.
const std::vector<char16_t> &simplifiedForms()
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> forms(0x10000);
        for (size_t c = 0; c < forms.size(); ++c)
            forms[c] = char16_t(c);
        for (qsizetype i = 0; i + 1 < TraditionalPairs.size(); i += 2)
            forms[TraditionalPairs[i].unicode()] = TraditionalPairs[i + 1].unicode();
        return forms;
    }();
    return table;
}

// Where the text's first traditional character is, or -1.
qsizetype firstTraditional(QStringView text)
{
    const std::vector<char16_t> &forms = simplifiedForms();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (forms[text[i].unicode()] != text[i].unicode())
            return i;
    }
    return -1;
}

// The text in simplified characters, from a character on; the length stays, so does every index.
void toSimplified(QString &text, qsizetype from = 0)
{
    const std::vector<char16_t> &forms = simplifiedForms();
    for (qsizetype i = std::max<qsizetype>(from, 0); i < text.size(); ++i)
        text[i] = QChar(forms[text[i].unicode()]);
}

// The text in simplified characters: itself when it holds no traditional one, else a copy kept
// in storage. The length stays, so does every index.
QStringView inSimplified(QStringView text, QString &storage)
{
    const qsizetype at = firstTraditional(text);
    if (at < 0)
        return text;
    storage = text.toString();
    toSimplified(storage, at);
    return storage;
}

// A family of wordings that a list of phrases cannot hold, because the words between the parts
// vary: one expression of alternatives, and the words of which every match holds at least one,
// so that a message holding none of them skips the expression.
//
// What a family may ask beyond its expression. Some wordings mean a crisis only in a setting:
// "早点去找她" after a wife has died, "没有牵挂了" once one's things are given away. Others are
// harmless in a setting of their own: no ties left before a trip abroad, scars from a fall. Such
// a family names the setting it needs (context) or the one that spares it (unless), both looked
// for in the sentence and the ones either side of it, since people tell the setting in a sentence
// of its own. A family may have look-alikes of its own (spare), cut out like the common ones
// below but only once the family has matched: asked of every sentence with the common ones, they
// would cost a pasted page dearly. And where an anchor is a word chat is full of ("死" in a
// story), a family may need a second word as well (needs), so that it is asked of few sentences.
struct Setting
{
    QStringList needs = {};   // when not empty, the sentence must hold one of these too
    QStringList context = {}; // when not empty, must be found near the match
    QStringList unless = {};  // when not empty, must not be found near the match
    QStringList spare = {};   // when not empty, cut out, and the expression must still match
};

struct Family
{
    QStringList anchors;
    QRegularExpression expression;
    QStringList needs;
    QRegularExpression context;
    QRegularExpression unless;
    QRegularExpression spare;
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
    // The user speaking of themselves.
    {u"<self>", u"(?:我自己|我|自己|本人|俺)"},
    // What one wants or has made up one's mind to do.
    {u"<wish>", u"(?:只想|好想|真想|很想|就想|也想|想|宁愿|宁可|恨不得|巴不得|还不如|倒不如|不如|"
                u"干脆|准备|打算|决定|计划)"},
    // Dying, but not the dying of heat, laughter or hunger ("热死了", "笑死"), nor a frozen
    // screen, a dead end or a stubborn "死活不肯".
    {u"<die>",
     u"(?:(?<![累笑热饿困冷渴气吓烦忙撑闷痒美帅丑蠢穷馋臭晒打揍骂整坑急愁社懒闲冻憋吵疼痛酸"
     u"卷])死(?![机磕心记缠板党宅鬼忠角守盯扛撑贵沉硬胖活海神刑囚者线穴]|去活来|也不|都不|不了))"},
    // Pills, a rope, charcoal, a blade: what people put aside.
    {u"<means>",
     u"(?:安眠药|助眠药|农药|百草枯|敌敌畏|老鼠药|药片|药丸|药|绳子|绳索|麻绳|绳|木炭|炭|碳|"
     u"刀片|胶带)"},
    // Water and heights one might walk into or jump from.
    {u"<water>",
     u"(?:江边|河边|湖边|海边|水边|江里|河里|湖里|海里|水库|池塘|桥上|桥边|大桥|天台|楼顶|"
     u"顶楼|阳台|窗边|窗台|铁轨|站台|崖边|悬崖)"},
    // Those who will find what is left for them.
    {u"<others>",
     u"(?:他们|她们|你们|你|家里人|家人|家里|爸妈|我妈|我爸|妹妹|弟弟|哥哥|姐姐|孩子们?|"
     u"老婆|老公|媳妇|儿子|女儿|儿女)"},
    // How one might vanish: quietly, completely, for good, or slowly.
    {u"<quietly>",
     u"(?:(?:就这样|就这么|就此|这样|这么|彻彻底底|彻底|永永远远|永远|悄无声息|"
     u"悄悄|无声无息|默默|安安静静|静静|安静|干脆|直接|从此|赶紧|早点|马上|立刻|"
     u"完全|一下子|干干净净|不留痕迹|不声不响|一声不吭|慢慢|一点一点|一点点|渐渐)[地的]?)"},
    // Pills people look up or put aside.
    {u"<drug>", u"(?:安眠药|安定|药片|药丸|药|布洛芬|扑热息痛|止痛药|感冒药|降压药|胰岛素|"
                u"褪黑素|地西泮|阿普唑仑|艾司唑仑|唑吡坦)"},
    // Pills and poisons no one takes "enough" of for a cold or a headache.
    {u"<sleepdrug>", u"(?:安眠药|安定|地西泮|阿普唑仑|艾司唑仑|唑吡坦|助眠药|农药|百草枯|敌敌畏|"
                     u"老鼠药)"},
    // A cold or a child: what else people go from pharmacy to pharmacy for.
    {u"<cold>", u"(?:布洛芬|退烧|感冒|口罩|抗原|发烧|咳嗽|嗓子|连花|对乙酰|孩子|宝宝|老人|奶粉|"
                u"疫情|阳了)"},
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
    {u"<gone>",
     u"(?:(?:要是|如果|假如|假设|哪天|有一天|某天|万一|就算|即使|哪怕)"
     u"<gap>{0,4}(?:我|自己)(?:真的?|哪天|某天|有一天|明天|今天|今晚|突然|一下子|悄悄|就|"
     u"已经|也)*(?:不在了|没了|走了|死了|死掉了?|死去了?|离开了?这个世界|离开了|消失了?|不见了?|"
     u"不在这个世界上?了?|不在人世了?|离开人世了?|人间蒸发了?)|(?:我|自己)(?:(?:不在了|没了|死了|"
     u"死掉了)(?:以后|之后)|(?:哪天|某天|有一天|突然)就?(?:不在了|没了|死了|死掉了?|消失了|"
     u"不见了)|(?:要是|如果|万一)(?:真的?|哪天|突然)*(?:死了|死掉了?|不在了|没了|消失了|"
     u"不见了|人间蒸发了?)))"},
    // Parting advice, what one says to those one leaves: "以后好好读书", "照顾好爸妈".
    {u"<advice>", u"(?:(?:以后|今后|往后)?(?:你们|你)?(?:要|就)?(?:好好读书|好好学习|好好的|好好活|"
                  u"好好过|照顾好(?:爸妈|父母|妈|爸|自己|家里|奶奶|爷爷)|好好照顾(?:爸妈|父母|妈|"
                  u"爸|自己)|孝顺(?:爸妈|父母)|少熬夜|别熬夜|听爸妈的话|别想我|不要想我|别难过|"
                  u"不要难过|替我))"},
    // Never coming again; a goodbye may follow with no mark between, the spaces gone.
    {u"<never>", u"(?:(?:以后|今后|往后|从此|再也|永远)我?(?:也|都|就)?(?:不会|不再|不能|没法|"
                 u"没机会|不)再?(?:来打扰你们?|来烦你们?|烦你们?|来找你们?|来|回来|出现|打扰你们?|找你们?|跟你聊|"
                 u"和你聊|联系你们?)(?:了|啦|啊)?(?!(?![。、]|再见|拜拜|保重|谢谢|永别)\\p{Han}))"},
    // Procedures and chores whose least painful way people ask about.
    {u"<chore>", u"(?:脱毛|耳洞|打耳|纹身|刺青|打针|拔牙|分娩|生孩子|顺产|剖腹产|无痛|针灸|胃镜|"
                 u"肠镜|矫正|手术|麻醉|穿孔|注射|疫苗|抽血|减肥|瘦身|健身|拉伸|按摩|刮痧|拔罐|点痣|"
                 u"祛痘|洗牙|补牙|种牙|戒烟|戒糖|断奶|剪指甲|掏耳朵|扎针|输液|胰岛素|血糖|学习|"
                 u"背单词|考试|练琴|分手|辞职|表白|拒绝|上班|通勤|起床|减脂|撕掉|拔掉|取出|去除|"
                 u"去掉|剃|刮|脱)"},
    // Away for a while, not for good: "消失一个周末", "人间蒸发几天", "消失三天去海边".
    {u"<away>", u"(?:(?:消失|人间蒸发|蒸发|失联)(?:一|两|三|四|五|七|几|半|十|一个|两个|几个|这个|"
                u"这|一整个|一段)?(?:整)?(?:天|晚|周|星期|礼拜|周末|个月|阵子|段时间|会儿|"
                u"小时|假期|下午|上午)(?!<gap>{0,6}(?:都|也)?(?:没|不会|没有)(?:一个)?人))"},
    // Dying of laughter or joy in the internet's words: "笑到去世", "可爱得我想去世".
    {u"<joyfuldeath>",
     u"(?:笑|帅|美|可爱|甜|萌|好看|好笑|好听|好吃|感动|激动|尴尬|丢人|丢脸|羞|开心|"
     u"幸福|爽)(?:得|到|死)我?(?:想|要)?去世"},
    // The death of someone else: a pet, a grandparent, a character or a monster in a game.
    {u"<otherdeath>",
     u"(?:他|她|它|狗|猫|狗狗|猫咪|宠物|爷爷|奶奶|外公|外婆|姥姥|姥爷|老人|病人|亲戚|邻居|"
     u"朋友|同学|同事|角色|主角|男主|女主|鱼|花|植物|虫|金鱼|仓鼠|兔子|人物|npc|boss|怪|"
     u"敌人|僵尸|怪物|队友|对面|小人|英雄|游戏里|游戏中)们?<aside>{0,4}?死"},
    // Fat, spots and aches one wishes gone, slowly or for good.
    {u"<fading>",
     u"(?:肉|肚子|脂肪|赘肉|肚腩|双下巴|痘|疤|斑|皱纹|黑眼圈|淤青|症状|疼痛|头疼|头痛|"
     u"烦恼|焦虑|压力|体重|肥|咳嗽|鼻炎|红肿|肿)<aside>{0,8}?(?:消失|不见|蒸发|淡化|没了)"},
    // A character of the clause that is neither the user nor a wish: what may lie inside a
    // look-alike.
    {u"<aside>", u"[^，。！？；,.!?;\\n我想]"},
    // A character of the clause that names nobody else: "我想让他去死" is not about the user.
    {u"<mine>", u"[^，。！？；,.!?;\\n你他她它]"},
    {u"<gap>", u"[^，。！？；,.!?;\\n]"},
    {u"<any>", u"[^。！？\\n]"},
    // PCRE counts the full stop, the enumeration comma and the corner brackets as Han (they are
    // written with it), so they are let through by name: "我不想再坚持了。" ends its words.
    {u"<end>", u"(?!(?![。、《》「」『』【】〈〉〔〕])[\\p{Han}a-z0-9])"},
};

// The alternatives as one expression, its marks written out.
QRegularExpression joined(const QStringList &alternatives)
{
    QString pattern = alternatives.join(u'|');
    for (const Mark &mark : Marks)
        pattern.replace(mark.mark.data(), mark.mark.size(), mark.expression.data(),
                        mark.expression.size());
    QRegularExpression expression(pattern);
    // A slip in an expression would quietly match nothing, and asserts are off in every build
    // we ship or test: it is reported, and the crisis test fails on the report.
    if (!expression.isValid()) {
        qCritical("CrisisCare: %s at %lld in %s", qPrintable(expression.errorString()),
                  qlonglong(expression.patternErrorOffset()), qPrintable(pattern));
    }
    return expression;
}

Family family(const QStringList &anchors, const QStringList &alternatives,
              const Setting &setting = {})
{
    const auto optional = [](const QStringList &expressions) {
        return expressions.isEmpty() ? QRegularExpression() : joined(expressions);
    };
    return {anchors,
            joined(alternatives),
            setting.needs,
            optional(setting.context),
            optional(setting.unless),
            optional(setting.spare)};
}

// Where a key ends in a text (the index after its last character), and the groups of the keys
// ending there.
struct Hit
{
    qsizetype end;
    quint64 groups;
};

// How far a family's wording can reach from the end of one of its words, either way. Every
// wording holds one of its family's words, and the longest is 85 characters even with each
// word that may repeat written ten times, with a look ahead of at most 10 past its end: so a
// wording is found within this reach of a word, and the expression is asked of those stretches
// alone, not of a whole run-on sentence. A stretch starts where the text does, so that a look
// behind and "^" see what they would see in the whole text.
constexpr qsizetype Reach = 96;

// Whether the family's wording is in the text and its setting, if it has one, around it. The
// hits are the text's, the family's words among them marked by its group.
bool matches(const Family &family, QStringView text, const std::vector<Hit> &hits, quint64 group,
             QStringView surroundings)
{
    bool found = false;
    for (size_t i = 0; i < hits.size() && !found;) {
        if ((hits[i].groups & group) == 0) {
            ++i;
            continue;
        }
        // Words whose reaches overlap make one stretch.
        const qsizetype from = std::max<qsizetype>(0, hits[i].end - Reach);
        qsizetype to = hits[i].end + Reach;
        for (++i; i < hits.size() && hits[i].end - Reach <= to; ++i) {
            if ((hits[i].groups & group) != 0)
                to = hits[i].end + Reach;
        }
        found = family.expression.match(text.first(std::min(to, text.size())), from).hasMatch();
    }
    if (!found)
        return false;
    if (!family.spare.pattern().isEmpty() &&
        !family.expression.match(text.toString().remove(family.spare)).hasMatch())
        return false;
    QString simplified;
    surroundings = inSimplified(surroundings, simplified);
    if (!family.context.pattern().isEmpty() && !family.context.match(surroundings).hasMatch())
        return false;
    return family.unless.pattern().isEmpty() || !family.unless.match(surroundings).hasMatch();
}

const std::vector<Family> &families()
{
    static const std::vector<Family> all = {
        // Life itself called pointless, unbearable or a waste: "活着没意思", "活着好累",
        // "活着就是浪费空气", "找不到活下去的理由", "为什么还要活着".
        // Still alive, and sorry for it: "为什么我还活着", "怎么还没死"; dying as the easier way:
        // "死是不是比活着容易", "活着比死还难受".
        family({QStringLiteral("活着"), QStringLiteral("活下去"), QStringLiteral("继续活"),
                QStringLiteral("活腻"), QStringLiteral("留恋"), QStringLiteral("还没死"),
                QStringLiteral("又活")},
               {QStringLiteral("活着(真的?|好|太|很|都)?(没|没有|没什么|有什么|还有什么)"
                               "(意思|意义|用|盼头|劲|奔头|价值|乐趣|希望)"),
                QStringLiteral(
                    "(这个世界|这世界|世上|人间|活着|人生|生活)<any>{0,6}(没有?|没什么|已经没有|"
                    "再也没有)(任何|什么)?(值得|可以|能让我|能让)我?(留恋|留下|活下去|牵挂|"
                    "期待)"),
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
                QStringLiteral("(我|真|早就?|已经)活腻"),
                QStringLiteral("(为什么|为啥|怎么)(我|自己)(又|竟然|居然|都|今天|还是)*还(活着|"
                               "没死)|(我|自己)?怎么还没死|又活(过|下来)?了一天<any>{0,8}(失望|"
                               "绝望|煎熬|难熬|为什么)"),
                QStringLiteral("死(了|掉|去)?(是不是|会不会|真的|其实|也许|可能|大概)?比活着(更|"
                               "还)?(容易|轻松|简单|舒服|好受|幸福|好过|痛快)"),
                QStringLiteral("活着(真的|其实)?比死(了|掉)?(还|更)(难|难受|痛苦|累|辛苦|煎熬)"),
                QStringLiteral("活着(就是|只是|只会|也是|都是)?在?(烧|花光?|耗|吸|啃|败)(家里|爸妈|"
                               "父母|家人|我爸妈|我妈|我爸)的?(钱|血汗钱|血|积蓄)")}),
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
        // Wanting to stop for good, or a life with a switch to turn it off: "好想就这样永远停下来",
        // "人生要是有个关机键就好了". A pause for a holiday is only that.
        family({QStringLiteral("停"), QStringLiteral("静止"), QStringLiteral("冻结"),
                QStringLiteral("关机键"), QStringLiteral("结束键"), QStringLiteral("退出键"),
                QStringLiteral("终止键"), QStringLiteral("暂停键")},
               {QStringLiteral("(希望|但愿|要是|如果|只想|好想|真想|想|让|多想)"
                               "<gap>{0,6}(所有的?(事情?|东西|痛苦)?|全部|什么|世界|这?一切)(都|"
                               "全|全都|统统|就)?(能|可以|会)?(一下子|一下|马上|立刻|瞬间|突然|"
                               "一起|就此|彻底|全部|永远)*(停下来|停止|停住|停掉|停下|停了|静止|"
                               "暂停)"),
                QStringLiteral("(时间|时光|时钟|世界)<gap>{0,4}(停|静止|冻结|暂停)"
                               "<any>{0,12}(不用|不必|再也不|不会再|就不用|永远不用|就不必)"
                               "再?去?(面对|醒|起床|过明天|迎来明天)"),
                QStringLiteral("(想|好想|只想|真想|希望|但愿|让我|就让我|多想|要是|如果)(自己|我)?"
                               "(能|可以)?(就这样|就此)?(永远|永久|彻底)地?(停下来|停下|停止|停住|"
                               "停掉)(?!<any>{0,10}(这一刻|在这里|在这|这里|脚步|夏天|假期|时光|"
                               "时间|暑假|寒假|青春|享受))"),
                QStringLiteral("(想|希望|但愿|让|真想|好想)<gap>{0,4}(心跳|心脏|呼吸)<gap>{0,3}"
                               "(就这样|永远|就此|彻底)?(停止|停下|停掉|停跳|停了)"),
                QStringLiteral("(人生|生命|活着|这辈子|生活|我)<any>{0,6}(关机键|结束键|退出键|"
                               "终止键|停止键|永远的暂停键)<any>{0,10}(就好了?|多好|该多好|按下去|"
                               "按下|再也不|永远)|按下?了?(人生|生命|这辈子|一切|我)的?(关机键|"
                               "结束键|退出键|终止键|停止键)")}),
        // No strength to face another day: "没有勇气再面对明天了", "明天永远不要来"; hoping it
        // simply won't come: "真希望明天不会来", "要是没有明天就好了". An exam or a Monday
        // tomorrow is hoped away too, and is only that.
        family({QStringLiteral("面对"), QStringLiteral("明天"), QStringLiteral("太阳"),
                QStringLiteral("新的一天")},
               {QStringLiteral("(不想|不愿|不愿意|没勇气|没有勇气|没力气|没有力气|再也不想)"
                               "再?去?面对(明天|新的一天|每一天|以后的日子|往后的日子|这个世界|"
                               "这世界|任何人|所有人|生活|人生|这样的生活|这样的人生)(了|啦)?"
                               "<end>"),
                QStringLiteral("明天就?(永远|再也)(不要|别|不会)再?(来|到来)"),
                QStringLiteral(
                    "(不想|不愿|不要|再也不想)再?(看到|见到|看见|迎来)(明天的太阳|明天早上的太阳|"
                    "太阳升起|新的一天|明天)(了|啦)?<end>"),
                QStringLiteral("(希望|但愿|要是|如果|只盼|只求|求求)<gap>{0,4}明天(早上)?(永远|再也|"
                               "就|干脆|直接|千万)?(不要|别|不会|不用|没法|不再)再?(来|到来|来了|"
                               "到|亮)"),
                QStringLiteral("(希望|但愿|要是|如果|不想)(再)?(没有|不要|有)明天(了|就好了?|多好|"
                               "该多好|吧)?<end>")},
               {.unless = {QStringLiteral("考试|考研|复习|作业|早八|ddl|deadline|开学|面试|答辩|"
                                          "交稿|体检|汇报|补考|期末|月考|周一|星期一|比赛|"
                                          "挨骂|家长会")}}),
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
                QStringLiteral("(想|好想|只想|让我|就此)长眠|长眠(?<=[想望我此样么能远]长眠)(不醒|"
                               "下去|地下|吧|算了|了|<end>)"),
                // Awake again, and sorry for it: "又醒了 为什么还要醒", "睁开眼发现还活着 好失望".
                QStringLiteral("醒(?<=又醒)(了|过来了?|来了?)<any>{0,8}(为什么还要醒|为什么要醒|"
                               "为啥还要醒|干嘛还要醒|为什么还活着|怎么还活着|怎么还没死|"
                               "为什么没死|好失望|真失望|又失望|失望透|绝望|又要面对|又得面对|"
                               "又要熬|又得熬|又活了一天|又是煎熬)"),
                QStringLiteral("(醒来|醒过来|睁开眼睛?|睁眼)<any>{0,8}(发现)?(自己|我)?(竟然|居然|"
                               "怎么|又|都)*还(活着|没死|在这个世界)<any>{0,6}(好?失望|真失望|"
                               "绝望|难受|为什么|为啥)"),
                // A late alarm, a work day or a lie-in cut short disappoint a waking too.
                QStringLiteral("((醒来|醒过来|睁开眼睛?|睁眼)<any>{0,10}(又要熬一天|又要面对|"
                               "怎么又是新的一天|又活了一天|为什么还要醒|为什么还活着)|(为什么|"
                               "为啥|干嘛)还要醒|(每次|每天|每天早上)(醒来|醒过来|"
                               "睁开眼睛?)<gap>{0,4}(都|就)?(很|好|特别)?(失望|绝望))(?!<any>{0,10}"
                               "(上班|上学|上课|工作|早八|考试|闹钟|迟到|加班|周末|睡到|懒觉|假期|"
                               "放假))"),
                QStringLiteral("(醒来|醒过来|睁开眼睛?|睁眼)<gap>{0,4}(我|自己)(都|又|竟然|居然|"
                               "怎么)?还(活着|没死|在)(呢|啊)?<end>(?!<any>{0,6}(太好|真好|幸运|"
                               "谢天谢地|万幸|感恩|庆幸))")}),
        // Disappearing, or wishing never to have been: "想从这个世界消失", "消失了就好了",
        // "希望自己不存在", "我不该出生".
        // A weekend or a few days away, the phone off, is rest and not this.
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
             QStringLiteral(
                 "(希望|但愿|真希望|巴不得|多希望)<gap>{0,8}(自己|我)(已经)?(不存在|消失|死了|"
                 "人间蒸发)"),
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
             QStringLiteral("(没有|没)我(这个人)?(就好了?|多好|该多好|最好)")},
            {.unless = {QStringLiteral("<away>")}}),
        // Vanishing for good: "真想就这样彻底消失", "我消失得无影无踪才好",
        // "要是能从大家的生活里消失就好了".
        family({QStringLiteral("消失"), QStringLiteral("蒸发")},
               {QStringLiteral("(想|想要|我要|希望|宁愿|宁可|恨不得|巴不得|但愿|真想|好想|只想|"
                               "多想)让?(自己|我)?(能|可以|就|也)?<quietly>{1,3}(消失|人间蒸发|"
                               "蒸发)"),
                QStringLiteral("(我|自己)(要是|如果|假如)?(就|能|会|想|要|可以|真想|好想)?"
                               "<quietly>{0,3}(消失|蒸发)(得|的)(无影无踪|干干净净|乾乾净净|干净|彻底|"
                               "彻彻底底|一干二净|无声无息|悄无声息|不留痕迹|什么都不剩)"),
                QStringLiteral("(我|自己)(就|能|会|想|要|可以)?<quietly>{1,3}(消失|蒸发)(掉|了|"
                               "吧|算了)?(<end>|就好|多好|该多好)"),
                QStringLiteral("(要是|如果|假如|真希望|希望|干脆)(我|自己)?(能|可以|就)?"
                               "<quietly>{1,3}(消失|蒸发)(掉|了)?(的话)?(就好了?|多好|该多好|"
                               "最好|算了)"),
                QStringLiteral("(想|希望|要是|如果|真想|好想|只想|宁愿)(我|自己)?(能|可以|就)?"
                               "<quietly>{0,3}从<gap>{0,8}(生活|世界|世上|人间|视线|记忆)(里|中|"
                               "上)?<quietly>{0,2}(消失|蒸发)"),
                QStringLiteral("(就这样|就此)(彻底|永远|悄悄|默默)?地?消失(吧|算了)<end>"),
                // "好想完完全全地从这个世界消失", "想消失在这个世界上".
                QStringLiteral("(想|希望|宁愿|真想|好想|只想|多想|让我|我要)<gap>{0,6}(彻底|完全|"
                               "完完全全|彻彻底底|永远|永永远远|干干净净|乾乾净净)地?(从|在)?(这个|"
                               "这)?(世界|世上|人间|地球)?(上|里|中)?(消失|蒸发)|(想|希望|真想|好想|"
                               "只想|宁愿)<gap>{0,6}(消失|蒸发)(在|于)(这个|这)?(世界|世上|人间|"
                               "地球)(上|里|中)?")},
               {.unless = {QStringLiteral("<away>")}, .spare = {QStringLiteral("<fading>")}}),
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
             QStringLiteral("我消失"),     QStringLiteral("拖垮"),     QStringLiteral("赔钱货"),
             QStringLiteral("碍事"),       QStringLiteral("碍眼"),     QStringLiteral("碍手碍脚"),
             QStringLiteral("招人嫌"),     QStringLiteral("惹人嫌"),   QStringLiteral("讨人嫌"),
             QStringLiteral("碍着")},
            {QStringLiteral("(我|自己)(这个人|的存在)?(在这个?(世界|世上|家|家里)(上|里)?|"
                            "就|真的?|好像|根本|本来就|一直|只是|就是|其实|确实|始终)*"
                            "(是|是不是|很|好|太|有点|挺|显得|都|那么|这么|完全)?(个|一个)?"
                            "(很|好|太)?多余(的人|的存在|的那个人?|的那一个|的|了)?(吧|啊|呀|吗|"
                            "啦|呢)?<end>"),
             QStringLiteral("拖累了?(大家|家人|家里|全家|父母|爸妈|爸爸|妈妈|你们|所有人|"
                            "身边的人|身边人|孩子|老婆|老公|儿女|子女|小辈|儿孙|儿子|女儿)"),
             QStringLiteral("(我|只会|总是|一直|不想|不愿|不要|别|再也不想|怕)<gap>{0,4}"
                            "拖累了?(你|他们|别人|朋友|任何人|大家|家里|家人)"),
             // In the way wherever one goes: "不管走到哪我都是多余的那个", "在哪都碍事".
             QStringLiteral("(在|到|走到|去)哪(儿|里)?<gap>{0,3}(我|自己)?(都|也)(觉得|感觉|发现)?"
                            "(自己|我)(是|很|好|就)?(个|一个)?(多余|碍事|碍眼|碍手碍脚)|(在|到|走到|"
                            "去)哪(儿|里)?<gap>{0,8}(都|也)<gap>{0,6}(招人嫌|惹人嫌|讨人嫌|被人嫌|"
                            "被嫌弃)|(我|自己)<gap>{0,8}碍着(所有人|大家|别人|每个人)"),
             QStringLiteral("(我|自己)<gap>{0,8}(不管|无论)?(在|到|走到|去)哪(儿|里)?<gap>{0,4}(都|"
                            "也)(是|好像是|像是|显得|很|那么|特别|总是)?(个|一个)?(多余|碍事|碍眼|"
                            "碍手碍脚|挡路|招人嫌|惹人嫌|讨人嫌|碍着(别人|大家|所有人|人))|(在|到|"
                            "走到|去)哪(儿|里)?<gap>{0,4}(都|也)是?(那个)?(多余|碍事|碍眼)的?(那个|"
                            "那一个|人)|(我|自己)(就|总|永远|一直|好像|真的|从来都|始终)*是(那个|"
                            "最)多余的(那个|那一个|人)?<end>"),
             QStringLiteral("(我|只会|总是|一直|不想|不愿|不要|怕|迟早)<gap>{0,4}拖垮了?(这个家|"
                            "家里|全家|家人|爸妈|父母|大家|你们|他们)"),
             QStringLiteral("我(就|只|真的?|已经|现在|一直|始终|不过|只不过|觉得自己|"
                            "感觉自己|好像|简直|根本)*(是|成了|成为|变成|当)了?(大家|家里|"
                            "家人|你们|所有人|别人|他们|父母|爸妈|全家|家里人|身边人|身边的人|"
                            "你)?的?(一个|个)?(累赘|负担|拖累|包袱|拖油瓶|赔钱货)"),
             QStringLiteral("(只会|只能|不想再?|不愿再?|不要再?|不想一直|总是)(是|成为|当|做)"
                            "(大家|家里|家人|你们|所有人|别人|他们|父母|爸妈|全家|家里人|"
                            "身边人|身边的人|你)?的?(一个|个)?(累赘|负担|拖累|包袱|拖油瓶)"),
             QStringLiteral("(没有我|没了我|少了我|没有了我|我不在了?|我走了|我死了|我离开了?|"
                            "我消失了?)(以后|之后|的话)?[，,]?(大家|他们|你们|家人|爸妈|父母|家里|"
                            "全家|世界|所有人|一切|别人|你)?(都|就|会|也|反而|肯定|一定|才|能|可以|"
                            "应该)*(过得|活得)?(更加|更|还|很|一样)?(好过|好|轻松|开心|幸福|自在|"
                            "省心|清净|清静|解脱|少操<gap>{0,3}心|不用再?(操心|花钱|受累))(了|些|"
                            "点|一些|一点|的)?(吧|啊|呀|呢)?<end>"),
             QStringLiteral("(我|自己)的?(存在|出生)(本身)?(就|本来就|根本就|只)?是(个|一个)?"
                            "(错误|多余|负担|累赘|麻烦|灾难)"),
             QStringLiteral(
                 "我(这个人|活着|的存在|存在)?(本身|本来|根本|从头到尾)?就?是(个|一个)错误")}),
        // A burden on the family, in its own words: "我活着只会给家里添麻烦", or an old
        // person's: "净给儿女添麻烦", "成了孩子们的累赘".
        family(
            {QStringLiteral("添麻烦"), QStringLiteral("添乱"), QStringLiteral("负担"),
             QStringLiteral("受累"), QStringLiteral("受苦"), QStringLiteral("丢脸"),
             QStringLiteral("蒙羞"), QStringLiteral("为难"), QStringLiteral("操心"),
             QStringLiteral("担心"), QStringLiteral("失望"), QStringLiteral("背债"),
             QStringLiteral("还债"), QStringLiteral("花钱"), QStringLiteral("累赘"),
             QStringLiteral("拖累"), QStringLiteral("包袱"), QStringLiteral("拖油瓶"),
             QStringLiteral("拖后腿")},
            {QStringLiteral("(我|自己)(的存在|这个人|活着|在这个?家里?|在家里)?(好像|真的?|"
                            "其实|根本)?(只会|就只会|只是在|就是在|只)(给|让|害|害得)"
                            "<kin>(添麻烦|添乱|增加负担|加重负担|受累|受苦|丢脸|蒙羞|为难|"
                            "操心|担心|失望|背债|还债|花钱)"),
             QStringLiteral("活着(就是|只是|只会|也是|纯粹是|简直是|都是)?在?(给|让|害)"
                            "(<kin>|别人|人)(添麻烦|添乱|增加负担|受累|受苦|丢脸|操心|为难)"),
             QStringLiteral("(净|光|尽|就会|就知道|只会|只能|成天|整天)(给|让|害|拖累)(儿女|子女|"
                            "孩子们|小辈|晚辈|儿子|女儿|儿孙|<kin>)(添麻烦|添乱|增加负担|加重负担|"
                            "受累|受苦|丢脸|为难|操心|花钱|拖后腿)"),
             QStringLiteral("(我|自己|老了|不中用了?|没用了?|病了|瘫了?|老头子|老太婆|老骨头)"
                            "<mine>{0,6}?(成了|成为|变成|是|当)了?(儿女|子女|孩子们|孩子|家里|家人|"
                            "儿子|女儿|大家|别人|家庭|全家|家里人)的?(一个|个)?(累赘|负担|拖累|"
                            "包袱|拖油瓶)")}),
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
        family(
            {QStringLiteral("不在了"), QStringLiteral("没了"), QStringLiteral("走了"),
             QStringLiteral("死了"), QStringLiteral("死掉"), QStringLiteral("离开了"),
             QStringLiteral("离开这个世界"), QStringLiteral("消失了"),
             QStringLiteral("不在这个世界"), QStringLiteral("不在人世"), QStringLiteral("离开人世"),
             QStringLiteral("不见"), QStringLiteral("死去"), QStringLiteral("消失"),
             QStringLiteral("人间蒸发")},
            {QStringLiteral(
                 "<gone>(<any>{0,20}((没有?人|没谁|不会有(一个)?(人|谁)|有谁|谁(都|也)不会|"
                 "一个人都不会|谁(会|还会|又会|能|"
                 "还能))会?(为我|替我|给我)?<gap>{0,4}(发现|知道|注意|在乎|在意|哭|难过|"
                 "伤心|想我|想念|记得|想起|掉眼泪|掉一滴眼泪|流泪|察觉|发觉|关心|收尸|"
                 "怀念|问起|提起|问一句|问一声|问我|过问|打听|管我|来看我|找我|联系我|"
                 "惦记|挂念|心疼|可惜|留意|意识到|看一眼|提到我)|连<gap>{0,6}(都|也)(不会|"
                 "没)<gap>{0,2}(发现|知道|注意|在乎|在意|难过|伤心|想我|记得|想起|察觉|"
                 "发觉|关心|问)|(好久|很久|几天|好几天|几个月|好几个月|半个月|一个月|一年|"
                 "几周)<gap>{0,6}(才|才会)(有人|被人)?(发现|知道|注意))|<any>{0,12}((世界|地球|"
                 "太阳|生活|日子|大家|所有人|他们|"
                 "你们|一切|别人|身边的人|家里|这个家)<gap>{0,3}(也|都|还|还是|仍然|依然|"
                 "依旧)?会?(照样|照常|照旧|一样|依旧|依然|继续)<gap>{0,3}(转|运转|过|"
                 "继续|生活|升起|热闹|开心|上班|上学|过日子|吃饭|进行|正常)|(什么|一切)"
                 "都不会(改变|变|有变化|有什么不同)|(也|都)?(没|没有|不会有)(什么|任何)?"
                 "(区别|变化|影响|差别|两样|不同)))"),
             QStringLiteral("(要是|如果|假如|假设|哪天|有一天|万一)<gap>{0,4}(我|自己)(真的?|哪天|"
                            "突然)*(死了|死掉了?|不在了|不在人世了?|离开这个世界了?)<any>{0,10}(你|"
                            "你们|大家|他们|爸妈|有人)(会|还会)(难过|伤心|哭|想我|记得我|想起我|"
                            "在乎|发现)")}),
        // Nobody to weep: "谁会为我哭"; a funeral nobody comes to, a body found days late:
        // "我的葬礼会有人来吗", "我死在出租屋里 估计要好几天才会被发现". Other people's funerals
        // and the news are not this: the user is the one buried or found.
        family({QStringLiteral("为我"), QStringLiteral("替我"), QStringLiteral("葬礼"),
                QStringLiteral("追悼会"), QStringLiteral("丧礼"), QStringLiteral("灵堂"),
                QStringLiteral("死在"), QStringLiteral("倒在"), QStringLiteral("烂在"),
                QStringLiteral("尸体"), QStringLiteral("遗体")},
               {QStringLiteral("(没有?人|不会有人|谁)会?(为我|替我)(哭|掉(一滴)?眼泪|流(一滴)?"
                               "泪|难过|伤心)"),
                QStringLiteral("(我|自己)的?(葬礼|追悼会|丧礼|灵堂)<any>{0,10}(没有?人|没几个人|"
                               "不会有人|会有人|有人会|谁会|有几个人|冷冷清清|冷清)"),
                QStringLiteral("(没有?人|没几个人|不会有人|谁会|有谁会)<gap>{0,6}(来|去|参加|"
                               "出席)<gap>{0,3}(我|自己)的?(葬礼|追悼会|丧礼)"),
                QStringLiteral("(我|自己)(要是|如果)?(死了|死掉了?|走了|不在了|没了)<any>{0,10}"
                               "(葬礼|追悼会|丧礼|灵堂)<any>{0,8}(没有?人|没几个人|不会有人|谁会|"
                               "有几个人|冷冷清清|冷清)"),
                QStringLiteral("(我|自己)<gap>{0,3}(死在|倒在|烂在)<any>{0,14}(好几天|几天|好久|"
                               "很久|几个月|一个月|半个月|臭了|发臭|烂了|才会?被人?发现|没人发现|"
                               "没人知道|不会有人|才有人|都没人)"),
                QStringLiteral("(我|自己)的(尸体|遗体)<any>{0,10}(臭了|发臭|烂了|没人|不会有人|"
                               "才会?被人?发现|才有人)")},
               // The song for one's funeral is a joke the internet makes often.
               {.unless = {QStringLiteral("放这首|这首歌|歌单|bgm|背景音乐|蹦迪|放歌|唱歌")}}),
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
             QStringLiteral("撞死我?算了"),
             QStringLiteral("(如果|要是|假如)我?(从|在)<gap>{0,8}跳下去<any>{0,8}(会怎么样|会怎样|"
                            "会不会<gap>{0,2}死|会<gap>{0,2}死吗|是不是就|就能|就可以|就不用|"
                            "就解脱|一了百了)"),
             QStringLiteral(
                 "(刀片|美工刀|小刀|安眠药|药|绳子)<gap>{0,6}藏(在|到|进|好|起来)<any>{0,12}(随时|"
                 "准备好|都可以|不让|没人知道|谁都不知道|没人发现)"),
             // Pharmacy after pharmacy, a little at each, so that none asks: "跑了五家药店 每家
             // 买一点". A cold or a shortage sends people round the shops too.
             QStringLiteral("(跑|去|走|逛)了?(好几|几|两|三|四|五|六|七|八|九|十|多)家(药店|药房)"
                            "<any>{0,14}(每家|一家|分开|分别|各家?)<gap>{0,6}(买|开|拿)"
                            "(?!<any>{0,16}<cold>)"),
             QStringLiteral("(每家|一家|分开|分别|各家)(药店|药房)?<gap>{0,4}(买|开|拿)了?(一点|"
                            "一盒|一板|一瓶|几片|一些|点)?的?<sleepdrug>"),
             QStringLiteral("(一个|一家|每家)(药店|药房)只(让|能|给|肯|卖)买?(一盒|一板|一瓶|几片)"
                            "<any>{0,16}(分开|跑了|换了|好几家|几家|多家)(?!<any>{0,16}<cold>)")}),
        // Looking up the means: "查了吃多少片安眠药才会死", "安眠药的致死量",
        // "怎么死才不痛".
        family({QStringLiteral("多少"), QStringLiteral("几楼"), QStringLiteral("几层"),
                QStringLiteral("几片"), QStringLiteral("几颗"),
                QStringLiteral("几粒"), QStringLiteral("几瓶"), QStringLiteral("几盒"),
                QStringLiteral("几板"), QStringLiteral("几克"), QStringLiteral("几毫克"),
                QStringLiteral("几mg"), QStringLiteral("致死"), QStringLiteral("药吃多"),
                QStringLiteral("药过量"), QStringLiteral("药吃太多"), QStringLiteral("药多吃"),
                QStringLiteral("处方"), QStringLiteral("镇静剂"), QStringLiteral("镇定剂"),
                QStringLiteral("多高的楼"), QStringLiteral("楼多高"), QStringLiteral("多高才"),
                QStringLiteral("不问了"), QStringLiteral("当我没问")},
               {QStringLiteral("(吃|吞|服|喝)(多少|几)(片|颗|粒|瓶|盒|板|克|毫克|mg)?"
                               "的?<drug>?<gap>{0,4}(才|就|会|能|可以|可能)+<dying>"),
                // Enough, the purpose unsaid: "安眠药一次吃多少才够"; a floor high enough.
                QStringLiteral("<sleepdrug><gap>{0,8}(吃|吞|服|喝)?(多少|几)(片|颗|粒|瓶|盒|板)?"
                               "(才|就|能)?(够|足够|保险|稳妥|救不回来|没救)(?!量|剂量|疗程)"),
                QStringLiteral("[楼层](?<=几楼|几层|多少楼|多少层)<gap>{0,4}跳(下去|"
                               "下来)?<gap>{0,4}(才|就|一定|肯定|必|能|会|可以)+<dying>"),
                QStringLiteral("<drug><gap>{0,4}(吃|吞|服|喝)(多少|几)(片|颗|粒|瓶|盒|板)?"
                               "<gap>{0,4}(才|就|会|能|可以)+<dying>"),
                QStringLiteral("(多少|几)(片|颗|粒|瓶|盒|板)的?<drug><gap>{0,4}(才|就|会|能|"
                               "可以)+<dying>"),
                QStringLiteral("<drug><gap>{0,4}致死(量|剂量)|致死(量|剂量)的?<drug>"),
                // "哪种药吃多了不会太痛苦": which pills, the pain the only worry.
                QStringLiteral("(哪种|什么|哪个|啥|哪类|哪一种|哪些)药<gap>{0,6}(过量|吃多了?|"
                               "吃太多|多吃|一次吃多|吃一大把|吞多了?)<gap>{0,6}(不会|不太|没那么|"
                               "没有那么|不怎么|不)(太|很|那么)?(痛苦?|疼|难受)"),
                // A prescription asked about "because I want to buy more at a time".
                QStringLiteral("(<sleepdrug>|镇静剂|镇定剂)<any>{0,16}(处方|医生开)<any>{0,16}(想|要|"
                               "打算)(一次)?(多|一次)(买|囤|拿|备)(?!<any>{0,12}(省得|免得|出差|"
                               "出国|老跑|跑医院))|(想|要|打算)一次(多)?(买|囤|拿)(很多|好多|一大堆|"
                               "几盒|几瓶|大量|多点|多一些)<gap>{0,4}(<sleepdrug>|镇静剂|镇定剂)"),
                // "多高的楼才能确保……算了不问了": the question broken off.
                QStringLiteral("(多高|几楼|几层|多少层|多少楼)<gap>{0,8}(跳下去|掉下去|下去)?"
                               "<gap>{0,3}(才|就)?(能|会)?(确保|保证|一定|肯定|百分百|百分之百|稳|"
                               "必)<any>{0,16}(算了|不问了|没事了?|当我没问|没什么)")}),
        family(
            {QStringLiteral("么死"),   QStringLiteral("样死"),     QStringLiteral("何死"),
             QStringLiteral("法死"),   QStringLiteral("式死"),     QStringLiteral("能死"),
             QStringLiteral("以死"),   QStringLiteral("么自杀"),   QStringLiteral("样自杀"),
             QStringLiteral("何自杀"), QStringLiteral("结束自己"), QStringLiteral("离开这个世界"),
             QStringLiteral("死法"),   QStringLiteral("死亡方式"), QStringLiteral("死亡方法"),
             QStringLiteral("自杀方"), QStringLiteral("离开方式"), QStringLiteral("痛苦地"),
             QStringLiteral("不疼地"), QStringLiteral("不痛地"),   QStringLiteral("无痛地"),
             QStringLiteral("安静地")},
            {QStringLiteral("(查|搜|搜索|百度|问|研究|看)(了|过)?<gap>{0,6}(怎么|怎样|如何|"
                            "哪种方法|什么方法|哪种方式|什么方式)(才能|可以|能)?(死|自杀|"
                            "结束生命|结束自己)(?![机磕心记缠的了])"),
             QStringLiteral(
                 "(怎么|怎样|如何|哪种方法|什么方法|哪种方式)(才能|才可以|可以|能)?(不痛苦|"
                 "没有痛苦|不疼|不痛|无痛|安静|安安静静)地?(死|死去|自杀|结束自己|"
                 "离开(这个世界|人世|人间)|离开<end>|走<end>)"),
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
               {QStringLiteral(
                    "(站|坐|爬|蹲)(在|到|上)了?(窗台上|<height>的?(边缘|边沿|边上|外面|外边|"
                    "外侧)|栏杆外|护栏外)了?(<end>|[，,…])"),
                QStringLiteral("<height><any>{0,12}(差点|差一点|险些|就差|几乎)儿?就?(跳|下去|"
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
                               "了?<any>{0,6}<height>"),
                // Asking the way up, the purpose unsaid: "附近哪栋楼的天台门没锁", "越高越好".
                QStringLiteral("(哪栋|哪个|哪座|哪幢|哪里的?|哪儿的?|附近的?|有没有|"
                               "有哪些)<gap>{0,6}?(天台|楼顶|顶楼|屋顶)<gap>{0,3}?(没锁|没上锁|"
                               "不锁|没人管|能上去|可以上去|上得去|好上去|容易上去|能进去?|开着|"
                               "开放|能爬上去)"),
                QStringLiteral("(天台|楼顶|顶楼|屋顶)的?(门|铁门|那道门|那扇门)<gap>{0,6}(锁|开着|"
                               "开不开|能开|能不能开|打得开)<any>{0,16}(上去|去)<gap>{0,4}(待|呆|坐|"
                               "站|吹吹风)<gap>{0,2}(一会|一下|会儿|一阵|片刻|一晚)"),
                QStringLiteral("(现在|此刻|这会儿|正|已经)(一个人)?(站|坐|蹲)在<gap>{0,4}(天台|楼顶|"
                               "顶楼|屋顶|大桥|桥|楼顶边|天台边)(上|边|边上)?了?(<end>|[，,…~～]|"
                               "\\.\\.\\.)"),
                QStringLiteral("(天台|楼顶|顶楼|屋顶|高楼|大桥)<any>{0,10}越高越好(?!<any>{0,10}"
                               "(拍|夜景|风景|视野|信号|景色|观景|晒|光线|看))")},
               {.unless = {QStringLiteral("派对|聚会|party|跨年|烧烤|航拍|摄影|拍夜景|取景|观景台|"
                                          "婚纱照|写真|晾|晒|收衣服|种菜|修|检修|维修|物业")}}),
        // Too tired to go on: "真的撑不住了", "不想再坚持了", "没有力气再继续了".
        // "我已经尽力了 真的走不下去了", "这次挺不过去了": a steep path or a hike is not this.
        family({QStringLiteral("坚持"), QStringLiteral("撑"), QStringLiteral("扛"),
                QStringLiteral("熬"), QStringLiteral("挺不"), QStringLiteral("继续"),
                QStringLiteral("走下去"), QStringLiteral("努力下去"), QStringLiteral("过不下去"),
                QStringLiteral("走不下去")},
               {QStringLiteral("(坚持|撑|扛|熬|挺)不(下去|住|动|过去(?<![他她它你怕司店].不过去)"
                               "了?(<end>|[，,…]))"),
                // It starts at its rare word and looks back from there at the word before: a
                // search starting at every "我" would cost a pasted page dearly. A path, a hill,
                // a project or a love affair goes no further either; nor, above, a pet or a shop.
                QStringLiteral("走(?<![山坡路梯半腿脚情目意作系姻爱]走)不下去了?(<end>|[，,…])"
                               "(?!<any>{0,12}(腿|脚|山|路太|坡|楼梯|公里|爬|徒步|登山|缆车|打车|"
                               "走路|剧情|项目|合作|感情|关系))"),
                QStringLiteral(
                    "(不想|不愿|没力气|没有力气|没法|无法|再也没法|再也不想|没有勇气|没勇气)"
                    "再?(继续)?(坚持|撑|扛|熬)(下去|住)?(了|啦|吧)?<end>"),
                QStringLiteral("(不想|不愿|没力气|没有力气|再也不想|没有勇气|没勇气)再?(继续|"
                               "走下去|努力下去)(下去)?(了|啦|吧)?<end>"),
                QStringLiteral("(日子|生活|人生)<gap>{0,4}过不下去")},
               // Worn out by work with the rest already planned: "撑不住了 等上线了就请年假".
               {.unless = {QStringLiteral("(等|忙完|上线|交付|发布|做完)<aside>{0,8}?(就|要|得|"
                                          "一定|再)<aside>{0,3}?(请假|休假|年假|调休|休息几天|"
                                          "好好休息|旅游|旅行|睡一天|睡个够)")}}),
        // Resting for ever, never getting up again: "好想永远地休息", "累得再也不想起来了",
        // "躺下去就再也不用起来".
        family(
            {QStringLiteral("永远"), QStringLiteral("永久"), QStringLiteral("再也不"),
             QStringLiteral("永远不"), QStringLiteral("不想再"), QStringLiteral("不用再"),
             QStringLiteral("不要再"), QStringLiteral("别再"), QStringLiteral("forever")},
            {QStringLiteral("(想|好想|只想|真想|希望|但愿|多想|宁愿|渴望|让我|就让我)(自己|"
                            "我)?(能|可以|就)?(就这样|就此|好好|安安静静|静静)?地?(永远|永久|"
                            "永永远远)地?(休息|歇着|歇息|歇下|安息|长眠|睡去|睡过去|睡下去|睡着|"
                            "闭上眼睛?|躺下去)"),
             QStringLiteral(
                 "(想|好想|只想|真想)(好好)?(休息|睡)(了|一下|一觉|一会儿?)?[，,…~～]*(永远|永久)"
                 "(地|的)?(了|吧)?<end>"),
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
                QStringLiteral("孝顺"), QStringLiteral("替我"), QStringLiteral("代我"),
                QStringLiteral("帮我跟"), QStringLiteral("帮我向"), QStringLiteral("帮我和"),
                QStringLiteral("帮我对"), QStringLiteral("用不上"), QStringLiteral("用不着"),
                QStringLiteral("用不到"), QStringLiteral("不需要了")},
               {QStringLiteral("(都|全|全部|统统|全都)(送人|送给|送掉|送出去|分给|分掉|留给|交给|"
                               "转给|托付给)[^。！？\\n]{0,14}(留个纪念|做个纪念|当个纪念|作纪念|"
                               "当纪念|当作纪念|留作纪念|记得我|想起我|替我|再也|永别|别难过|"
                               "不要难过|别想我|用不上|用不着|用不到)"),
                // "反正以后也用不上了，这些都送你": the reason is that one won't be here.
                QStringLiteral("反正(我)?(以后|今后|往后|再)?(也|都)?(用不上|用不着|用不到|不需要|"
                               "不会再用)了?<any>{0,14}(送|给|拿走|拿去|分)|(送|给|留)(你|你们|他们|"
                               "妹妹|弟弟|朋友|室友)<any>{0,12}反正(我)?(以后|今后|再)?(也|都)?"
                               "(用不上|用不着|用不到|不需要)"),
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
                               "家里人)说?(声|一声)?(对不起|抱歉|再见|我爱)"),
                QStringLiteral("(所有的?|全部的?|卡里的?|存款|积蓄|余额)(钱|存款|积蓄)?(都|全|全部|"
                               "全都)?(转给|留给|打给)<gap>{0,8}<advice>"),
                // Money sent home is often sent with "好好学习"; only a farewell makes it this.
                QStringLiteral("(钱|存款|积蓄|余额)(都|全|全部|全都)(转给|留给|打给)<gap>{0,8}"
                               "(以后|今后)?(照顾好(爸妈|父母|妈|爸|家里)|孝顺(爸妈|父母)|别想我|"
                               "不要想我|别难过|不要难过|替我(照顾|孝顺)|你们(要)?好好的|好好活)"),
                // Sorry said to everyone through someone else: "帮我跟大家说声对不起". Late for
                // a class or missing a dinner, people send the same.
                QStringLiteral("(替|代|帮)我(跟|和|向|对)(大家|所有人|每个人|他们|爸妈|父母|家人|"
                               "家里人|我妈|我爸|妈妈|爸爸)(说|道)?(声|一声|个|一个)?(对不起|抱歉|"
                               "道歉|歉)(?!<any>{0,16}(迟到|来不了|去不了|请假|晚点|有事|聚会|聚餐|"
                               "会议|开会|上课|缺席|堵车|不能来|没法来|今天|今晚|明天))")}),
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
        // And an insurance's beneficiary changed to a parent: "把保险的受益人改成我妈了"; a note to
        // fetch: "密码写在纸条上了 你们记得拿". A new marriage or a child changes it too.
        family({QStringLiteral("银行卡"), QStringLiteral("存折"), QStringLiteral("密码"),
                QStringLiteral("积蓄"), QStringLiteral("存款"), QStringLiteral("私房钱"),
                QStringLiteral("保险单"), QStringLiteral("保单"), QStringLiteral("受益人")},
               {QStringLiteral("(银行卡|存折|密码|积蓄|存款|私房钱|保险单|保单)<any>{0,14}(留给|"
                               "写给|交代给|交待给)<any>{0,14}(以后|将来|往后|日后|留着|用得着|"
                               "用得上|派上用场|应急|急用|养老)"),
                QStringLiteral("(银行卡|存折|密码|积蓄|存款|私房钱|保险单|保单)<any>{0,14}(写在|"
                               "写好|写下|放在|藏在|压在)<any>{0,14}<others><gap>{0,4}(以后|将来|"
                               "往后|日后|到时候)?<gap>{0,2}(用得着|用得上|有用|派上用场|应急|急用|"
                               "养老|拿去用|取出来用|拿去花|留着用|需要|会需要|要用|会用到|(记得|"
                               "自己)去?(拿|取)(吧|啊)?<end>)"),
                QStringLiteral("(银行卡|存折|卡)的?密码(是|就是)<any>{0,14}(你们|家里人|家人|爸妈|"
                               "我妈|我爸)<gap>{0,4}(以后|到时候|将来)<gap>{0,4}(记得|自己|可以)?"
                               "(取|拿|用)"),
                QStringLiteral("受益人(都|已经)?(改成|改为|换成|写成|填成|都改|变更为?|填了|写了)"
                               "(?!<any>{0,12}(结婚|婚后|离婚|出生|宝宝|新买|刚买|业务员|续保|老婆|"
                               "老公|吗|呢|？))")}),
        // An account given away, as one will never come online again.
        family({QStringLiteral("上线"), QStringLiteral("登录"), QStringLiteral("登陆"),
                QStringLiteral("上号"), QStringLiteral("上来"), QStringLiteral("账号"),
                QStringLiteral("帐号")},
               {QStringLiteral("(号|账号|帐号|账户|帐户|密码|装备|皮肤|qq|微信)<any>{0,14}(送给|"
                               "送你|给你|留给|交给|转给|发给|拿去|归你)<any>{0,14}(以后|今后|"
                               "往后|再也|永远|从此)我?(也|都|就)?(不会|不再|不用|不能|没法|"
                               "没机会)再?(上线|登录|登陆|上号|上来)"),
                QStringLiteral("(以后|今后|往后|再也|永远|从此)(也|都|就)?(不会|不再|不用|不能|"
                               "没法)再?(上线|登录|登陆|上号|上来)<any>{0,16}(号|账号|帐号|账户|"
                               "帐户|密码|装备)<gap>{0,6}(送给|送你|给你|留给|交给|转给|发给|"
                               "拿去|归你|就是你的)"),
                // Or with parting advice: "游戏账号都给你了 以后少熬夜 好好的".
                QStringLiteral("(账号|帐号)<gap>{0,6}(都|全|全部)?(给你|送你|留给你|归你|交给你|"
                               "转给你|给你们|留给你们)了?<any>{0,4}<advice>")}),
        // All that needs saying, put in a letter: "该说的我都写在信里了".
        family({QStringLiteral("写在"), QStringLiteral("写进"), QStringLiteral("写到"),
                QStringLiteral("写好"), QStringLiteral("写下"), QStringLiteral("写了"),
                QStringLiteral("封信"), QStringLiteral("的信"), QStringLiteral("到信"),
                QStringLiteral("了信"), QStringLiteral("纸条"), QStringLiteral("留言"),
                QStringLiteral("枕头")},
               {QStringLiteral("(想说的|要说的|该说的|想讲的|要讲的|该交代的|要交代的|想交代的|"
                               "想对你们说的|想对大家说的|最后想说的|所有想说的)"
                               "话?[，,]?<gap>{0,4}(都|全|全部)?(已经)?写(在|进|到|好|下|了)"
                               "了?<gap>{0,6}(信|纸|日记|本子|便签|纸条|遗书)"),
                QStringLiteral("(你们|你|他们|爸妈|家人|大家)(看到|看了|读到|读了|收到)(那封|"
                               "这封|我的|我留的|桌上的|抽屉里的|我写的)?(信|纸条|留言)"
                               "<gap>{0,6}(就|会|应该|自然)都?(明白|懂|知道|理解)(?!我的心意|"
                               "我的心|我有多|我对你)"),
                // "信已经写好了，放在枕头底下". A birthday surprise waits there too.
                QStringLiteral("(信|遗书|纸条|字条|遗言)<any>{0,12}(放|压|塞|藏|留)(在|到)?了?<gap>{0,3}"
                               "枕头(底下|下面|下边|下|里|边)|枕头(底下|下面|下边|下)<gap>{0,6}(有|"
                               "压着|放着|塞着|留了|留着)<gap>{0,8}(信|纸条|字条|遗书)")},
               {.unless = {QStringLiteral("生日|惊喜|礼物|情书|圣诞|红包|牙仙|情人节|纪念日|表白|"
                                          "压岁钱|贺卡|新年|七夕|母亲节|父亲节")}}),
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
        family(
            {QStringLiteral("再也"), QStringLiteral("最后一次"), QStringLiteral("辈子"),
             QStringLiteral("来世"), QStringLiteral("来生"), QStringLiteral("下一世"),
             QStringLiteral("天堂"), QStringLiteral("另一个世界"), QStringLiteral("再见"),
             QStringLiteral("别了"), QStringLiteral("永别"), QStringLiteral("拜拜"),
             QStringLiteral("告别"), QStringLiteral("道别"), QStringLiteral("离开"),
             QStringLiteral("别找我"), QStringLiteral("要找我"), QStringLiteral("用找我"),
             QStringLiteral("远的地方")},
            // "哪天我突然不回了，别担心，也别找我，就当我去了很远的地方".
            {QStringLiteral("就当(我|是我)?(是)?(去了|去|走了|出了|搬去了)(一个)?(很远|远|好远)的地方"
                            "(?!<gap>{0,4}(旅行|旅游|出差|留学|打工|工作|读书|上学))"),
             QStringLiteral("(如果|要是|哪天|有一天|万一)<gap>{0,6}(突然)?(不回|没回|不再回|没有回|"
                            "消失了?|联系不上)<any>{0,24}(别|不要|不用)(来)?找我(?!<any>{0,10}(睡觉|"
                            "开会|上课|考试|出差|加班|忙|信号|没电))"),
             QStringLiteral("再也(见不到|见不着|看不到|看不见|听不到)我"),
             QStringLiteral("再也(见不到|见不着)(你|你们|大家)?了"),
             QStringLiteral("最后一次(跟|和|与|同|给|对)?(你|你们|大家|人|别人|任何人|谁|"
                            "这个世界)?(说话|聊天|聊|讲话|发消息|打招呼|说再见|道别|倾诉)(?!是|在|"
                            "的|时|还|都|已经|已|也|天)"),
             QStringLiteral("最后一次(跟|和|与|同)(你|你们|大家)见面(?!是|在|的|时)"),
             QStringLiteral(
                 "(对不起|抱歉|原谅我)<any>{0,10}(下辈子|来世|来生|下一世|下一辈子)(我)?(再|还)"
                 "(做|当|孝顺|报答|陪|见)"),
             QStringLiteral("(下辈子|来世|来生|下一世|下一辈子|天堂|另一个世界)(我们)?(再|再来)?"
                            "(见|见面|相见|再会|重逢)"),
             QStringLiteral(
                 "(再见|别了|永别了?|拜拜|告别|道别)(了|吧|啦)?[，,]?((这个|这)(<gap>{0,6}的)?)?"
                 "(世界|人间|人世)(?![杯纪记冠级之各])"),
             QStringLiteral("(再见|拜拜|别了)(了|吧|啦)?[，,…]*永远(了|吧|啦)?(<end>|[，,…])"),
             QStringLiteral("(和|跟|向|对)(这个|这)?(世界|人间|人世)说?(声|一声)?(再见|告别|"
                            "道别|永别|拜拜)"),
             QStringLiteral("(准备|打算|决定|就要|快要|该)离开(这个|这)?(世界|人世|人间)"),
             QStringLiteral("我<gap>{0,3}永远地?离开"),
             // "这次是真的再见了": not when a next time, a new job or a break-up is named.
             QStringLiteral("这次(是|我)?真的(要|该|得)?(说|跟你说|和你说|跟大家说)?(再见|告别|"
                            "永别|道别|拜拜)了?(<end>|[，,…])(?!<any>{0,16}(明天|明年|下次|下周|"
                            "回头|改天|到时候?|再聚|见面|毕业|离职|辞职|退休|出国|搬家|回国|下学期|"
                            "分手|前任|前男友|前女友|这段感情))")}),
        // Goodbye for good without "永别": "谢谢你一直陪着我，以后不会再来了",
        // "我要走了，不会再回来了，大家保重", "i won't be back". The thanks or the goodbye is
        // often a sentence of its own ("谢谢你，阿木。以后我就不来了。再见").
        family({QStringLiteral("再来"), QStringLiteral("不来"), QStringLiteral("会来"),
                QStringLiteral("能来"), QStringLiteral("法来"), QStringLiteral("回来"),
                QStringLiteral("出现"), QStringLiteral("打扰"), QStringLiteral("找你"),
                QStringLiteral("跟你聊"), QStringLiteral("和你聊"), QStringLiteral("联系")},
               {QStringLiteral("<never>")},
               {.context = {QStringLiteral("谢谢|感谢|多谢|再见|拜拜|别了|保重|珍重|bye|永别|"
                                           "勿念")}}),
        // Going first, thanking everyone for the years: "我先走一步了 这些年谢谢你们",
        // "谢谢大家这些年的照顾 我要走了". A new job, a move or a meeting's end sound the same.
        family(
            {QStringLiteral("回来"), QStringLiteral("先走"), QStringLiteral("这些年"),
             QStringLiteral("这么多年"), QStringLiteral("一直以来"), QStringLiteral("这辈子")},
            {QStringLiteral("(我要?走了|我该走了|我要离开了?|我得走了|我离开了|我走啦)"
                            "<any>{0,6}(不会|再也不|永远不|不)会?再?回来"),
             QStringLiteral("(走了|离开了?)<gap>{0,4}(就|也)?(不|不会|再也不|永远不)"
                            "会?再?回来了?<any>{0,8}(大家|你们|你|各位)?(都|要|也要)?(保重|"
                            "珍重|好好的|好好活|好好照顾自己|照顾好自己|别想我|不要想我|"
                            "别难过|不要难过|别找我|不要找我|勿念)"),
             QStringLiteral("(不会|再也不|永远不)会?再?回来了?<any>{0,8}(大家|你们|你|各位)?"
                            "(都|要|也要)?(保重|珍重|好好的|好好活|好好照顾自己|照顾好自己|"
                            "别想我|不要想我|别难过|不要难过|别找我|不要找我|勿念)"),
             QStringLiteral("(先走一步|先走了)<any>{0,10}(别难过|不要难过|别想我|不要想我|忘了我|"
                            "勿念|永别|保重|(好好的|好好活|照顾好自己)(<end>|[，,…])|(这些年|"
                            "这么多年|一直以来|这辈子)<gap>{0,6}(谢谢|感谢|辛苦|对不起|麻烦)|(谢谢|"
                            "感谢|对不起)<gap>{0,4}(这些年|这么多年|一直以来|这辈子))"),
             QStringLiteral("((这些年|这么多年|一直以来|这辈子)<gap>{0,6}(谢谢|感谢|辛苦|对不起)|"
                            "(谢谢|感谢|对不起)<gap>{0,4}(这些年|这么多年|一直以来|这辈子))"
                            "<any>{0,12}(先走一步|先走了|我要走了|我该走了|我得走了|要走了|我走了|"
                            "再见了|永别了?|别了|下辈子|来世|就到这里|到此为止|我要离开了?)"),
             QStringLiteral("(谢谢|感谢|多谢)(你|你们|大家|各位|所有人)?<gap>{0,4}(这些年|这么多年|"
                            "这几年|一直以来)(的|来的)?(照顾|陪伴|包容|关心|照应|付出|爱)"
                            "<any>{0,10}(我要走了|我该走了|我得走了|要走了|我走了|再见了|永别了?|"
                            "下辈子|来世|别了|就到这里|到此为止|我要离开了?)")},
            {.unless = {QStringLiteral(
                 "离职|辞职|退休|毕业|调走|调到|入职|新公司|跳槽|出国|留学|搬家|回老家|工作|读书|"
                 "上学|旅行|出差|散会|开会|会议|聚餐|吃饭|下班|下次|回头见|改天|再聚|常联系|"
                 "有空|明天|明年|早起|慢慢吃|慢慢聊|你们聊|先聊|继续|退群|退圈|退游")}}),
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
                               "皮|身上|几道|一道|好几道|几刀|一刀|好多道|很多道)"),
                // A streak broken: "半年没碰刀片了 今天又没忍住".
                QStringLiteral("(没碰|不碰|没动|没拿|戒了?|戒掉)(过)?<blade><any>{0,14}(又|还是|"
                               "终究|今天|昨天|昨晚)+(没忍住|忍不住|碰了|拿起|动了|划|割)")}),
        // Pain as relief: "看着血流出来心里才好受", "只有疼的时候才觉得自己活着".
        family({QStringLiteral("血"), QStringLiteral("活着")},
               {QStringLiteral("(看着|看到|看见|盯着)(血|鲜血|血珠|血流|血一点点)"
                               "<any>{0,10}(好受|舒服|平静|轻松|踏实|安心|解压|痛快|活着)"),
                QStringLiteral("(疼|痛)(的时候|了)?<gap>{0,6}(才能|才会|才)(让我)?(觉得|感觉|"
                               "感到)(自己)?还?活着")}),
        // The user wanting to die, in words of their own, the subject and the wish apart or
        // together: "我真的只想死掉算了", "我打算去世", "好想去世". Heat, laughter and hunger
        // "killing" one, and wishing someone else dead, are not this; "死" is all over stories,
        // so this is asked only where someone wants or plans something.
        family(
            {QStringLiteral("死"), QStringLiteral("去世"), QStringLiteral("离世"),
             QStringLiteral("自尽"), QStringLiteral("了断"), QStringLiteral("离开这"),
             QStringLiteral("离开人"), QStringLiteral("天堂"), QStringLiteral("另一个世界"),
             QStringLiteral("跳下"), QStringLiteral("往下跳"), QStringLiteral("一跃而下"),
             QStringLiteral("结束自己")},
            {QStringLiteral(
                 "<self><mine>{0,4}?<wish><quietly>{0,2}(今天|今晚|明天|明晚|这周末?|周末|"
                 "马上|现在|过几天|过两天|下周|下个月|就|也|还是)*<mine>{0,3}?(去<die>|"
                 "<die>[掉了去]*(算了|吧|好了|得了|拉倒|最好|比较好|干净|痛快|省心|一了百了)?"
                 "<end>|去世(?!界)|离世|自尽|了断|离开(这个|这)?(世界|人世|人间)|去(天堂|"
                 "另一个世界))"),
             QStringLiteral("(^|(?<=[，,…~～。！？；;]))(只想|好想|真想|很想|就想|想|宁愿|干脆)"
                            "(就|直接|早点|赶紧)?(去世(?!界)|离世|自尽)"),
             QStringLiteral("<self><mine>{0,2}?<wish>(去|申请)?安乐死|<wish>去[\\p{Han}]{2,3}"
                            "安乐死"),
             QStringLiteral(
                 "(想|琢磨|考虑|计划|盘算|研究)着?(该)?(怎么|怎样|如何|用什么方式|"
                 "用什么方法|用什么办法)(去)?(<die>(?!的)|自杀|结束自己|了断|离开这个世界)"),
             QStringLiteral(
                 "<wish>就?从<gap>{0,8}?(楼|楼顶|天台|桥|窗户|窗口|阳台|顶楼|屋顶|悬崖)上?"
                 "(跳下去|跳下来|往下跳|一跃而下)(?!逃生|躲)")},
            {.needs = {QStringLiteral("想"), QStringLiteral("宁愿"), QStringLiteral("宁可"),
                       QStringLiteral("恨不得"), QStringLiteral("巴不得"), QStringLiteral("不如"),
                       QStringLiteral("干脆"), QStringLiteral("准备"), QStringLiteral("打算"),
                       QStringLiteral("决定"), QStringLiteral("计划"), QStringLiteral("琢磨"),
                       QStringLiteral("考虑"), QStringLiteral("盘算"), QStringLiteral("研究")},
             .spare = {QStringLiteral("<joyfuldeath>")}}),
        // Going to die oneself, first or straight away: "不如我自己先去死".
        family({QStringLiteral("去死")},
               {QStringLiteral("(<self>|(?<![你他她它])(先|早点|早些|干脆|赶紧|直接))<mine>{0,3}?"
                               "去<die>(?![你他她])")},
               {.unless = {QStringLiteral("副本|游戏|boss|关卡|这关|复活|团灭|排位|开黑|王者|吃鸡|"
                                          "送人头|打野|回城")}}),
        // Death as the end of the pain, asked or hoped: "死了是不是就不会这么痛了",
        // "死亡能结束这些痛苦吗". The death of a pet, a grandmother or a character is not this.
        // Gone or asleep for good, as the end of it: "也许走了反而是解脱", "睡过去就不会痛了吧".
        // Someone else gone after an illness is spared by whom the "走" follows. "走了" is said
        // of every goodbye, so the relief is the word looked for, not the going.
        family(
            {QStringLiteral("死"), QStringLiteral("睡过去"), QStringLiteral("解脱"),
             QStringLiteral("不会痛"), QStringLiteral("不会再痛"), QStringLiteral("不会疼"),
             QStringLiteral("不会再疼"), QStringLiteral("不用再痛"), QStringLiteral("不再痛"),
             QStringLiteral("不会难受"), QStringLiteral("不会再难受")},
            {QStringLiteral("(?<![他她它奶爷婆公姥爸妈人狗猫职伴])(我|自己)?(也许|或许|可能|说不定|"
                            "其实|干脆|要是|如果|就这样)*(走了|睡过去了?|一睡不醒)(以后|之后)?[，,]?"
                            "(也许|或许|可能|反而|倒|才|就|也|其实|是不是)*(是|算|算是)?(一种)?"
                            "(解脱|轻松|(不会|不用|不再|再也不会?)再?(这么|那么)?(痛|疼|难受|痛苦|"
                            "累|苦))"),
             QStringLiteral(
                "<die>(?:[了掉亡去]*(以后|之后)?[，,]?(是不是|会不会|能不能|是否|也许|或许|"
                "大概)?(就|也就|才|便)?(能|可以|会)?((不用|不必|不会|再也不用|再也不会|"
                "再也不|不再|没有|没)再?(这么|那么)?<gap>{0,4}?(痛|疼|累|难受|难过|伤心|苦|烦|面对|"
                "受罪|受苦|折磨|失眠|哭|挨打|被骂|还债|还钱|担心|害怕|孤单|孤独|煎熬)|"
                "不再?(这么|那么)?(痛|疼|难受|苦|累|烦)|"
                "(彻底|好好)?(解脱|轻松|安静|清静|安宁|休息|睡个好觉|好受|舒服))|<gap>{0,8}?"
                "(结束|终结|摆脱|停止|止住)(这些?|所有的?|一切的?)?(痛苦|痛|折磨|煎熬|"
                "疼))"),
             // Feeling nothing any more, and glad of it: "死了就什么都感觉不到了 真好".
             QStringLiteral(
                 "<die>[了掉去]*(以后|之后)?[，,]?(就|也就|便)?(什么都|什么也|啥都|一切都)"
                 "(感觉不到|感受不到|不知道|不用想|不用管|不用面对|不会痛|不疼|不痛|结束|不在乎|"
                 "听不到|不用担心)了?<any>{0,8}(真好|挺好|多好|该多好|就好了|也好|好羡慕|羡慕|"
                 "那就好|多幸福|解脱)")},
            {.needs = {QStringLiteral("痛"),   QStringLiteral("疼"),   QStringLiteral("累"),
                       QStringLiteral("难受"), QStringLiteral("苦"),   QStringLiteral("烦"),
                       QStringLiteral("面对"), QStringLiteral("受罪"), QStringLiteral("折磨"),
                       QStringLiteral("失眠"), QStringLiteral("哭"),   QStringLiteral("挨打"),
                       QStringLiteral("被骂"), QStringLiteral("还债"), QStringLiteral("还钱"),
                       QStringLiteral("担心"), QStringLiteral("害怕"), QStringLiteral("孤单"),
                       QStringLiteral("孤独"), QStringLiteral("煎熬"), QStringLiteral("解脱"),
                       QStringLiteral("轻松"), QStringLiteral("安静"), QStringLiteral("清静"),
                       QStringLiteral("安宁"), QStringLiteral("休息"), QStringLiteral("睡个好觉"),
                       QStringLiteral("好受"), QStringLiteral("舒服"), QStringLiteral("什么都"),
                       QStringLiteral("什么也"), QStringLiteral("啥都"), QStringLiteral("一切都"),
                       QStringLiteral("难过"), QStringLiteral("伤心")},
             .spare = {QStringLiteral("<otherdeath>")}}),
        // The same of being gone: "要是我不在了，是不是就不用再难受了".
        family(
            {QStringLiteral("不在了"), QStringLiteral("没了"), QStringLiteral("走了"),
             QStringLiteral("死了"), QStringLiteral("死掉"), QStringLiteral("死去"),
             QStringLiteral("离开了"), QStringLiteral("消失了"), QStringLiteral("不见了"),
             QStringLiteral("离开这个世界"), QStringLiteral("不在这个世界"),
             QStringLiteral("不在人世"), QStringLiteral("离开人世")},
            {QStringLiteral("(<gone>|(人|我|自己)(要是|如果|真的)?(死了|死掉了?|没了|不在了|走了)"
                            "(以后|之后)?)<any>{0,10}(是不是|会不会|就|才)<gap>{0,4}?((不用|不会|"
                            "不再|再也不)再?<gap>{0,3}?|不)(痛|疼|难受|苦|累|折磨|煎熬|罪)")},
            {.needs = {QStringLiteral("痛"), QStringLiteral("疼"), QStringLiteral("难受"),
                       QStringLiteral("苦"), QStringLiteral("累"), QStringLiteral("折磨"),
                       QStringLiteral("煎熬"), QStringLiteral("罪")}}),
        // One life making no difference: "少我一个又有什么区别", "有我没我都一样",
        // "活着和死了有什么两样".
        family(
            {QStringLiteral("我一个"), QStringLiteral("一个我"), QStringLiteral("有我没我"),
             QStringLiteral("少了我"), QStringLiteral("没了我"), QStringLiteral("我在不在"),
             QStringLiteral("我活不活"), QStringLiteral("我死不死"), QStringLiteral("活着和死"),
             QStringLiteral("活着跟死"), QStringLiteral("活着与死")},
            {QStringLiteral("(少|没)了?(我(这么|这样)?一个|一个我)人?<any>{0,6}?(有|又有|能有|会有|"
                            "又能有|还有)"
                            "(什么|啥|多大|多少)(区别|不同|不一样|差别|两样|影响|关系|损失|变化)"),
             QStringLiteral("多我一个少我一个|少我一个不少"),
             QStringLiteral("(有我没我|我在不在|我活不活|我死不死)(这个世界上?|世上)?(都|又|也)?"
                            "(一样|一个样|没区别|没什么区别|没有区别|没差|无所谓|有什么(区别|不同|"
                            "差别|两样|关系)|没人在乎|没人在意)"),
             QStringLiteral("活着(和|跟|与)死(了|掉)?(有什么|又有什么|没什么|没有|没|也没)(区别|"
                            "不同|两样|差别)")},
            // A meeting or a dinner that does as well without one.
            {.spare = {QStringLiteral(
                 "(会|会议|项目|比赛|团队|小组|活动|聚会|饭局|群|工作|球队|队伍|投票|"
                 "班级|课)(上|里)?<aside>{0,4}?(有我没我|少我一个|多我一个|我在不在)")}}),
        // Looking for the way that hurts least, whatever it is called: "查了好几天哪种方式最不疼",
        // "哪个办法没那么痛苦，有点想试试". Procedures people ask the same of are look-alikes.
        family(
            {QStringLiteral("方式"), QStringLiteral("方法"), QStringLiteral("办法"),
             QStringLiteral("法子"), QStringLiteral("途径"), QStringLiteral("死法"),
             QStringLiteral("走法")},
            {QStringLiteral(
                 "(查|搜|研究|百度|问|打听|看|找)(了|过)?<any>{0,10}(哪种|哪一种|什么|哪个|"
                 "怎样的?|怎么样的?|有没有)(方式|方法|办法|法子|途径|死法|走法)((死|走|离开|"
                 "结束自己)(得|的)?)?(会|能|才|最|比较)?(最?不(疼|痛|痛苦|难受)|"
                 "没有?(那么|什么)?(痛苦|疼|痛)|痛苦最?(小|少)|最少痛苦|不会(疼|痛))"),
             QStringLiteral("(哪种|哪一种|什么|哪个)(方式|方法|办法|法子|途径|死法|走法)(会|能|才|"
                            "最|比较)?(最?不(疼|痛|痛苦)|没有?(那么)?(痛苦|疼|痛)|痛苦最?(小|少)|"
                            "最少痛苦)<any>{0,12}(想|准备|打算|有点想|好想)(试|去试|动手)")},
            {.spare = {QStringLiteral(
                 "<chore><aside>{0,10}?(方式|方法|办法|法子|途径)|(方式|方法|办法|法子|"
                 "途径)<aside>{0,8}?<chore>")}}),
        // Medicine put by bit by bit, or hidden where the family will not see it:
        // "药一板一板地攒着", "把药藏在家里人找不到的地方". Pills hidden so as not to take them
        // are another worry.
        family(
            {QStringLiteral("药"), QStringLiteral("安定"), QStringLiteral("布洛芬"),
             QStringLiteral("扑热息痛"), QStringLiteral("胰岛素"), QStringLiteral("褪黑素"),
             QStringLiteral("地西泮"), QStringLiteral("唑仑"), QStringLiteral("唑吡坦")},
            {QStringLiteral("<drug><gap>{0,8}?(一板一板|一板板|一片一片|一片片|一颗一颗|一颗颗|"
                            "一粒一粒|一粒粒|一点一点|一点点|一盒一盒|一瓶一瓶|偷偷|悄悄|慢慢)"
                            "地?<gap>{0,4}?(藏|攒|囤)(?!<gap>{0,6}不(肯|想|愿意?)?吃)"),
             QStringLiteral("(一板一板|一板板|一片一片|一片片|一颗一颗|一颗颗|一粒一粒|一粒粒|"
                            "一盒一盒|一瓶一瓶|偷偷|悄悄)地?<gap>{0,4}?(藏|攒|囤)(了|着|起)?"
                            "<gap>{0,6}?<drug>(?!<gap>{0,6}不(肯|想|愿意?)?吃)"),
             QStringLiteral("<drug><gap>{0,8}?(藏|放|塞|收)(在|到|进|起来?|好)<any>{0,12}?(家人|"
                            "家里人|爸妈|父母|爸爸|妈妈|我妈|我爸|他们|别人|老公|老婆|室友|任何人|"
                            "谁)<gap>{0,3}(都|也)?(看不到|看不见|找不到|发现不了|不知道|不会发现|"
                            "翻不到|注意不到|发现不到)"),
             QStringLiteral("<drug><any>{0,12}(攒|囤)(够|齐|好|了一堆|了好多|了很多|了不少)"),
             // Bottles saved up this month, the family's medicine kept back till there is a box.
             QStringLiteral("(攒|存|囤)(了|下了|下|够了)?<gap>{0,3}(两|三|四|五|几|好几|一|十几|半|"
                            "整整)(瓶|盒|板|大瓶|小盒|小瓶|袋)(的)?<sleepdrug>"),
             QStringLiteral("(偷偷|悄悄|背着<gap>{0,4})<gap>{0,6}(把|将)?(家里|家里人|爸妈|我妈|"
                            "我爸|奶奶|爷爷|外婆)?的?<drug><gap>{0,6}(攒|存|藏|囤)(起来|下来|着|了)"
                            "<any>{0,12}(一小盒|一盒|一小袋|一袋|一大把|一瓶|一小瓶|好多|一堆|"
                            "不少|一小堆)"),
             QStringLiteral("<drug><gap>{0,8}?(藏|收)(起来|好)<any>{0,8}(不让|别让|没让|不能让|"
                            "不敢让)(家人|家里人|爸妈|父母|爸爸|妈妈|我妈|我爸|他们|别人|老公|"
                            "老婆|室友|任何人)(看到|看见|发现|知道)")},
            {.needs = {QStringLiteral("藏"), QStringLiteral("攒"), QStringLiteral("囤"),
                       QStringLiteral("存"), QStringLiteral("看不到"), QStringLiteral("看不见"), QStringLiteral("找不到"),
                       QStringLiteral("发现不了"), QStringLiteral("不会发现"),
                       QStringLiteral("翻不到"), QStringLiteral("注意不到"),
                       QStringLiteral("发现不到")}}),
        // The commonest slips of the keyboard for "活": "不想或了", "不相活", "或不下去"; and the
        // letters the internet writes for "死": "好想去si", "想s了算了", "i wanna kms". A size
        // "s" or a speed in "kms" is followed by more.
        family(
            {QStringLiteral("想或"), QStringLiteral("相或"), QStringLiteral("再或"),
             QStringLiteral("相活"), QStringLiteral("相再活"), QStringLiteral("相在活"),
             QStringLiteral("在活"), QStringLiteral("或不下去"), QStringLiteral("或着"),
             QStringLiteral("huo"), QStringLiteral("想s"), QStringLiteral("去s"),
             QStringLiteral("如s"), QStringLiteral("脆s"), QStringLiteral("愿s"),
             QStringLiteral("kms")},
            {QStringLiteral("(不想|不相|不太想|再也不想|真不想)再?(或|huo)(了|啦|下去|着|<end>)"),
             QStringLiteral("不相(再|在)?活(了|啦|下去|着|<end>)"),
             QStringLiteral("不想在活(了|啦|下去|着|<end>)"), QStringLiteral("(?<![或者])或不下去"),
             QStringLiteral("或着(没|好累|真累|太累|有什么|干嘛|干什么|好难|真难|太难)"),
             QStringLiteral("(想|去|不如|干脆|宁愿)去?(si|s)(了|掉|算了|吧|啦|啊|呀|<end>)"),
             QStringLiteral("(想|好想|要|准备|打算|wanna|wantto|gonna|goingto|gotta|aboutto|"
                            "readyto|should|might|could)(just)?kms|kms(tonight|now|today|soon|fr|"
                            "forreal)(?![a-z])|^kms<end>")}),
        // Nothing left to tie one down, every matter settled, once one's things are given away:
        // "猫送人了，号也给了表弟，这下再也没有牵挂了", "存款转给了妹妹，一切都安排好了".
        // Said before a trip, a move or a wedding, it is only that.
        family(
            {QStringLiteral("牵挂"),   QStringLiteral("留恋"),     QStringLiteral("牵绊"),
             QStringLiteral("挂念"),   QStringLiteral("后顾之忧"), QStringLiteral("放不下"),
             QStringLiteral("顾虑"),   QStringLiteral("安排好"),   QStringLiteral("安排妥"),
             QStringLiteral("处理好"), QStringLiteral("处理完"),   QStringLiteral("交代好"),
             QStringLiteral("交代完"), QStringLiteral("交待好"),   QStringLiteral("交待完"),
             QStringLiteral("料理好"), QStringLiteral("打点好"),   QStringLiteral("收拾好"),
             QStringLiteral("办妥"),   QStringLiteral("办完"),     QStringLiteral("了结"),
             QStringLiteral("结清"),   QStringLiteral("安顿好")},
            {QStringLiteral("(这样|这下|现在|终于|总算|再也|彻底|从此|已经|就|也)<gap>{0,3}(没有?|"
                            "没什么|了无|无|不再有|不会再有)(任何|什么|一点)?(牵挂|挂念|留恋|"
                            "可留恋的|值得留恋的|放不下的|牵绊|顾虑|后顾之忧)"),
             QStringLiteral("了无牵挂|无牵无挂|再无牵挂|无所牵挂|没有什么可留恋|没什么可留恋|"
                            "没什么好留恋"),
             QStringLiteral("(一切|所有事|所有的事|什么事|事情|该办的|该做的|该交代的|该交待的|"
                            "该安排的|该处理的|该还的|该给的|该送的|都)(都|也|全|全都)?(已经)?"
                            "(安排|处理|交代|交待|料理|办|打点|收拾|了结|结清|安顿)(好|完|妥|"
                            "妥当|清楚|干净)?了")},
            {.context = {QStringLiteral(
                 "存款|积蓄|银行卡|密码|保险|遗嘱|后事|遗物|遗书|所有的?东西|全部的?东西|"
                 "(东西|衣服|书|收藏|宝贝|玩具|游戏机|吉他|手办)(都|全|全都|全部)(送|分|捐|转|"
                 "留给|给)|偷偷|悄悄|账号|帐号|猫|狗|宠物|捐|托付|最喜欢|最爱|心爱|珍藏|活着|"
                 "解脱|痛苦")},
             .unless = {QStringLiteral(
                 "旅行|旅游|出国|出发|远行|说走就走|环游|闯荡|留学|搬家|出差|度假|"
                 "创业|去<gap>{1,4}(工作|读书|上学|发展|打工|生活|定居)|退休|单身|"
                 "自由自在|婚礼|结婚|嫁|离职|辞职|交接|工作|项目|开学|入学|考试|"
                 "面试|生日|聚会|年会|会议|酒店|机票|签证|行李|装修|活动|演出|比赛|"
                 "手术|住院|生孩子|预产期|月子|毕业|入职|上班|年假|假期|放假|回老家|"
                 "过年|春节|国庆|考研|考公|备考|复习|读书|退游|弃坑")}}),
        // Scars that keep coming, hidden under long sleeves: "手腕上的疤越来越多",
        // "胳膊上全是划痕，夏天也不敢穿短袖". Scars from a fall, an operation or a cat are not.
        family(
            {QStringLiteral("疤"), QStringLiteral("伤痕"), QStringLiteral("划痕"),
             QStringLiteral("刀痕"), QStringLiteral("血痕"), QStringLiteral("口子")},
            {QStringLiteral("(疤|伤痕|划痕|刀痕|血痕|口子)<any>{0,8}(越来越多|又多了|多了(几|一|"
                            "好几)|一道又一道|一条又一条|一道一道|一条一条|密密麻麻|数不清|"
                            "新的叠旧的|新的盖旧的|旧的没好|旧的还没好)"),
             QStringLiteral("(手腕|腕|手臂|小臂|胳膊|大腿)(上|内侧)?(的|全是|都是|满是|有)?(好多|"
                            "很多|好几道|几道)?(疤|伤疤|疤痕|伤痕|划痕|刀痕|血痕)<any>{0,14}(不敢|"
                            "不能|没法|只能|一直|天天|总是|要|得|怕)(穿)?(短袖|短裤|长袖|露|遮|挡|"
                            "藏|戴护腕|戴手表|让人看|给人看|被人看|被发现|被看到|被看见|让别人|"
                            "被人发现)"),
             QStringLiteral("(不敢|不能|没法)穿短(袖|裤)<any>{0,12}(手腕|腕|手臂|胳膊|大腿)(上|"
                            "内侧)?的?(疤|伤痕|划痕|刀痕)")},
            {.unless = {QStringLiteral(
                 "摔|烫伤|烧伤|手术|开刀|猫|狗|抓|咬|疫苗|车祸|小时候|骨折|阑尾|"
                 "剖腹产|剖宫产|痘|蚊子|过敏|湿疹|胎记|纹身|刺青|晒|打球|踢球|工伤|"
                 "做饭|油溅|开水|水痘|打针|输液|留置针|抽血|献血|荨麻疹|皮炎|"
                 "疤痕体质|妊娠纹|生长纹|静脉|车|手机|屏幕|桌|地板|墙|家具|眼镜|"
                 "镜片|杯|皮鞋|包|衣服|裤子|袜子|鞋")}}),
        // Cutting as the way through the pain, told without naming the arm: "每次难受就划一下",
        // "最近割得越来越深", "拿烟头烫自己".
        // Cutting again, the streak broken, the arm unnamed: "戒了三个月 昨天又划了"; and hitting
        // oneself till dizzy: "打自己打到头晕". Chives cut again are a market's, not a wrist's.
        family(
            {QStringLiteral("划"), QStringLiteral("割"), QStringLiteral("刻"),
             QStringLiteral("烫"), QStringLiteral("打自己"), QStringLiteral("扇自己"),
             QStringLiteral("抽自己"), QStringLiteral("捶自己"), QStringLiteral("掐自己"),
             QStringLiteral("撞墙"), QStringLiteral("头撞"), QStringLiteral("头磕"),
             QStringLiteral("头砸"), QStringLiteral("掐得"), QStringLiteral("掐到")},
            {QStringLiteral("(难受|痛苦|心情不好|心里不舒服|崩溃|压力大|想哭|烦|绝望|撑不住|受不了|"
                            "扛不住|熬不住|难过|心里苦|心里疼|心里痛|心痛|睡不着|焦虑|emo|"
                            "痛的时候|疼的时候)<any>{0,10}(就|会|都|便|只能|只好|总会|总要|就会|"
                            "就想|就要|忍不住)(拿|用)?(刀|刀片|小刀|美工刀|圆规|剪刀)?(偷偷|悄悄)?"
                            "(在身上|在手上)?(划|割|刻)(自己|一下|几下|一刀|几刀|一道|几道|两下|"
                            "两刀|一点|一点点|出血|破|开)(?!手机|屏|视频|朋友圈|抖音|微博|水|船|"
                            "拳|卡|单|账|走|过去|掉|算)"),
             QStringLiteral("(划|割|刻)(得|的)(越来越深|一次比一次深|更深|也更深|深了|很深|见血|"
                            "出血|见骨)"),
             QStringLiteral("(烟头|烟蒂|打火机|火机|烙铁)<gap>{0,4}?烫<gap>{0,3}?(自己|<limb>|手)"),
             QStringLiteral("(拿|用)(烟头|烟蒂|打火机|火机|开水)烫(自己|<limb>|手)"),
             QStringLiteral("(戒了|没碰|没划|没割|忍了|坚持了|撑了|熬了|干净了)<any>{0,12}(又|还是|"
                            "终究|再次|又一次)<gap>{0,3}?(划|割|刻)(了|开)(?!<gap>{0,2}(一茬|韭菜|"
                            "草|麦|稻|肉|菜|船|卡|单|手机|屏))"),
             QStringLiteral("(忍不住|没忍住|控制不住)地?又?(划|割|刻)了?(一下|几下|一刀|几刀|自己)?"
                            "(<end>|[，,…])"),
             QStringLiteral("(又|还是|终究|再次)(划|割)了<gap>{0,4}?(流|出|见|全是|都是)了?(好多|"
                            "很多|一点|不少|一手)?血"),
             QStringLiteral("(又|再次)(划|割)了<any>{0,8}(好疼|好痛|伤口|疤|刀片|忍不住|控制不住|"
                            "没忍住)"),
             QStringLiteral("(打|扇|抽|捶|掐)了?(我)?自己(的?(头|脸|耳光|巴掌|嘴巴))?<gap>{0,4}?"
                            "(打|扇|抽|捶|掐)?(到|得)<gap>{0,4}(头晕|头昏|眼冒金星|流血|出血|脸肿|"
                            "肿了|发麻|晕|青一块紫一块|淤青)"),
             QStringLiteral("(头|脑袋)<gap>{0,2}(往|撞|磕)<gap>{0,2}(墙|桌子|柜子|地)<any>{0,8}"
                            "(撞到|磕到|直到|到)<gap>{0,4}(晕|流血|出血|起包|眼冒金星)"),
             QStringLiteral("(控制不住|忍不住|停不下来|一难受就|一崩溃就)地?(打|扇|掐|捶|抽)"
                            "(我)?自己"),
             QStringLiteral("(难受|崩溃|生气|烦|不开心|心情不好|情绪|控制不住|忍不住|想哭|绝望|委屈|"
                            "受不了|emo)<any>{0,8}(就|会|都|便|总|只能|就会)<gap>{0,3}(拿|用)?(头|"
                            "脑袋)(去|往)?(撞|磕|砸)(墙|桌子|桌|地|柜子|门|地板)"),
             QStringLiteral("掐(自己|我自己|手臂|胳膊|大腿|手)?<gap>{0,6}(掐)?(到|得|直到|出)<gap>{0,4}"
                            "(青|紫|淤青|出血|流血|破皮|全是印)")}),
        // Following someone who has died: a widow wanting to go to her husband early,
        // "老伴走了三年了，不如早点去陪他"; a child its mother, "妈妈走了以后 我好想去找她".
        // Someone else's grandfather, or a mother gone to the shops, is not this.
        family({QStringLiteral("找她"), QStringLiteral("找他"), QStringLiteral("陪她"),
                QStringLiteral("陪他"), QStringLiteral("随她"), QStringLiteral("随他"),
                QStringLiteral("跟她"), QStringLiteral("跟他"), QStringLiteral("老伴"),
                QStringLiteral("老头"), QStringLiteral("老太"), QStringLiteral("地下"),
                QStringLiteral("天堂"), QStringLiteral("另一个世界"), QStringLiteral("跟着他"),
                QStringLiteral("跟着她"),
                QStringLiteral("陪妈"), QStringLiteral("陪爸"), QStringLiteral("找妈"),
                QStringLiteral("找爸"), QStringLiteral("陪我妈"), QStringLiteral("陪我爸"),
                QStringLiteral("找我妈"), QStringLiteral("找我爸"), QStringLiteral("来找你"),
                QStringLiteral("来陪你"), QStringLiteral("去陪")},
               {QStringLiteral("(早点|早些|早日|趁早|赶紧)(去|下去)?(找|陪|跟|随)(她|他|老伴儿?|"
                               "老头子?|老太婆|老婆子|孩子他爸|孩子他妈|你爸|你妈|亡妻|亡夫)(一起)?"
                               "(去|走)?(了|吧|算了)?(<end>|[，,])"),
                QStringLiteral("随(她|他|老伴儿?|老头子?|老太婆)而去"),
                QStringLiteral("(下去|到地下|去地下|去天堂|到天堂|去另一个世界|到另一个世界)(陪|找|"
                               "见)(她|他|老伴儿?|老头子?|老太婆|他们|她们|妈妈|爸爸|我妈|我爸)"),
                QStringLiteral("(好想|真想|想|只想|也想|就想|很想)(早点|早些)?(去|下去)?(找|陪|跟|"
                               "随)着?(她|他|老伴儿?|老头子?|妈妈|爸爸|我妈|我爸)(一起)?(去|走)?"
                               "(了|吧|算了)?(<end>|[，,])"),
                QStringLiteral("(好想|真想|想|只想|也想|就想|很想|要)(早点|早些|快点)?(去|下去)?(陪|"
                               "找)(奶奶|爷爷|外婆|外公|姥姥|姥爷|妈|爸|我奶奶|我爷爷|我外婆|"
                               "我外公)(了|吧|算了)?(<end>|[，,])"),
                // Told to the dead: "妈，我很快就来找你了".
                QStringLiteral("(很快|马上|快|过几天|不久|就要|等我|这就)<gap>{0,3}(会)?(来|去|下去)"
                               "(找|陪)你(们)?(了|啦|吧)?(<end>|[，,])")},
               {.context = {QStringLiteral(
                    "(老伴儿?|老头子|老太婆|老婆子|老公|老婆|丈夫|妻子|爱人|她|他)(已经)?"
                    "(走了|去世|过世|离世|病逝|先走|不在)了?(这|好|几|一|两|三|四|五|半|"
                    "十)+(年|个月)|(老伴儿?|老头子|老太婆|老婆子|老公|老婆|丈夫|妻子|"
                    "爱人)<any>{0,8}(走了|去世|过世|离世|病逝|先走|不在了|没了)|守寡|"
                    "丧偶|丧妻|丧夫|亡妻|亡夫|忌日|墓前|坟前|天上的|在天堂|(?<![他她])(奶奶|爷爷|"
                    "外婆|外公|姥姥|姥爷|你)<gap>{0,3}(走了|去世|过世|离世|病逝|不在了|没了)"
                    "(?![，,]?(出去|出门|去|上班|回|买))|(?<![他她你爸妈])(妈妈|我妈|妈|母亲|爸爸|我爸|爸|"
                    "父亲)<gap>{0,3}(走了(?![，,]?(出去|出门|去|上班|回|买))|去世|过世|离世|病逝|"
                    "不在了|没了)")}}),
        // Going early when old or in the way: "人老了不中用，还不如早点走",
        // "净拖累孩子们，不如早些去了干净".
        family({QStringLiteral("早点"), QStringLiteral("早些"), QStringLiteral("早日"),
                QStringLiteral("趁早"), QStringLiteral("早走"), QStringLiteral("早死")},
               {QStringLiteral("(不如|还不如|倒不如|干脆|索性|想|只想|就想|真想|好想|也该|是该|该)?"
                               "(早点|早些|早日|趁早|早)(走|去|死|解脱|了断|离开)(了|掉)?(好|的好|"
                               "算了|吧|干净|省心|省事|一了百了|拉倒|得了)?(<end>|[，,])")},
               {.context = {QStringLiteral(
                    "老了|老不中用|不中用|没用了|没用的|拖累|累赘|添麻烦|负担|活够|"
                    "一把年纪|这把年纪|老骨头|老东西|儿女|子女|孩子们|活着|没意思|"
                    "没意义|瘫|废人|没盼头|活受罪|老伴")},
                .unless = {QStringLiteral(
                    "堵车|下班|回家|出发|赶车|排队|下雨|天黑|航班|火车|高铁|机场|地铁|"
                    "散会|聚会|饭局|电影|演出|派对|开会|上班|放学|起床|路上|车票|景区|"
                    "人多|公园|商场|早点睡|早睡|休息|明天|睡觉|请假|迟到|下课|吃饭|店|"
                    "门|超市|医院|看病|体检|排号|挂号|占座|占位|抢|买")}}),
        // No reason left to go on, when it is the user's life and not a plan or a love affair:
        // "想不出还有什么理由继续下去", "没有理由再撑下去了".
        family({QStringLiteral("理由"), QStringLiteral("意义"), QStringLiteral("动力"),
                QStringLiteral("必要"), QStringLiteral("盼头")},
               {QStringLiteral("(没有|没|找不到|想不出|想不到|不知道|看不到|看不出|失去了?|给不出|"
                               "说不出|找不出)(还有|任何|一个|什么|有什么|哪怕一个)?(继续|再)?"
                               "(继续下去|撑下去|坚持下去|走下去|熬下去)(的|下去的)(理由|意义|动力|"
                               "勇气|希望|必要|盼头)"),
                QStringLiteral("(没有|没|找不到|想不出|想不到|不知道|看不到|找不出|给不出|说不出)"
                               "(任何|一个|什么|还有什么)?(理由|意义|动力|必要|盼头)(让我|让自己|"
                               "能让我)?再?(继续|再)?(活下去|活着|继续下去|撑下去|坚持下去|"
                               "走下去|熬下去|活)"),
                QStringLiteral("(还有|有)(什么|啥)(理由|意义|必要|盼头)(让我)?再?(继续|再)?(活下去|"
                               "活着|继续下去|撑下去|坚持下去|熬下去)")},
               {.unless = {QStringLiteral(
                    "项目|感情|恋爱|恋情|合作|这份工作|游戏|这部剧|小说|比赛|讨论|话题|"
                    "课程|生意|实验|论文|计划|节目|连载|直播|学业|考研|健身|减肥|友谊|"
                    "对话|会议|谈判|练琴|这段关系|这段婚姻|异地恋|这个剧|这本书|"
                    "这门课|这个号|更新")}}),
        // Life as a game one leaves for good: "人生这场游戏我不想玩了，想永久下线".
        family(
            {QStringLiteral("下线"), QStringLiteral("退出"), QStringLiteral("退场"),
             QStringLiteral("注销"), QStringLiteral("删号"), QStringLiteral("不想玩"),
             QStringLiteral("不玩了"), QStringLiteral("不要玩"), QStringLiteral("不愿玩"),
             QStringLiteral("懒得玩"), QStringLiteral("gameover"), QStringLiteral("销号"),
             QStringLiteral("删掉"), QStringLiteral("不要了"), QStringLiteral("不想要了")},
            {QStringLiteral("(人生|生命|这辈子|这一生|活着|这个世界|世界|地球|人间)<any>{0,12}"
                            "((永久|永远|彻底)地?(下线|退出|退场|注销|删号)|(想|要|准备)(永久|永远|"
                            "彻底)?地?下线|gameover)"),
             QStringLiteral("(人生|生命|这辈子|活着|生活)(这场|这个|这局|这盘)?游戏<any>{0,8}(不想|"
                            "不要|不愿|懒得|不)再?(玩|继续|打)"),
             QStringLiteral("(从|在)(人生|这个世界|世界|地球|人间)(上|里|中)?(永久|永远|彻底)?"
                            "(下线|退出|退场|注销)"),
             QStringLiteral("(人生|生命|这辈子|这一生|自己)(这个|的)?(号|账号)<any>{0,6}(注销|删号|"
                            "删掉|销号|不要了|不想要了|不玩了)"),
             QStringLiteral("(我|自己|想|要)<gap>{0,3}(永久|永远|彻底)地?下线(?!一|几|半)")},
            {.unless = {QStringLiteral(
                 "退游|弃坑|退坑|游戏里|微博|抖音|qq|b站|小红书|服务器|版本|功能|公众号|平台|app|"
                 "软件|商品|产品|节目|群|直播|主播|朋友圈|微信|圈子|社团|协会|公司|"
                 "会员|登录|比赛|小组")}}),
        // At the water or a height, wanting to walk in or jump: "站在江边，好想就这样走进去";
        // at the wheel, wanting to turn it: "每次过桥都想把方向盘一打，一了百了".
        family(
            {QStringLiteral("江边"),   QStringLiteral("河边"), QStringLiteral("湖边"),
             QStringLiteral("海边"),   QStringLiteral("水边"), QStringLiteral("江里"),
             QStringLiteral("河里"),   QStringLiteral("湖里"), QStringLiteral("海里"),
             QStringLiteral("水库"),   QStringLiteral("池塘"), QStringLiteral("桥上"),
             QStringLiteral("桥边"),   QStringLiteral("大桥"), QStringLiteral("天台"),
             QStringLiteral("楼顶"),   QStringLiteral("顶楼"), QStringLiteral("阳台"),
             QStringLiteral("窗边"),   QStringLiteral("窗台"), QStringLiteral("铁轨"),
             QStringLiteral("站台"),   QStringLiteral("崖边"), QStringLiteral("悬崖"),
             QStringLiteral("方向盘"), QStringLiteral("开车"), QStringLiteral("骑车"),
             QStringLiteral("过马路"), QStringLiteral("过桥")},
            {QStringLiteral("<water><any>{0,16}(想|好想|真想|很想|就想|忍不住想|有种想|冲动|念头|"
                            "差点|恨不得)<gap>{0,4}?(走进去|走进水里|走到水里|跳下去|跳进去|"
                            "往下跳|一跃而下|沉下去|沉到底|扎进去|一头扎下去|迈出去|跨出去|"
                            "翻过去|翻出去)(?!游泳|玩|踩水|戏水|冲浪|潜水|拍照|捞|钓|划船|抓鱼|"
                            "洗脚|泡脚|凉快|看看|买|吃|逛|坐坐|参观)"),
             QStringLiteral("(想|好想|真想|恨不得|冲动|念头)<any>{0,10}方向盘<any>{0,10}(打|拐|"
                            "转|拧|扭)<any>{0,12}(解脱|结束|一了百了|冲下去|掉下去|撞上去|冲出去|"
                            "冲进|掉进|栽进|桥下|江里|河里|海里|湖里|护栏|栏杆|自由|轻松|撞过去|"
                            "撞向|不用)"),
             QStringLiteral("(开车|骑车|过马路|过桥|开到)<any>{0,12}(想|好想|冲动|念头|恨不得)"
                            "<any>{0,8}(撞上去|冲下去|冲过去|撞过去|冲出护栏|冲进(江|河|海|湖)|"
                            "迎面撞|撞向|撞死|不刹车|松开刹车)")},
            {.needs = {QStringLiteral("想"), QStringLiteral("冲动"), QStringLiteral("念头"),
                       QStringLiteral("差点"), QStringLiteral("恨不得")},
             .unless = {QStringLiteral(
                 "游泳|泳池|玩水|戏水|冲浪|潜水|凉快|沙滩|度假|泳衣|水上乐园|蹦极|"
                 "跳水|钓鱼|跳伞|驾校|教练|科目|练车|倒车|考驾照|游戏|赛车|碰碰车|"
                 "卡丁车")}}),
        // The means ready, waiting for a time alone: "绳子已经买好了，就等家里没人的那天".
        // Or only the resolve lacking: "绳子已经买了 就差一点勇气"; charcoal in the car and
        // the place chosen.
        family(
            {QStringLiteral("买好"), QStringLiteral("备好"), QStringLiteral("准备好"),
             QStringLiteral("藏好"), QStringLiteral("攒好"), QStringLiteral("攒够"),
             QStringLiteral("买到"), QStringLiteral("到手"), QStringLiteral("都有了"),
             QStringLiteral("到货"), QStringLiteral("弄到"), QStringLiteral("备齐"),
             QStringLiteral("买了"), QStringLiteral("后备箱"), QStringLiteral("车里"),
             QStringLiteral("车上")},
            {QStringLiteral("<means><gap>{0,6}?(已经|都|我|也)*(买好|备好|准备好|藏好|攒好|攒够|"
                            "买到|到手|都有了|到货|拿到|弄到|备齐|买了)了?<any>{0,20}(就等|只等|"
                            "等着|等|趁|找|挑)<gap>{0,10}?(没人|没有人|一个人|都睡|睡着|不在家|"
                            "出门|家里空|合适的|机会|那一天|那天|时机|动手)"),
             QStringLiteral("<means><gap>{0,6}?(已经|都|我|也)*(买好|备好|准备好|藏好|攒好|攒够|"
                            "买到|到手|都有了|到货|拿到|弄到|备齐|买了)了?<any>{0,12}(就差|只差|"
                            "只缺|就缺|还差|还缺|只剩|就剩|缺的?只是|差的?只是)<gap>{0,4}(勇气|"
                            "决心|胆量|狠心|下决心|最后一步|一个决定)"),
             QStringLiteral("<means><any>{0,12}(车里|车上|后备箱|车后座)<any>{0,14}(地方|位置|地点|"
                            "时间|日子)<gap>{0,4}(也|都)?(选好|找好|定好|看好|想好)")},
            {.needs = {QStringLiteral("勇气"), QStringLiteral("决心"), QStringLiteral("胆量"),
                       QStringLiteral("狠心"), QStringLiteral("最后一步"),
                       QStringLiteral("一个决定"), QStringLiteral("选好"), QStringLiteral("找好"),
                       QStringLiteral("定好"), QStringLiteral("看好"), QStringLiteral("想好"),
                       QStringLiteral("没人"), QStringLiteral("没有人"), QStringLiteral("一个人"),
                       QStringLiteral("都睡"), QStringLiteral("睡着"), QStringLiteral("不在家"),
                       QStringLiteral("出门"), QStringLiteral("家里空"), QStringLiteral("合适的"),
                       QStringLiteral("机会"), QStringLiteral("那一天"), QStringLiteral("那天"),
                       QStringLiteral("时机"), QStringLiteral("动手")},
             .unless = {QStringLiteral(
                 "烧烤|露营|野餐|火锅|烤肉|bbq|撸串|搬家|晾|跳绳|拔河|攀岩|打包|钓鱼|"
                 "感冒|发烧|医生|处方|治疗|疗程|装修|健身|瑜伽|手工|快递|礼物|生日|"
                 "惊喜|药店|复诊|宠物|猫|狗|驱虫|灭鼠|老鼠|蟑螂|种地|打药|除草|"
                 "庄稼|果树")}}),
        // Not eating, to fade away: "好几天没吃东西了，就想这样慢慢消失"; or thinning into air:
        // "好想化成一缕空气 就这么散掉".
        family({QStringLiteral("不吃"), QStringLiteral("没吃"), QStringLiteral("绝食"),
                QStringLiteral("吃不下"), QStringLiteral("饿死"), QStringLiteral("耗死"),
                QStringLiteral("空气"), QStringLiteral("尘埃"), QStringLiteral("泡沫")},
               {QStringLiteral(
                    "(不吃|没吃|绝食|不想吃|吃不下|不吃不喝|没怎么吃)<any>{0,14}((想|只想|"
                    "好想|真想|希望|让自己|让我)<gap>{0,3}?<quietly>{0,2}|就<quietly>{1,2})(消失|"
                    "死掉?|饿死|耗死|枯萎|凋零|耗尽|不在了)"),
                QStringLiteral("(饿死|耗死)我?自己|把我?自己(饿|耗)死"),
                QStringLiteral("(想|好想|真想|只想|希望|宁愿|多想|让我)(自己|我)?(能|可以|就)?"
                               "(变成|化成|化作|化为|成为)(一缕|一团|一阵|一粒|一片)?(空气|烟|灰|"
                               "尘埃|泡沫)<any>{0,8}(散掉|散了|消散|散开|消失|不存在|飘走|不见|"
                               "谁都看不见|谁也看不见|谁都看不到|谁也看不到|没人看得见|没人看见|"
                               "没人看到|没人发现|就好了|多好|该多好)")},
               {.spare = {QStringLiteral("<fading>")}}),
        // Never wanting to be born a person again: "如果有下辈子，再也不想做人了".
        family(
            {QStringLiteral("做人"), QStringLiteral("当人"), QStringLiteral("为人"),
             QStringLiteral("投胎")},
            {QStringLiteral("(下辈子|来世|来生|下一世|下一辈子)<any>{0,8}(再也|永远|绝对|坚决|千万|"
                            "都|也)?(不想|不要|不愿|别|不)再?(做人|当人|投胎做人|为人|投胎)"),
             QStringLiteral("(再也|永远|真的|实在)?(不想|不要|不愿)再?(做人|当人)了")},
            {.unless = {QStringLiteral("尴尬|丢人|丢脸|社死|出糗|没脸|羞|糗|出丑|掉链子|笑话")}}),
        // Hoping an accident or an illness would end it: "要是出个车祸就好了".
        // Or taking one away: "真希望来场意外把我带走", "老天怎么不打个雷把我劈死".
        family({QStringLiteral("车祸"), QStringLiteral("意外"), QStringLiteral("绝症"),
                QStringLiteral("癌症"), QStringLiteral("不治之症"), QStringLiteral("车撞"),
                QStringLiteral("飞机"), QStringLiteral("带走"), QStringLiteral("收走"),
                QStringLiteral("劈死"), QStringLiteral("砸死"), QStringLiteral("收了我"),
                QStringLiteral("正好在"), QStringLiteral("刚好在"), QStringLiteral("恰好在")},
               {QStringLiteral("(希望|但愿|要是|如果|真想|巴不得|恨不得|最好|干脆|祈祷)<mine>{0,6}?"
                               "(出个?车祸|出点?意外|得(了|个|场)?(绝症|癌症|不治之症)|被车撞死|"
                               "被车撞|飞机(掉下来|失事|坠毁)|一场意外)<mine>{0,6}?(就好了?|多好|"
                               "该多好|算了|也好|也行|最好|死掉|死了|走了|解脱|一了百了)"),
                QStringLiteral("(意外|车祸|地震|天灾|灾难|一场病|绝症|雷|陨石|洪水|海啸|老天爷?|"
                               "上天|死神|阎王|病魔)<gap>{0,8}(把我|将我)(带走|收走|劈死|砸死|撞死|"
                               "收了)|(老天爷?|上天|死神|阎王|病魔)<gap>{0,6}(带走我|收了我)|(把我|"
                               "将我)(带走|收走|劈死|砸死|撞死)(算了|就好了?|多好|该多好)"),
                QStringLiteral("(希望|但愿|要是|真希望|多希望)<gap>{0,10}(掉下来|塌了|塌下来|出事|"
                               "失事|坠毁|爆炸|沉了)<gap>{0,6}(我|自己)(正好|刚好|恰好)(在|坐在|"
                               "站在)")})};
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
        "|死(机|磕|记硬背|缠烂打|心了|心吧|宅|党|海)"
        "|跳楼(价|机|甩卖|大甩卖|大减价)"
        "|不想活(动|跃|泼)"
        "|(计|规|策|企)划自己"
        "|自杀小队|诀别诗"
        // Cantonese: "激到想死咗佢" is temper; "唔使再醒咁早" a late start; a good dream or a lie-in.
        "|想死咗佢(?!算|好过|一了百了)"
        "|唔(使|洗|想|好)再?醒(返)?(咁早|得咁早|早|啲)"
        "|(好梦|美梦|发紧梦|发梦|瞓到|瞓得好|瞓得咁好|瞓得好舒服|放假|唔使返工)[^。！？\\n]{0,8}"
        "唔(想|愿)再?醒"
        // A hard sum or a bug that makes one "bang one's head on the wall".
        "|(题|数学|作业|代码|bug|考试|物理|难到|难得|卷子|论文|报表|甲方|蠢到)[^。！？\\n]{0,10}?"
        "(想|要)?(拿|用)?头(去)?(撞|磕)墙"
        // Sleeping pills for a grandparent; an anaesthetic or an ache slept off.
        "|(奶奶|爷爷|外婆|外公|姥姥|姥爷|老人|家里老人)<aside>{0,12}?(安眠药|镇静剂|镇定剂|处方|"
        "助眠药)"
        "|(麻药|麻醉|全麻|手术|拔牙|胃镜|肠镜)<aside>{0,12}?睡过去"
        "|(牙|头|胃|肚子|腿|腰|嗓子|痛经|伤口|经期)<aside>{0,6}?(疼|痛)<aside>{0,10}?[，,]?"
        "<aside>{0,6}?睡过去"
        // Things one has outgrown or quit, given away.
        "|(退游|不玩了|毕业|搬家|换了新|买了新|升级|长大|穿不下|断舍离|闲置|过期|戒了|不追了|"
        "不练了|转行|不考了|考完|上岸)[^。！？\\n]{0,16}?(用不上|用不着|用不到|不需要)"
        // A dream too sweet to leave, a drink, a sleeping baby.
        "|(?<![噩恶])梦(?!想)[^。！？\\n]{0,8}?(不想|不愿|别|不要)再?醒"
        "|醉[^。！？\\n]{0,3}不(愿|想|复)醒"
        // Sleeping in: "周末一觉睡到下午两点，根本不想醒".
        "|(睡到|睡懒觉|赖床)[^。！？\\n]{0,10}(根本|都|还|真|完全)?不(想|愿)醒(?!来?就好)"
        "|(宝宝|孩子|娃|儿子|女儿|小家伙)[^。！？\\n]{0,8}(不会|别|不要|千万别|可别|"
        "不再)再?醒"
        // Embarrassment: "尴尬得想原地消失", "原地去世".
        "|(原地|当场)(消失|蒸发|去世|升天|爆炸)"
        // Jumping in for a swim.
        "|(往下跳|跳下去|跳进去)<aside>{0,4}?(游泳|玩水|戏水|冲浪|潜水|泡|凉快)"

        // A habit or a game given up, sleepiness, cold, spice or a laugh.
        "|(减肥|健身|跑步|锻炼|背单词|练琴|练字|早起|打卡|节食|戒烟|戒酒|减脂|游戏|"
        "这局|比赛|这关)[^。！？\\n]{0,8}?(坚持|撑|扛|熬|挺|继续)(不(下去|住|动))?"
        "|(困|饿|冷|热|辣|痒|晒|冻|笑|眼皮|电量|电池|肚子|服务器|电脑|手机|网站|系统|"
        "内存|架子|桌子|椅子)[^。！？\\n]{0,4}?(撑|扛|熬|挺|顶)不(住|过去)"
        "|撑不住了?[，,。.!！~～]*(先|要|得|去|准备)?睡"
        "|熬夜[^。！？\\n]{0,4}(熬|撑|扛)不(住|下去|动)"
        "|(疼|痛|痒)[^。！？\\n]{0,4}生不如死"
        // Fun and sport: bungee jumps, pools, skipping ropes, a falling market.
        "|(蹦极|跳伞|跳水|泳池|游泳|蹦床|跳台)[^。！？\\n]{0,8}(往下跳|跳下去)"
        "|跳崖式|跳绳|拔河[^。！？\\n]{0,4}绳|晾衣[^。！？\\n]{0,3}绳"
        // A rope for climbing, camping or a move.
        "|绳(子|索)<aside>{0,10}?[，,]?<aside>{0,10}?(攀岩|露营|登山|拔河|晾|捆|绑|打包|搬家|野营|"
        "帐篷|"
        "钓鱼|健身|锻炼|跳)"
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

// A friend, a classmate or a mother who said such things, told by a user who asks how to help
// them: "朋友总说活着没意思，我该怎么劝她". The caring line asks the user whether they are safe,
// which answers nobody here; the table, or a person, does better. From the one spoken of to the
// end of the sentence, once they are said to say, think or do something, is theirs, until the
// user turns to themselves ("其实我也不想活了", "，我真的撑不住了"), which stays and is heard.
// The question is looked for in the sentence and the ones either side, where people ask it.
const QRegularExpression &reportedOfOthers()
{
    static const QRegularExpression expression = joined({QStringLiteral(
        "(朋友|好友|闺蜜|室友|舍友|同学|同事|同桌|哥们|兄弟|姐妹|网友|学生|邻居|表弟|表妹|表姐|"
        "表哥|堂弟|堂妹|弟弟|妹妹|哥哥|姐姐|男朋友|女朋友|男友|女友|对象|老公|老婆|孩子|儿子|女儿|"
        "我妈|我爸|我哥|我姐|我弟|我妹|妈妈|爸爸|亲戚|奶奶|爷爷|外婆|外公|他|她)(们)?[^，。！？；,.!?;\\n我]{0,6}?(说|讲|"
        "提到|提起|念叨|告诉我|跟我说|和我说|对我说|发消息|发微信|发朋友圈|发了|留言|写了|总想|老想|"
        "一直想|也想|想|有(轻生|自杀|自残|不好)的?(念头|想法|倾向)|割|自残|自杀|要跳|闹着)<any>*?(?=(其实|但是?|可是?|而|"
        "不过|连)我|我(自己)?也|我自己|我(真的|已经|又)|[，,]我(现在|好|就|是|其实|都|今天|最近|"
        "一直)|[。！？\\n]|$)")});
    return expression;
}

// Whether the user asks how to help or talk someone round.
const QRegularExpression &asksHowToHelp()
{
    static const QRegularExpression expression = joined({QStringLiteral(
        "(怎么|如何|怎样|咋|要怎么|该怎么|应该怎么|能怎么)(样)?(劝|帮|安慰|开导|帮助|陪|回|回复|"
        "回应|跟(她|他)说|和(她|他)说|对(她|他)说|办|做|说)|能(为(她|他|他们))?做(些|点)?什么|"
        "可以做(些|点)?什么|该说(些|点)?什么|说(些|点)?什么(好|才好)|怎么办|有什么办法|"
        "帮(她|他|他们)走出来|拉(她|他)一把|劝劝|(要不要|该不该|需不需要|用不用)(报警|告诉|通知)|"
        "报警吗|(给|提|出)(我)?(点|些|个)?(建议|意见|主意)|有什么(建议|意见)|支(个|支)?招|"
        "help(him|her|them|afriend|myfriend)")});
    return expression;
}

// Finds in one pass which groups of keys a text holds: an Aho–Corasick automaton like
// KeyAutomaton, but one that answers with every group present rather than the first key. The
// phrases are one group and each family's words another, so a sentence asks only the few
// families whose words it holds, and one table at the root serves them all.
//
// A shadow is a word that ends in a key without meaning it: "累死", "笑死" and "热死" end in
// "死", and chat is full of them. Where a shadow ends, the keys it ends in are not found, so
// that the families asking after "死" are not asked of every tired or amused sentence; a "死"
// elsewhere in the sentence is still found.
class KeyGroups
{
public:
    // At most 64 groups; an empty key is never found.
    KeyGroups(const std::vector<QStringList> &groups, const QStringList &shadows)
    {
        Q_ASSERT(groups.size() <= 64);
        // The trie first, each state's children in a list of its own.
        std::vector<std::vector<std::pair<char16_t, quint32>>> children(1);
        m_groups.assign(1, 0);
        std::vector<bool> shadow(1, false);
        const auto insert = [&](const QString &key) {
            quint32 state = 0;
            for (const QChar c : key) {
                const auto &list = children[state];
                const auto found = std::find_if(list.cbegin(), list.cend(), [c](const auto &edge) {
                    return edge.first == c.unicode();
                });
                if (found != list.cend()) {
                    state = found->second;
                    continue;
                }
                const auto next = quint32(children.size());
                children[state].push_back({c.unicode(), next});
                children.emplace_back();
                m_groups.push_back(0);
                shadow.push_back(false);
                state = next;
            }
            return state;
        };
        for (size_t group = 0; group < groups.size(); ++group) {
            for (const QString &key : groups[group]) {
                if (const quint32 state = insert(key); state != 0)
                    m_groups[state] |= quint64(1) << group;
            }
        }
        for (const QString &key : shadows)
            shadow[insert(key)] = true;
        // A traditional character leads where its simplified one does: "撐不下去" reaches the
        // state of "撑不下去" with no key of its own, and the scan costs nothing more.
        std::vector<std::pair<char16_t, char16_t>> variants; // simplified, traditional
        for (qsizetype i = 0; i + 1 < TraditionalPairs.size(); i += 2)
            variants.push_back({TraditionalPairs[i + 1].unicode(), TraditionalPairs[i].unicode()});
        std::sort(variants.begin(), variants.end());
        for (auto &list : children) {
            for (size_t own = list.size(), e = 0; e < own; ++e) {
                const auto [c, child] = list[e];
                for (auto v = std::lower_bound(variants.cbegin(), variants.cend(),
                                               std::pair<char16_t, char16_t>(c, 0));
                     v != variants.cend() && v->first == c; ++v) {
                    if (std::none_of(list.cbegin(), list.cend(),
                                     [v](const auto &edge) { return edge.first == v->second; }))
                        list.push_back({v->second, child});
                }
            }
        }
        m_ending = m_groups;
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
                // A traditional edge leads to a child its simplified edge has already queued.
                if (simplifiedForms()[c] != c)
                    continue;
                const quint32 fail = next(m_fail[state], c);
                m_fail[child] = fail;
                // A shadow's own keys count, the shorter ones it ends in do not.
                if (!shadow[child])
                    m_groups[child] |= m_groups[fail];
                m_ending[child] |= m_ending[fail];
                queue.push_back(child);
            }
        }
    }

    // The groups of which the text holds a key, one bit each, and where each key ends: there,
    // a shadow hides nothing, since it only decides which groups are asked at all.
    quint64 in(QStringView text, std::vector<Hit> &hits) const
    {
        quint64 found = 0;
        quint32 state = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            state = next(state, text[i].unicode());
            found |= m_groups[state];
            if (m_ending[state] != 0)
                hits.push_back({i + 1, m_ending[state]});
        }
        return found;
    }

    // Whether the text holds a key of any of the groups given; stops at the first.
    bool any(QStringView text, quint64 among) const
    {
        quint32 state = 0;
        for (const QChar c : text) {
            state = next(state, c.unicode());
            if ((m_groups[state] & among) != 0)
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
    std::vector<quint64> m_ending; // the same, shadows or not
    std::vector<quint32> m_fail;
    std::vector<quint32> m_firstChild; // a state's children are firstChild .. the next's - 1
    std::vector<char16_t> m_labels;
    std::vector<quint32> m_targets;
    std::vector<quint32> m_rootNext; // the root's child for each code unit, or the root
};

// The phrases are group 0 and family n's anchors group n + 1; the words a family also needs
// come after those, a group for each family that has them.
struct Keys
{
    KeyGroups groups;
    quint64 found;              // the groups whose keys alone are worth a look
    std::vector<quint64> needs; // for each family, the bit of the words it also needs, or 0
};

const Keys &keys()
{
    static const Keys all = [] {
        std::vector<QStringList> lists{crisisPhrases()};
        for (const Family &family : families())
            lists.push_back(family.anchors);
        const quint64 found = (quint64(1) << lists.size()) - 1;
        std::vector<quint64> needs;
        for (const Family &family : families()) {
            if (family.needs.isEmpty()) {
                needs.push_back(0);
                continue;
            }
            Q_ASSERT(lists.size() < 64);
            needs.push_back(quint64(1) << lists.size());
            lists.push_back(family.needs);
        }
        // Dying of heat, laughter, hunger or shame, and of joy in the internet's words; and the
        // death of someone else: him, her, a pet, a grandmother, a hero or a monster.
        QStringList shadows{QStringLiteral("原地去世"), QStringLiteral("当场去世")};
        for (const QChar c :
             QStringView(u"累笑热饿困冷渴气吓烦忙撑闷痒美帅丑蠢穷馋臭晒打揍骂整坑急愁社懒"
                         u"闲冻憋吵疼痛酸卷他她它狗猫鱼奶爷婆姥主角怪物友"))
            shadows << QString(c) + u'死';
        return Keys{KeyGroups(lists, shadows), found, std::move(needs)};
    }();
    return all;
}

// Whether a text holds a crisis phrase or a family's wording, the surroundings being the text
// with the sentences either side of it. One pass finds the groups and where their words are.
bool holdsCrisisWords(QStringView text, QStringView surroundings)
{
    const Keys &all = keys();
    std::vector<Hit> hits;
    const quint64 groups = all.groups.in(text, hits);
    if (groups & 1)
        return true;
    quint64 rest = (groups & all.found) >> 1;
    if (rest == 0)
        return false;
    // The wordings are written in simplified characters.
    QString simplified;
    text = inSimplified(text, simplified);
    for (; rest != 0; rest &= rest - 1) {
        const auto index = size_t(std::countr_zero(rest));
        if ((groups & all.needs[index]) == all.needs[index] &&
            matches(families()[index], text, hits, quint64(2) << index, surroundings))
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

Concern concernOf(const QString &normalisedMessage)
{
    if (!keys().groups.any(normalisedMessage, keys().found))
        return Concern::None;
    // A sentence at a time: no phrase or family reaches past the end of its sentence, so a
    // sentence is searched alone, and most hold nothing worth a second look. Only when one
    // does are the look-alikes cut out, which costs more than all the other searches together,
    // and they are cut from the sentence and the one after it: the look-alike that runs on
    // ("撑不住了。先睡了") runs into the next one only. They are cut to spare what was found,
    // never to find more, so a pasted megabyte costs a pass and a few short searches. A
    // family's setting is looked for in the sentences either side as well: a husband who died
    // three years ago is often told of in the sentence before the wish to follow him.
    const std::vector<QStringView> sentences = sentencesOf(normalisedMessage);
    bool aboutSomeoneElse = false;
    for (size_t i = 0; i < sentences.size(); ++i) {
        const QStringView first = i > 0 ? sentences[i - 1] : sentences[i];
        const QStringView last = i + 1 < sentences.size() ? sentences[i + 1] : sentences[i];
        const QStringView around(first.data(), last.data() + last.size());
        if (!holdsCrisisWords(sentences[i], around))
            continue;
        QString stretch = QStringView(sentences[i].data(), last.data() + last.size()).toString();
        toSimplified(stretch);
        stretch.remove(lookAlikes());
        if (!holdsCrisisWords(stretch, around))
            continue;
        QString simplified;
        if (!asksHowToHelp().match(inSimplified(around, simplified)).hasMatch() ||
            holdsCrisisWords(stretch.remove(reportedOfOthers()), around))
            return Concern::Self;
        // Someone else's words; a later sentence may still be the user's own.
        aboutSomeoneElse = true;
    }
    return aboutSomeoneElse ? Concern::SomeoneElse : Concern::None;
}

bool concerns(const QString &normalisedMessage)
{
    return concernOf(normalisedMessage) == Concern::Self;
}

bool asksForCare(const QString &normalisedMessage)
{
    return concernOf(normalisedMessage) != Concern::None;
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

const QStringList &linesForAHelper()
{
    // For someone worried about a friend who said such things: take it seriously, ask plainly,
    // keep no such secret, bring in people they trust and the help line; and look after
    // yourself too.
    static const QStringList lines = {
        QStringLiteral("谢谢你这么关心对方。听到这样的话，一定要认真对待：先陪在对方身边，耐心听，"
                       "不评判、不说教，也别答应替对方保密；尽快让对方信任的人知道，比如家人、老师"
                       "或辅导员；还可以上网查一查对方所在城市的心理援助热线。如果对方现在就有危险，"
                       "请马上拨打急救电话或报警。你自己也别一个人扛着，想聊的话可以跟我说。"),
        QStringLiteral("听得出你很担心。请认真对待对方说的话：温和而直接地问问对方有没有轻生的念头、"
                       "现在是否安全，尽量陪在身边，并尽快告诉对方信任的人，比如家人、老师或辅导员；"
                       "对方所在城市的心理援助热线也能帮忙。如果情况紧急，请立刻报警或拨打急救电话。"
                       "照顾别人很耗心力，你也要照顾好自己，愿意的话就跟我说说。")};
    return lines;
}

} // namespace CrisisCare
