#include "window/FrmMain.h"

#include "conversation/QtSpeaker.h"
#include "conversation/Randomness.h"
#include "conversation/ReplyEngine.h"
#include "conversation/Speaker.h"
#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeFile.h"
#include "teaching/TeachingList.h"
#include "teaching/TeachingRules.h"
#include "window/Backdrop.h"
#include "window/ChatTextBox.h"
#include "window/Decoration.h"
#include "window/GlyphLabel.h"
#include "window/WindowLayout.h"

#include <QApplication>
#include <QBitmap>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <windows.h>
#endif

namespace {

using WindowLayout::pixels;

const QString kOnline = QStringLiteral("[在线]");
const QString kReplying = QStringLiteral("[回复中。。]");
const QString kLearning = QStringLiteral("[学习中。。]");
const QString kCr = QStringLiteral("\r");

QString fontFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const char16_t *wanted :
         {u"微软雅黑", u"Microsoft YaHei", u"WenQuanYi Micro Hei", u"Noto Sans CJK SC"}) {
        const QString family = QString::fromUtf16(wanted);
        if (families.contains(family))
            return family;
    }
    return QFont().family();
}

QFont windowFont(qreal points, bool bold = false)
{
    QFont font(fontFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void place(QWidget *control, const char16_t *name)
{
    control->setObjectName(QString::fromUtf16(name));
    control->setGeometry(WindowLayout::rect(name));
}

// Labels can be transparent, and take the pointer from the backdrop under them. A screen
// reader names a label by its text; the role says what the text is.
QLabel *makeLabel(QWidget *container, const char16_t *name, const QString &caption,
                  const QColor &colour, const QString &role)
{
    auto *label = new QLabel(caption, container);
    place(label, name);
    label->setAttribute(Qt::WA_NoMousePropagation);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAccessibleDescription(role);
    return label;
}

void enable(QTimer *timer)
{
    // Enabling a running timer does not restart its interval.
    if (!timer->isActive())
        timer->start();
}

std::optional<QString> askWithDialog(const QString &title, const QString &prompt,
                                     const QString &defaultText)
{
    bool ok = false;
    QString answer =
        QInputDialog::getText(nullptr, title, QString(prompt).replace(kCr, QStringLiteral("\n")),
                              QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QMessageBox::StandardButton showMessageBox(QMessageBox::Icon icon, const QString &title,
                                           const QString &prompt,
                                           QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, QString(prompt).replace(kCr, QStringLiteral("\n")), buttons,
                    QApplication::activeWindow());
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

FrmMain::FrmMain(const QString &dataDirectory, FrmMainSeams seams, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_seams(std::move(seams)),
      m_robotProfile(RobotText::robotProfile()), m_statusTexts(RobotText::statusTexts()),
      m_dataPath(QDir(dataDirectory).filePath(KnowledgeFile::FileName))
{
    if (!m_seams.clock) {
        m_ownClock = std::make_unique<SystemClock>();
        m_seams.clock = m_ownClock.get();
    }
    if (!m_seams.random) {
        m_ownRandom = std::make_unique<SystemRandom>();
        m_seams.random = m_ownRandom.get();
    }
    if (!m_seams.askText)
        m_seams.askText = askWithDialog;
    if (!m_seams.showMessage)
        m_seams.showMessage = showMessageBox;
    if (!m_seams.openUrl)
        m_seams.openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };

    setWindowTitle(QStringLiteral("妙语通"));
    setAccessibleName(QStringLiteral("妙语通"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    resize(pixels(WindowLayout::CreatedWidth), pixels(WindowLayout::CreatedHeight));

    m_teachingList = new TeachingList(this);
    buildControls();
    buildTeachingPanel();
    applyFonts();
    setStackingAndTabOrder();

    // The idle timer runs from the start; the reply timer waits for a message.
    m_timerActive = new QTimer(this);
    m_timerActive->setObjectName(QStringLiteral("TimerActive"));
    m_timerActive->setInterval(7000);
    connect(m_timerActive, &QTimer::timeout, this, &FrmMain::idleTick);
    m_timerActive->start();
    m_timerRevert = new QTimer(this);
    m_timerRevert->setObjectName(QStringLiteral("TimerRevert"));
    m_timerRevert->setInterval(1000);
    connect(m_timerRevert, &QTimer::timeout, this, &FrmMain::replyTick);
}

FrmMain::~FrmMain() = default;

void FrmMain::buildControls()
{
    const QColor panelText(0x40, 0x40, 0x40);

    m_picTalk = new Backdrop(QPixmap(QStringLiteral(":/pictures/backdrop.jpg")), this);
    place(m_picTalk, u"PicTalk");
    m_picTalk->setAccessibleName(QStringLiteral("聊天窗口背景"));
    connect(m_picTalk, &Backdrop::pointerMoved, this, [this] {
        m_labClose->setLit(false);
        m_labMin->setLit(false);
    });

    m_listDate = new QListView(this);
    place(m_listDate, u"ListDate");
    m_listDate->setModel(m_teachingList);
    m_listDate->setUniformItemSizes(true);
    m_listDate->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listDate->setStyleSheet(QStringLiteral("QListView { background: white; color: black; }"));
    m_listDate->setAccessibleName(QStringLiteral("关键字列表"));
    m_listDate->hide();
    // Choosing an entry with the arrow keys shows it, as a click does.
    connect(m_listDate, &QListView::clicked, this, &FrmMain::pickEntry);
    connect(m_listDate->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrmMain::pickEntry);

    QWidget *backdrop = m_picTalk;
    m_labStatus =
        makeLabel(backdrop, u"LabStatus", {}, QColor(0x00, 0x80, 0x00), QStringLiteral("状态"));
    m_labRName = makeLabel(backdrop, u"LabRName", QStringLiteral("？"), Qt::white,
                           QStringLiteral("机器人名字"));
    m_labRTip = makeLabel(backdrop, u"LabRTip", kOnline, Qt::white, QStringLiteral("机器人状态"));
    m_labSex = makeLabel(backdrop, u"LabSex", QStringLiteral("性别：？"), panelText,
                         QStringLiteral("性别"));
    m_labBirth = makeLabel(backdrop, u"LabBirth", QStringLiteral("生日：？"), panelText,
                           QStringLiteral("生日"));
    m_labFrom = makeLabel(backdrop, u"LabFrom", QStringLiteral("来自：？"), panelText,
                          QStringLiteral("来自"));
    m_labAuthor = makeLabel(backdrop, u"LabAuthor", QStringLiteral("作者：？"), panelText,
                            QStringLiteral("作者"));
    m_labSmartWord = makeLabel(backdrop, u"LabSmartWord", QStringLiteral("数据：？"), panelText,
                               QStringLiteral("知识条数"));
    m_labRemarks = makeLabel(backdrop, u"LabRemarks", QStringLiteral("备注："), panelText,
                             QStringLiteral("备注标题"));
    m_labRemark = makeLabel(backdrop, u"LabRemark", {}, panelText, QStringLiteral("备注"));
    m_labRemark->setWordWrap(true);
    m_labRemark->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_imgPortrait =
        makeLabel(backdrop, u"ImgPortrait", {}, Qt::black, QStringLiteral("机器人头像"));
    m_imgPortrait->setPixmap(QPixmap(QStringLiteral(":/pictures/portrait.jpg")));
    m_imgPortrait->setScaledContents(true);
    m_imgPortrait->setAccessibleName(QStringLiteral("机器人头像"));

    m_labMin = new GlyphLabel(QColor(0x00, 0xF9, 0x2C), backdrop);
    place(m_labMin, u"LabMin");
    m_labMin->setToolTip(QStringLiteral("最小化"));
    m_labMin->setAccessibleName(QStringLiteral("最小化"));
    m_labClose = new GlyphLabel(QColor(0xFF, 0x00, 0x00), backdrop);
    place(m_labClose, u"LabClose");
    m_labClose->setToolTip(QStringLiteral("关闭"));
    m_labClose->setAccessibleName(QStringLiteral("关闭"));
    connect(m_labClose, &GlyphLabel::hovered, this, [this] {
        m_labClose->setLit(true);
        m_labMin->setLit(false);
    });
    connect(m_labMin, &GlyphLabel::hovered, this, [this] {
        m_labClose->setLit(false);
        m_labMin->setLit(true);
    });
    // Closing ends the program at once: nothing is asked and nothing is saved.
    connect(m_labClose, &GlyphLabel::clicked, this, [] { QCoreApplication::exit(0); });
    connect(m_labMin, &GlyphLabel::clicked, this, [this] {
        showMinimized();
        m_labMin->setLit(false);
    });

    // The three white strokes of the glyphs, drawn over the lit squares.
    m_glyphLines = new Decoration(backdrop);
    m_glyphLines->setObjectName(QStringLiteral("GlyphLines"));
    const QRect glyphs = WindowLayout::rect(u"LabMin").united(WindowLayout::rect(u"LabClose"));
    m_glyphLines->setGeometry(glyphs);
    const auto at = [&glyphs](int x, int y) {
        return QPointF(x / 15.0 - glyphs.left(), y / 15.0 - glyphs.top());
    };
    m_glyphLines->addLine({at(8640, 240), at(8760, 120)}, Qt::white, 3);
    m_glyphLines->addLine({at(8640, 120), at(8760, 240)}, Qt::white, 3);
    m_glyphLines->addLine({at(8280, 240), at(8400, 240)}, Qt::white, 3);

    m_shapeHead = new Decoration(backdrop);
    place(m_shapeHead, u"ShapeHead");
    m_shapeHead->addRoundedFrame(QRectF(m_shapeHead->rect()).adjusted(0.5, 0.5, -0.5, -0.5),
                                 QColor(0xE0, 0xE0, 0xE0));

    m_labRevise = makeLabel(backdrop, u"LabRevise", QStringLiteral("更新日期：2014/9/5"),
                            QColor(0x80, 0x80, 0x80), QStringLiteral("更新日期"));
    m_labRevise->setAutoFillBackground(true);
    QPalette revise = m_labRevise->palette();
    revise.setColor(QPalette::Window, Qt::white);
    m_labRevise->setPalette(revise);
    m_labRevise->setToolTip(QStringLiteral("修改人员：8264097hds & yunxiaoke"));

    const auto makeTextBox = [backdrop](const char16_t *name, const QString &accessibleName) {
        auto *box = new ChatTextBox(backdrop);
        place(box, name);
        box->setFrameShape(QFrame::NoFrame);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; color: black; }"));
        box->setAccessibleName(accessibleName);
        return box;
    };
    m_txtTalk = makeTextBox(u"TxtTalk", QStringLiteral("聊天记录"));
    m_txtTalk->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtSend = makeTextBox(u"TxtSend", QStringLiteral("输入消息"));
    m_txtSend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_txtSend, &QPlainTextEdit::textChanged, this, [this] { m_idlePrompter.reset(); });

    m_cmdTeach = new QPushButton(QStringLiteral("调教(&Teach)"), backdrop);
    place(m_cmdTeach, u"CmdTeach");
    m_cmdTeach->setEnabled(false);
    m_cmdTeach->setAccessibleName(QStringLiteral("调教(Teach)"));
    connect(m_cmdTeach, &QPushButton::clicked, this, &FrmMain::enterTeaching);

    m_cmdSend = new QPushButton(QStringLiteral("发送(&Send)"), backdrop);
    place(m_cmdSend, u"CmdSend");
    m_cmdSend->setDefault(true);
    m_cmdSend->setAccessibleName(QStringLiteral("发送(Send)"));
    connect(m_cmdSend, &QPushButton::clicked, this, &FrmMain::send);
}

void FrmMain::buildTeachingPanel()
{
    m_picTeach = new QWidget(m_picTalk);
    place(m_picTeach, u"PicTeach");
    m_picTeach->setAutoFillBackground(true);
    QPalette panel = m_picTeach->palette();
    panel.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    m_picTeach->setPalette(panel);
    m_picTeach->setAccessibleName(QStringLiteral("调教面板"));
    // Parked out of view, the panel takes neither the focus nor its access keys, so none of
    // its actions can run outside teaching mode.
    m_picTeach->setEnabled(false);

    m_labTip1 = makeLabel(m_picTeach, u"LabTip1", QStringLiteral("关键字词："), Qt::black,
                          QStringLiteral("关键字词"));
    m_labTip2 = makeLabel(m_picTeach, u"LabTip2", QStringLiteral("智能回复："), Qt::black,
                          QStringLiteral("智能回复"));
    m_labTip = makeLabel(m_picTeach, u"LabTip", QStringLiteral("说明：多条回复请用“\\”分隔."),
                         Qt::black, QStringLiteral("说明"));

    const char16_t *boxNames[] = {nullptr, u"TxtTeach1", u"TxtTeach2"};
    const QString boxLabels[] = {{}, QStringLiteral("关键字词"), QStringLiteral("智能回复")};
    for (int i = 1; i <= 2; ++i) {
        m_txtTeach[i] = new QLineEdit(m_picTeach);
        place(m_txtTeach[i], boxNames[i]);
        m_txtTeach[i]->setAccessibleName(boxLabels[i]);
    }
    connect(m_txtTeach[1], &QLineEdit::textChanged, this, &FrmMain::lookUpKeyword);

    const char16_t *buttonNames[] = {nullptr, u"CmdEdit1", u"CmdEdit2", u"CmdEdit3"};
    const QString captions[] = {{},
                                QStringLiteral("保存修改(&O)"),
                                QStringLiteral("退出调教(&C)"),
                                QStringLiteral("编辑数据库(&E)")};
    for (int i = 1; i <= 3; ++i) {
        m_cmdEdit[i] = new QPushButton(captions[i], m_picTeach);
        place(m_cmdEdit[i], buttonNames[i]);
        m_cmdEdit[i]->setAccessibleName(QString(captions[i]).remove(u'&'));
    }
    connect(m_cmdEdit[1], &QPushButton::clicked, this, &FrmMain::commitEntry);
    connect(m_cmdEdit[2], &QPushButton::clicked, this, &FrmMain::leaveTeaching);
    connect(m_cmdEdit[3], &QPushButton::clicked, this, &FrmMain::showList);
}

void FrmMain::applyFonts()
{
    setFont(windowFont(9));
    for (QWidget *box :
         {static_cast<QWidget *>(m_txtSend), static_cast<QWidget *>(m_txtTalk),
          static_cast<QWidget *>(m_txtTeach[1]), static_cast<QWidget *>(m_txtTeach[2])}) {
        box->setFont(windowFont(10.5));
    }
    m_labRName->setFont(windowFont(12));
    m_labClose->setFont(windowFont(12));
    m_labMin->setFont(windowFont(12));
    m_labTip1->setFont(windowFont(12, true));
    m_labTip2->setFont(windowFont(12, true));
    for (QLabel *label : {m_labRName, m_labRTip, m_labSex, m_labBirth, m_labFrom, m_labAuthor,
                          m_labSmartWord, m_labRemarks, m_labTip, m_labTip1, m_labTip2})
        label->adjustSize();
}

void FrmMain::setStackingAndTabOrder()
{
    // Raised from the bottom of each container's order to its top.
    const QList<QWidget *> backdropBottomUp = {
        m_labStatus, m_labRName,     m_labRTip,    m_labSex,    m_labBirth,    m_labFrom,
        m_labAuthor, m_labSmartWord, m_labRemarks, m_labRemark, m_imgPortrait, m_labMin,
        m_labClose,  m_glyphLines,   m_shapeHead,  m_labRevise, m_txtTalk,     m_txtSend,
        m_cmdTeach,  m_cmdSend,      m_picTeach};
    for (QWidget *control : backdropBottomUp)
        control->raise();
    for (QWidget *control :
         {static_cast<QWidget *>(m_labTip1), static_cast<QWidget *>(m_labTip2),
          static_cast<QWidget *>(m_labTip), static_cast<QWidget *>(m_txtTeach[1]),
          static_cast<QWidget *>(m_txtTeach[2]), static_cast<QWidget *>(m_cmdEdit[1]),
          static_cast<QWidget *>(m_cmdEdit[2]), static_cast<QWidget *>(m_cmdEdit[3])})
        control->raise();
    m_listDate->raise();

    // Enter is the window's: it clicks a focused button, and Send from anywhere else.
    for (QWidget *control :
         {static_cast<QWidget *>(m_picTalk), static_cast<QWidget *>(m_txtTalk),
          static_cast<QWidget *>(m_txtSend), static_cast<QWidget *>(m_listDate),
          static_cast<QWidget *>(m_txtTeach[1]), static_cast<QWidget *>(m_txtTeach[2]),
          static_cast<QWidget *>(m_cmdTeach), static_cast<QWidget *>(m_cmdSend),
          static_cast<QWidget *>(m_cmdEdit[1]), static_cast<QWidget *>(m_cmdEdit[2]),
          static_cast<QWidget *>(m_cmdEdit[3])})
        control->installEventFilter(this);

    const QList<QWidget *> tabOrder = {m_picTalk,    m_txtTalk,    m_txtSend,     m_cmdTeach,
                                       m_cmdSend,    m_listDate,   m_txtTeach[1], m_txtTeach[2],
                                       m_cmdEdit[1], m_cmdEdit[2], m_cmdEdit[3]};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    for (QLabel *label : findChildren<QLabel *>())
        label->setFocusPolicy(Qt::NoFocus);
}

// ---- Start-up ---------------------------------------------------------------------------

bool FrmMain::start()
{
    if (!QFileInfo::exists(m_dataPath) && !seedKnowledgeFile())
        return false;
    if (!initialize())
        return false;
    setUpWindow();
    fillProfileLabels();
    return true;
}

std::optional<QString> FrmMain::askUserName()
{
    const QString robotName = m_robotProfile.at(1);
    std::optional<QString> name =
        m_seams.askText(QStringLiteral("妙语通"),
                        QStringLiteral("您好!我是妙语通,我叫 ") + robotName + kCr + kCr +
                            QStringLiteral("初次见面,请告诉我您的名字:"),
                        {});
    for (;;) {
        while (!name || name->isEmpty()) {
            name = m_seams.askText(QStringLiteral("Hello"),
                                   QStringLiteral("喂喂,先别着急,我还不知道你的名字呢:"),
                                   QStringLiteral("无名人士"));
        }
        // A name written as "?" would come back wrong on every run, and one holding the
        // section marker would make the file unreadable: ask for another.
        QString bad = GbkCodec::firstUnencodable(*name);
        if (bad.isEmpty() && name->contains(Knowledge::Marker))
            bad = Knowledge::Marker;
        if (bad.isEmpty())
            return name;
        name = m_seams.askText(
            QStringLiteral("Hello"),
            QStringLiteral("名字里的“%1”无法保存到数据文件中,请换一种写法:").arg(bad), *name);
    }
}

bool FrmMain::seedKnowledgeFile()
{
    const std::optional<QString> name = askUserName();
    const QString failure = KnowledgeFile::write(m_dataPath, *KnowledgeFile::firstRunBytes(*name));
    if (failure.isEmpty())
        return true;
    message(QMessageBox::Critical, QStringLiteral("妙语通"),
            QStringLiteral("无法创建数据文件:") + kCr + QDir::toNativeSeparators(m_dataPath) + kCr +
                kCr + failure);
    return false;
}

void FrmMain::reportUnreadable(const QString &reason)
{
    message(QMessageBox::Critical, QStringLiteral("妙语通"),
            QStringLiteral("无法读取数据文件:") + kCr + QDir::toNativeSeparators(m_dataPath) + kCr +
                kCr + reason + kCr + kCr + QStringLiteral("文件没有被改动。"));
}

bool FrmMain::initialize()
{
    const KnowledgeFile::ReadResult file = KnowledgeFile::read(m_dataPath);
    if (!file.bytes) {
        reportUnreadable(file.error);
        return false;
    }
    KnowledgeParse parsed = KnowledgeBase::parse(*file.bytes);
    if (!parsed.base) {
        reportUnreadable(parsed.error);
        return false;
    }
    m_knowledge = std::move(*parsed.base);
    m_idlePrompter.setKnowledge(&m_knowledge);
    setLabelText(m_labSmartWord, QStringLiteral("数据：%1个").arg(m_knowledge.entryCount()));

    // One voice for the window's life: the engine takes a second to start, and a fresh one
    // after teaching would swallow the lines said meanwhile.
    if (!m_seams.speaker) {
        m_ownSpeaker = std::make_unique<QtSpeaker>();
        m_seams.speaker = m_ownSpeaker.get();
    }
    show();
    if (const QString *greeting = pickRandom(m_knowledge.WelcomeMessages, *m_seams.random))
        robotSay(*greeting, RobotText::OnItsOwn);
    return true;
}

void FrmMain::setUpWindow()
{
    resize(pixels(WindowLayout::FinalWidth), pixels(WindowLayout::FinalHeight));
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->geometry();
        move(x(), available.top() + (available.height() - height()) / 2);
    }
#ifdef Q_OS_WIN
    // The class style's drop shadow, the one the system draws under menus and tooltips.
    const auto window = reinterpret_cast<HWND>(winId());
    SetClassLongPtrW(window, GCL_STYLE, GetClassLongPtrW(window, GCL_STYLE) | CS_DROPSHADOW);
#endif
    // Corners cut by a 4 x 4 pixel ellipse: the window's visible and clickable area.
    QBitmap shape(size());
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawRoundedRect(rect(), 2, 2);
    painter.end();
    setMask(shape);
}

void FrmMain::fillProfileLabels()
{
    setLabelText(m_labRName, m_robotProfile.at(1));
    setLabelText(m_labSex, QStringLiteral("性别：") + m_robotProfile.at(2));
    setLabelText(m_labBirth, QStringLiteral("生日：") + m_robotProfile.at(3));
    setLabelText(m_labFrom, QStringLiteral("来自：") + m_robotProfile.at(4));
    setLabelText(m_labAuthor, QStringLiteral("作者：") + m_robotProfile.at(5));
    setLabelText(m_labRemark, QStringLiteral("  ") + m_robotProfile.at(6));
}

// ---- Speaking and sending --------------------------------------------------------------

void FrmMain::robotSay(const QString &text, RobotText::ReplyKind kind)
{
    const QString robotName = m_robotProfile.at(1);
    const QDateTime now = m_seams.clock->now();
    m_lastReply = RobotText::expandPlaceholders(text, robotName, m_pendingMessage, now);
    appendTranscript(RobotText::transcriptHeader(robotName, now) + m_lastReply +
                     QStringLiteral("\r\n\r\n"));
    m_seams.speaker->say(m_lastReply);
    m_txtSend->setFocus();
    setLabelText(m_labStatus, robotName + m_statusTexts.at(kind));
    if (kind == RobotText::NotUnderstood) {
        m_cmdTeach->setEnabled(true);
    } else {
        m_cmdTeach->setEnabled(false);
        enable(m_timerActive);
    }
    m_timerRevert->stop();
    m_idlePrompter.reset();
}

void FrmMain::send()
{
    const QString typed = m_txtSend->toPlainText();
    if (RobotText::isBlank(typed)) {
        m_seams.speaker->say(QStringLiteral("注意：请不要发送空白内容"));
        return;
    }
    m_pendingMessage = RobotText::normaliseMessage(typed);
    appendTranscript(RobotText::transcriptHeader(m_knowledge.UserName, m_seams.clock->now()) +
                     typed + QStringLiteral("\r\n\r\n"));
    m_txtSend->clear();
    m_txtSend->setFocus();
    ++m_sentCount;
    setLabelText(m_labStatus, QStringLiteral("您已发送 %1 条信息").arg(m_sentCount));
    enable(m_timerRevert);
    setLabelText(m_labRTip, kReplying);
    m_idlePrompter.reset();
}

void FrmMain::appendTranscript(const QString &text)
{
    // The transcript shows lines, not line-end characters.
    m_txtTalk->appendAtEnd(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void FrmMain::replyTick()
{
    setLabelText(m_labRTip, kOnline);
    const Reply reply =
        ReplyEngine::respond(m_pendingMessage, m_knowledge, m_robotProfile.at(1), *m_seams.random);
    if (reply.text)
        robotSay(*reply.text, reply.kind);
    if (reply.command != ChatCommand::None)
        runCommand(reply.command);
}

void FrmMain::runCommand(ChatCommand command)
{
    switch (command) {
    case ChatCommand::Clear:
        m_txtTalk->clear();
        break;
    case ChatCommand::Teach:
        enterTeaching();
        m_txtTeach[1]->clear();
        m_txtTeach[1]->setFocus();
        m_timerRevert->stop();
        break;
    case ChatCommand::Exit:
        close();
        QCoreApplication::exit(0);
        break;
    case ChatCommand::GetCode:
        m_seams.openUrl(QUrl(QStringLiteral(MIAOYU_SOURCE_URL)));
        break;
    case ChatCommand::None:
    case ChatCommand::Help:
    case ChatCommand::Qqt:
    case ChatCommand::QqTalk:
        break;
    }
}

void FrmMain::idleTick()
{
    if (const QString *prompt = m_idlePrompter.tick(*m_seams.random))
        robotSay(*prompt, RobotText::OnItsOwn);
}

// ---- Teaching --------------------------------------------------------------------------

bool FrmMain::teachingMode() const
{
    return m_picTeach->y() == pixels(WindowLayout::TeachPanelShownTop);
}

void FrmMain::setTeachPanelTop(int twips)
{
    m_picTeach->move(m_picTeach->x(), pixels(twips));
    m_picTeach->setEnabled(twips == WindowLayout::TeachPanelShownTop);
}

void FrmMain::enterTeaching()
{
    const bool alreadyTeaching = teachingMode();
    setTeachPanelTop(WindowLayout::TeachPanelShownTop);
    robotSay(QStringLiteral("    进入调教模式"), RobotText::Replied);
    setLabelText(m_labRTip, kLearning);
    // Entering again keeps what was taught so far instead of copying the table a second time.
    if (!alreadyTeaching)
        m_teachingList->setEntries(m_knowledge.KeywordTable.mid(1));
    m_txtTeach[1]->setText(m_pendingMessage); // its change runs the lookup
    m_txtTeach[2]->setFocus();
    m_timerActive->stop();
}

void FrmMain::lookUpKeyword()
{
    if (m_teachingList->count() == 0)
        return;
    const int row = m_teachingList->findKey(RobotText::normaliseMessage(m_txtTeach[1]->text()));
    m_txtTeach[2]->setText(row < 0 ? QString()
                                   : TeachingRules::repliesOf(m_teachingList->entryAt(row)));
}

void FrmMain::pickEntry(const QModelIndex &index)
{
    if (!teachingMode() || !index.isValid())
        return;
    m_txtTeach[1]->setText(TeachingList::keyOf(m_teachingList->entryAt(index.row())));
}

void FrmMain::showList()
{
    if (!teachingMode())
        return;
    m_listDate->move(pixels(WindowLayout::ListShownLeft), m_listDate->y());
    m_listDate->show();
}

void FrmMain::commitEntry()
{
    if (!teachingMode())
        return;
    const QString refused = QStringLiteral("本次调教未能成功,可能的原因:") + kCr;
    const TeachingRules::Commit commit =
        TeachingRules::check(m_txtTeach[1]->text(), m_txtTeach[2]->text(), m_knowledge.FilterWords);
    switch (commit.verdict) {
    case TeachingRules::Verdict::Malformed:
        message(QMessageBox::Warning, QStringLiteral("ERR"),
                refused + QStringLiteral("1,关键字或智能回复为空;") + kCr +
                    QStringLiteral("2,关键字含有“|”或“\\”符号."));
        return;
    case TeachingRules::Verdict::Unencodable:
        message(QMessageBox::Warning, QStringLiteral("ERR"),
                refused + QStringLiteral("调教内容含有无法保存的字符“%1”.").arg(commit.offending));
        return;
    case TeachingRules::Verdict::Rude:
        message(QMessageBox::Warning, QStringLiteral("ERR"),
                refused + QStringLiteral("调教内容含有不良字眼."));
        m_txtTeach[1]->clear();
        m_txtTeach[2]->clear();
        return;
    case TeachingRules::Verdict::Accepted:
        break;
    }
    const QString item = commit.entry + Knowledge::LineEnd;
    const int row = m_teachingList->findKey(TeachingList::keyOf(item));
    if (row >= 0)
        m_teachingList->replaceEntry(row, item);
    else
        m_teachingList->insertEntry(item);
    message(QMessageBox::Information, QStringLiteral("调教成功!"),
            QStringLiteral("调教成功!") + kCr + QStringLiteral("机器人会好好学习滴^_^"),
            QMessageBox::Yes | QMessageBox::No);
    m_txtTeach[1]->clear();
    m_txtTeach[2]->clear();
}

void FrmMain::leaveTeaching()
{
    if (!teachingMode())
        return;
    const auto bytes =
        KnowledgeFile::teachingSaveBytes(m_knowledge.DataBytes, m_teachingList->entries());
    const QString failure = bytes ? KnowledgeFile::write(m_dataPath, *bytes)
                                  : QStringLiteral("数据文件的分段标记不完整。");
    if (!failure.isEmpty()) {
        // Teaching goes on with everything taught so far; the file on disk is as it was.
        message(QMessageBox::Warning, QStringLiteral("ERR"),
                QStringLiteral("保存失败,调教的内容还在,可以稍后再试:") + kCr +
                    QDir::toNativeSeparators(m_dataPath) + kCr + kCr + failure);
        return;
    }
    m_teachingList->clear();
    m_listDate->hide();
    robotSay(QStringLiteral("    退出调教模式"), RobotText::Replied);
    initialize();
    setLabelText(m_labRTip, kOnline);
    enable(m_timerActive);
    setTeachPanelTop(WindowLayout::TeachPanelParkedTop);
    m_txtTeach[1]->clear();
    m_txtTeach[2]->clear();
}

// ---- Keyboard and small helpers --------------------------------------------------------

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_txtSend)
            m_idlePrompter.reset();
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && watched == m_txtSend && (key->modifiers() & Qt::ControlModifier)) {
            m_txtSend->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        if (enter && !(key->modifiers() & Qt::ControlModifier)) {
            if (auto *button = qobject_cast<QPushButton *>(watched))
                button->click();
            else
                m_cmdSend->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmMain::keyPressEvent(QKeyEvent *event)
{
    // Reached only while no control has the focus: outside teaching, go back to typing.
    if (!teachingMode())
        m_txtSend->setFocus();
    event->accept();
}

void FrmMain::setLabelText(QLabel *label, const QString &text)
{
    label->setText(text);
    if (!label->wordWrap() && label != m_labStatus && label != m_labRevise)
        label->adjustSize();
}

QMessageBox::StandardButton FrmMain::message(QMessageBox::Icon icon, const QString &title,
                                             const QString &prompt,
                                             QMessageBox::StandardButtons buttons)
{
    return m_seams.showMessage(icon, title, prompt, buttons);
}
