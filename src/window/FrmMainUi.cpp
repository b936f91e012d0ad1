// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/FrmMainUi.h"

#include "conversation/RobotProfile.h"
#include "window/Accessibility.h"
#include "window/Backdrop.h"
#include "window/BackgroundTask.h"
#include "window/ChatTextBox.h"
#include "window/Controls.h"
#include "window/Decoration.h"
#include "window/GlyphLabel.h"
#include "window/KeywordList.h"
#include "window/TeachPanel.h"
#include "window/WindowLayout.h"

#include <QBitmap>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <windows.h>
#endif

using Controls::makeButton;
using Controls::makeLabel;
using Controls::place;
using Controls::windowFont;
using WindowLayout::pixels;

namespace {

const QColor PanelText(0x40, 0x40, 0x40);

ChatTextBox *makeTextBox(QWidget *backdrop, const char16_t *name, const QString &accessibleName)
{
    auto *box = new ChatTextBox(backdrop);
    // Tab moves on to the next control, as everywhere else in the window.
    box->setTabChangesFocus(true);
    place(box, name);
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; color: black; }"));
    box->setAccessibleName(accessibleName);
    box->setFont(windowFont(10.5));
    return box;
}

} // namespace

void FrmMainUi::setupUi(QWidget *window, QAbstractItemModel *teachingModel)
{
    Accessibility::describeCustomControls();
    window->setWindowTitle(QStringLiteral("妙语通"));
    window->setAccessibleName(QStringLiteral("妙语通"));
    window->setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    window->resize(pixels(WindowLayout::CreatedWidth), pixels(WindowLayout::CreatedHeight));
    window->setFont(windowFont(9));

    buildBackdrop(window, teachingModel);
    buildProfile();
    buildGlyphs();
    buildInputArea();
    picTeach = new TeachPanel(picTalk);
    stackAndOrder(window);
}

void FrmMainUi::buildBackdrop(QWidget *window, QAbstractItemModel *teachingModel)
{
    picTalk = new Backdrop(QPixmap(QStringLiteral(":/pictures/backdrop.jpg")), window);
    place(picTalk, u"PicTalk");
    picTalk->setAccessibleName(QStringLiteral("聊天窗口背景"));

    listDate = new KeywordList(window);
    place(listDate, u"ListDate");
    listDate->setModel(teachingModel);
    listDate->setUniformItemSizes(true);
    listDate->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listDate->setStyleSheet(QStringLiteral("QListView { background: white; color: black; }"));
    listDate->setAccessibleName(QStringLiteral("关键字列表"));
    listDate->hide();
}

void FrmMainUi::buildProfile()
{
    QWidget *backdrop = picTalk;
    labStatus =
        makeLabel(backdrop, u"LabStatus", {}, QColor(0x00, 0x80, 0x00), QStringLiteral("状态"));
    labStatus->setProperty("fixedWidth", true);
    labRName = makeLabel(backdrop, u"LabRName", QStringLiteral("？"), Qt::white,
                         QStringLiteral("机器人名字"));
    labRName->setFont(windowFont(12));
    labRTip = makeLabel(backdrop, u"LabRTip", QStringLiteral("[在线]"), Qt::white,
                        QStringLiteral("机器人状态"));
    labSex = makeLabel(backdrop, u"LabSex", QStringLiteral("性别：？"), PanelText,
                       QStringLiteral("性别"));
    labBirth = makeLabel(backdrop, u"LabBirth", QStringLiteral("生日：？"), PanelText,
                         QStringLiteral("生日"));
    labFrom = makeLabel(backdrop, u"LabFrom", QStringLiteral("来自：？"), PanelText,
                        QStringLiteral("来自"));
    labAuthor = makeLabel(backdrop, u"LabAuthor", QStringLiteral("作者：？"), PanelText,
                          QStringLiteral("作者"));
    labSmartWord = makeLabel(backdrop, u"LabSmartWord", QStringLiteral("数据：？"), PanelText,
                             QStringLiteral("知识条数"));
    labRemarks = makeLabel(backdrop, u"LabRemarks", QStringLiteral("备注："), PanelText,
                           QStringLiteral("备注标题"));
    for (QLabel *label :
         {labRName, labRTip, labSex, labBirth, labFrom, labAuthor, labSmartWord, labRemarks})
        label->adjustSize();
    labRemark = makeLabel(backdrop, u"LabRemark", {}, PanelText, QStringLiteral("备注"));
    labRemark->setWordWrap(true);
    labRemark->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    imgPortrait = makeLabel(backdrop, u"ImgPortrait", {}, Qt::black, QStringLiteral("机器人头像"));
    imgPortrait->setPixmap(QPixmap(QStringLiteral(":/pictures/portrait.jpg")));
    imgPortrait->setScaledContents(true);
    imgPortrait->setAccessibleName(QStringLiteral("机器人头像"));
}

void FrmMainUi::buildGlyphs()
{
    QWidget *backdrop = picTalk;
    labMin = new GlyphLabel(QColor(0x00, 0xF9, 0x2C), backdrop);
    place(labMin, u"LabMin");
    labMin->setToolTip(QStringLiteral("最小化"));
    labMin->setAccessibleName(QStringLiteral("最小化"));
    labClose = new GlyphLabel(QColor(0xFF, 0x00, 0x00), backdrop);
    place(labClose, u"LabClose");
    labClose->setToolTip(QStringLiteral("关闭"));
    labClose->setAccessibleName(QStringLiteral("关闭"));
    for (GlyphLabel *glyph : {labMin, labClose})
        glyph->setFont(windowFont(12));

    // Only the square under the pointer is lit; the backdrop puts both out.
    QObject::connect(labClose, &GlyphLabel::hovered, labClose, [this] {
        labClose->setLit(true);
        labMin->setLit(false);
    });
    QObject::connect(labMin, &GlyphLabel::hovered, labMin, [this] {
        labClose->setLit(false);
        labMin->setLit(true);
    });
    QObject::connect(picTalk, &Backdrop::pointerMoved, picTalk, [this] {
        labClose->setLit(false);
        labMin->setLit(false);
    });

    // The white strokes of the glyphs, drawn over the lit squares.
    glyphLines = new Decoration(backdrop);
    glyphLines->setObjectName(QStringLiteral("GlyphLines"));
    const QRect glyphs = WindowLayout::rect(u"LabMin").united(WindowLayout::rect(u"LabClose"));
    glyphLines->setGeometry(glyphs);
    const QPointF origin = glyphs.topLeft();
    for (const WindowLayout::Stroke &stroke : WindowLayout::GlyphStrokes) {
        glyphLines->addLine({WindowLayout::point(stroke.x1, stroke.y1) - origin,
                             WindowLayout::point(stroke.x2, stroke.y2) - origin},
                            Qt::white, WindowLayout::GlyphStrokeWidth);
    }

    shapeHead = new Decoration(backdrop);
    place(shapeHead, u"ShapeHead");
    shapeHead->addRoundedFrame(QRectF(shapeHead->rect()).adjusted(0.5, 0.5, -0.5, -0.5),
                               QColor(0xE0, 0xE0, 0xE0));
}

void FrmMainUi::buildInputArea()
{
    QWidget *backdrop = picTalk;
    labRevise = makeLabel(backdrop, u"LabRevise", QStringLiteral("更新日期：2014/9/5"),
                          QColor(0x80, 0x80, 0x80), QStringLiteral("更新日期"));
    labRevise->setProperty("fixedWidth", true);
    labRevise->setAutoFillBackground(true);
    QPalette revise = labRevise->palette();
    revise.setColor(QPalette::Window, Qt::white);
    labRevise->setPalette(revise);
    labRevise->setToolTip(QStringLiteral("修改人员：8264097hds & yunxiaoke"));

    txtTalk = makeTextBox(backdrop, u"TxtTalk", QStringLiteral("聊天记录"));
    // Shown only while long work takes more than a second; it runs without a known end.
    barWork = new QProgressBar(backdrop);
    place(barWork, u"BarWork");
    barWork->setRange(0, 0);
    barWork->setTextVisible(false);
    barWork->setAccessibleName(QStringLiteral("进度"));
    barWork->hide();
    txtTalk->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The transcript grows with every line said; a history of those appends to undo would
    // grow with it, and nobody undoes the robot.
    txtTalk->setUndoRedoEnabled(false);
    txtSend = makeTextBox(backdrop, u"TxtSend", QStringLiteral("输入消息"));
    txtSend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtSend->splitLongParagraphs();
    txtSend->holdOneMessage();

    cmdTeach = makeButton(backdrop, u"CmdTeach", QStringLiteral("调教(&Teach)"));
    cmdTeach->setEnabled(false);
    cmdSend = makeButton(backdrop, u"CmdSend", QStringLiteral("发送(&Send)"));
    cmdSend->setDefault(true);
}

void FrmMainUi::stackAndOrder(QWidget *window) const
{
    // Raised from the bottom of each container's order to its top.
    const QList<QWidget *> backdropBottomUp = {
        labStatus,  labRName,  labRTip,     labSex,   labBirth, labFrom,    labAuthor, labSmartWord,
        labRemarks, labRemark, imgPortrait, labMin,   labClose, glyphLines, shapeHead, labRevise,
        txtTalk,    barWork,   txtSend,     cmdTeach, cmdSend,  picTeach};
    for (QWidget *control : backdropBottomUp)
        control->raise();
    for (QWidget *control : picTeach->stackingOrder())
        control->raise();
    listDate->raise();

    const QList<QWidget *> chain = focusChain();
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
    for (QLabel *label : window->findChildren<QLabel *>())
        label->setFocusPolicy(Qt::NoFocus);
}

QList<QWidget *> FrmMainUi::focusChain() const
{
    QList<QWidget *> chain = {picTalk, txtTalk, txtSend, cmdTeach, cmdSend, listDate};
    chain += picTeach->focusChain();
    return chain;
}

void FrmMainUi::finishWindow(QWidget *window) const
{
    window->resize(pixels(WindowLayout::FinalWidth), pixels(WindowLayout::FinalHeight));
    if (const QScreen *screen = window->screen()) {
        const QRect available = screen->geometry();
        window->move(window->x(), available.top() + (available.height() - window->height()) / 2);
    }
#ifdef Q_OS_WIN
    // The class style's drop shadow, the one the system draws under menus and tooltips.
    const auto handle = reinterpret_cast<HWND>(window->winId());
    SetClassLongPtrW(handle, GCL_STYLE, GetClassLongPtrW(handle, GCL_STYLE) | CS_DROPSHADOW);
#endif
    // Corners cut by a 4 x 4 pixel ellipse: the window's visible and clickable area.
    QBitmap shape(window->size());
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawRoundedRect(window->rect(), 2, 2);
    painter.end();
    window->setMask(shape);
}

void FrmMainUi::showKeywordList() const
{
    listDate->move(pixels(WindowLayout::ListShownLeft), listDate->y());
    listDate->show();
}

void FrmMainUi::hideKeywordList() const
{
    listDate->hide();
}

void FrmMainUi::coverInputArea(bool covered) const
{
    for (QWidget *control : {static_cast<QWidget *>(txtSend), static_cast<QWidget *>(cmdTeach),
                             static_cast<QWidget *>(cmdSend)})
        control->setFocusPolicy(covered ? Qt::NoFocus : Qt::StrongFocus);
}

void FrmMainUi::followWork(const BackgroundTask *task)
{
    // The work is the task's; what the window shows meanwhile is decided here.
    QObject::connect(task, &BackgroundTask::started, task, [this](const QString &what) {
        beforeWork = {cmdTeach->isEnabled(), labStatus->text()};
        cmdSend->setEnabled(false);
        cmdTeach->setEnabled(false);
        picTeach->setActionsEnabled(false);
        Controls::setLabelText(labStatus, what);
    });
    QObject::connect(task, &BackgroundTask::slow, task, [this] { barWork->show(); });
    QObject::connect(task, &BackgroundTask::ended, task, [this] {
        barWork->hide();
        cmdSend->setEnabled(true);
        cmdTeach->setEnabled(beforeWork.teachEnabled);
        picTeach->setActionsEnabled(true);
        Controls::setLabelText(labStatus, beforeWork.status);
    });
}

void FrmMainUi::showProfile(const RobotProfile &profile) const
{
    using Controls::setLabelText;
    setLabelText(labRName, profile.name);
    setLabelText(labSex, QStringLiteral("性别：") + profile.sex);
    setLabelText(labBirth, QStringLiteral("生日：") + profile.birth);
    setLabelText(labFrom, QStringLiteral("来自：") + profile.from);
    setLabelText(labAuthor, QStringLiteral("作者：") + profile.author);
    setLabelText(labRemark, QStringLiteral("  ") + profile.remark);
}
