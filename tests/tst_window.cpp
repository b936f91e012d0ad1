// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The chat window itself: every control where the design puts it, stacking and tab order,
// the keyboard rules, dragging by the backdrop and the glyphs' highlights.

#include "support/WindowHarness.h"
#include "window/ChatTextBox.h"
#include "window/Controls.h"
#include "window/GlyphLabel.h"
#include "window/WindowLayout.h"

#include <QAccessible>
#include <QClipboard>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

int px(int twips)
{
    return WindowLayout::pixels(twips);
}

void sendMouse(QWidget *target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// A voice that notes whether the window was still on screen when it was shut down.
class WatchedVoice final : public Speaker
{
public:
    explicit WatchedVoice(std::function<void()> onShutdown) : m_onShutdown(std::move(onShutdown)) {}
    ~WatchedVoice() override { m_onShutdown(); }
    void say(const QString &) override {}

private:
    std::function<void()> m_onShutdown;
};

QColor textColour(QWidget *w)
{
    w->ensurePolished();
    return w->palette().color(w->foregroundRole());
}

QColor backgroundColour(QWidget *w)
{
    w->ensurePolished();
    return w->palette().color(w->backgroundRole());
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void everyControlInItsPlace_data();
    void everyControlInItsPlace();
    void windowSetUp();
    void profileLabelsFilled();
    void stackingOrder();
    void tabOrder();
    void enterClicksSendFromTheTeachingBoxes();
    void keyToTheWindowReturnsFocusOutsideTeaching();
    void dragOnlyWithTheLeftButtonOnTheBackdrop_data();
    void dragOnlyWithTheLeftButtonOnTheBackdrop();
    void glyphHighlights();
    void accessibleNamesEverywhere();
    void longWordsGetBreakChances_data();
    void longWordsGetBreakChances();
    void pastesLongerThanAMessageRefusedWhole_data();
    void pastesLongerThanAMessageRefusedWhole();
    void fontsAndColours_data();
    void fontsAndColours();
    void closeGlyphHidesAndLetsTheFileGoBeforeTheVoice();
    void nothingUnsavedClosesAtOnce();
    void tabPassesTheCoveredControlsWhileTeaching();
    void keysReachOnlyWhatIsAvailable_data();
    void keysReachOnlyWhatIsAvailable();
    void glyphsArePressableButtons_data();
    void glyphsArePressableButtons();
};

void TestWindow::everyControlInItsPlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("autoSized");

    const auto row = [](const char *name, const char *container, int l, int t, int w, int h,
                        bool autoSized = false) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container)
                            << QRect(l, t, w, h) << autoSized;
    };
    row("ListDate", "", 9120, 960, 9015, 4365);
    row("PicTalk", "", -20, -20, 9135, 9495);
    row("PicTeach", "PicTalk", 0, 7440, 9015, 1935);
    row("CmdSend", "PicTalk", 4680, 6920, 1215, 375);
    row("CmdTeach", "PicTalk", 3390, 6920, 1215, 375);
    row("TxtSend", "PicTalk", 120, 5400, 5895, 1455);
    row("TxtTalk", "PicTalk", 120, 1320, 5895, 3615);
    row("LabRevise", "PicTalk", 6830, 6880, 2040, 255);
    row("ShapeHead", "PicTalk", 120, 120, 735, 735);
    row("LabClose", "PicTalk", 8520, 0, 375, 375);
    row("LabMin", "PicTalk", 8160, 0, 375, 375);
    row("ImgPortrait", "PicTalk", 120, 120, 735, 735);
    row("LabRemark", "PicTalk", 6360, 3720, 2460, 1215);
    row("LabRemarks", "PicTalk", 6360, 3315, 540, 255, true);
    row("LabSmartWord", "PicTalk", 6360, 2860, 720, 255, true);
    row("LabAuthor", "PicTalk", 6360, 2400, 720, 255, true);
    row("LabFrom", "PicTalk", 6360, 1950, 720, 255, true);
    row("LabBirth", "PicTalk", 6360, 1515, 720, 255, true);
    row("LabSex", "PicTalk", 6360, 1080, 720, 255, true);
    row("LabRTip", "PicTalk", 960, 585, 480, 255, true);
    row("LabRName", "PicTalk", 960, 225, 240, 315, true);
    row("LabStatus", "PicTalk", 480, 1080, 5055, 255);
    row("CmdEdit3", "PicTeach", 6840, 1440, 1935, 375);
    row("CmdEdit2", "PicTeach", 3240, 1440, 1575, 375);
    row("CmdEdit1", "PicTeach", 1440, 1440, 1575, 375);
    row("TxtTeach2", "PicTeach", 1440, 600, 7455, 375);
    row("TxtTeach1", "PicTeach", 1440, 120, 3135, 375);
    row("LabTip", "PicTeach", 1440, 1080, 2460, 255, true);
    row("LabTip2", "PicTeach", 120, 600, 1200, 330, true);
    row("LabTip1", "PicTeach", 120, 120, 1200, 330, true);
}

void TestWindow::everyControlInItsPlace()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(bool, autoSized);

    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    auto *control = h.window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->pos(), QPoint(px(twips.left()), px(twips.top())));
    if (autoSized) {
        // As wide and high as its text, whatever the font.
        QCOMPARE(control->size(), control->sizeHint());
    } else {
        QCOMPARE(control->width(), px(twips.left() + twips.width()) - px(twips.left()));
        QCOMPARE(control->height(), px(twips.top() + twips.height()) - px(twips.top()));
    }
}

void TestWindow::windowSetUp()
{
    WindowHarness h;
    h.make();
    QCOMPARE(h.window->size(), QSize(px(11205), px(9735)));
    h.writeKnowledge(knowledgeText({u"a\\b\\"_qs}));
    QVERIFY(h.startWindow());
    QCOMPARE(h.window->size(), QSize(px(9025), px(7320)));
    QCOMPARE(h.window->windowTitle(), QStringLiteral("妙语通"));
    QVERIFY(h.window->windowFlags().testFlag(Qt::FramelessWindowHint));
    const QRect screen = h.window->screen()->geometry();
    QVERIFY(qAbs(h.window->y() - (screen.height() - h.window->height()) / 2) <= 1);
    const QRegion mask = h.window->mask();
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(h.window->width() - 1, h.window->height() - 1)));
    QVERIFY(mask.contains(QPoint(h.window->width() / 2, 0)));
    QVERIFY(mask.contains(QPoint(2, 2)));
    QVERIFY(!h.window->windowIcon().isNull());
}

void TestWindow::profileLabelsFilled()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    QCOMPARE(h.label("LabRName"), QStringLiteral("阿木"));
    QCOMPARE(h.label("LabSex"), QStringLiteral("性别：公的,帅哥"));
    QCOMPARE(h.label("LabBirth"), QStringLiteral("生日：08年8月诞生"));
    QCOMPARE(h.label("LabFrom"), QStringLiteral("来自：地球村,中国"));
    QCOMPARE(h.label("LabAuthor"), QStringLiteral("作者：lanke42"));
    QCOMPARE(h.label("LabRemarks"), QStringLiteral("备注："));
    QCOMPARE(h.label("LabRemark"),
             QStringLiteral("  我天生比较聪明,只要你教过我的东西,我一定会记住的!"));
    QVERIFY(h.control<QLabel>("LabRemark")->wordWrap());
    QCOMPARE(h.control<QLabel>("LabRevise")->toolTip(),
             QStringLiteral("修改人员：8264097hds & yunxiaoke"));
    QCOMPARE(h.control<QLabel>("LabClose")->toolTip(), QStringLiteral("关闭"));
    QCOMPARE(h.control<QLabel>("LabMin")->toolTip(), QStringLiteral("最小化"));
    QVERIFY(!h.control<QPushButton>("CmdTeach")->isEnabled());
    QVERIFY(!h.control<QListView>("ListDate")->isVisible());
}

void TestWindow::stackingOrder()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    // Top first, as drawn: each control lies over the ones after it.
    const QStringList backdropTopFirst = {
        u"PicTeach"_qs,    u"CmdSend"_qs,   u"CmdTeach"_qs,   u"TxtSend"_qs,      u"TxtTalk"_qs,
        u"LabRevise"_qs,   u"ShapeHead"_qs, u"GlyphLines"_qs, u"LabClose"_qs,     u"LabMin"_qs,
        u"ImgPortrait"_qs, u"LabRemark"_qs, u"LabRemarks"_qs, u"LabSmartWord"_qs, u"LabAuthor"_qs,
        u"LabFrom"_qs,     u"LabBirth"_qs,  u"LabSex"_qs,     u"LabRTip"_qs,      u"LabRName"_qs,
        u"LabStatus"_qs};
    const QObjectList children = h.control<QWidget>("PicTalk")->children();
    for (qsizetype i = 1; i < backdropTopFirst.size(); ++i) {
        const auto upper =
            children.indexOf(h.window->findChild<QWidget *>(backdropTopFirst.at(i - 1)));
        const auto lower = children.indexOf(h.window->findChild<QWidget *>(backdropTopFirst.at(i)));
        QVERIFY2(upper > lower, qPrintable(backdropTopFirst.at(i - 1)));
    }
    const QObjectList top = h.window->children();
    QVERIFY(top.indexOf(h.control<QWidget>("ListDate")) >
            top.indexOf(h.control<QWidget>("PicTalk")));
    // The glyph strokes and the portrait frame never take the pointer.
    QVERIFY(h.control<QWidget>("GlyphLines")->testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(h.control<QWidget>("ShapeHead")->testAttribute(Qt::WA_TransparentForMouseEvents));
}

void TestWindow::tabOrder()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    const QStringList expected = {u"PicTalk"_qs,  u"TxtTalk"_qs,  u"TxtSend"_qs,   u"CmdTeach"_qs,
                                  u"CmdSend"_qs,  u"ListDate"_qs, u"TxtTeach1"_qs, u"TxtTeach2"_qs,
                                  u"CmdEdit1"_qs, u"CmdEdit2"_qs, u"CmdEdit3"_qs};
    QStringList chain;
    QWidget *start = h.control<QWidget>("PicTalk");
    QWidget *w = start;
    do {
        if (expected.contains(w->objectName()))
            chain.append(w->objectName());
        w = w->nextInFocusChain();
    } while (w != start);
    QCOMPARE(chain, expected);
    for (const char *name : {"LabStatus", "LabRName", "LabClose", "ImgPortrait"})
        QCOMPARE(h.control<QWidget>(name)->focusPolicy(), Qt::NoFocus);
}

void TestWindow::enterClicksSendFromTheTeachingBoxes()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    h.enterTeaching();
    auto *keyword = h.control<QLineEdit>("TxtTeach1");
    h.control<QPlainTextEdit>("TxtSend")->setPlainText(QStringLiteral("hi"));
    QTest::keyClick(keyword, Qt::Key_Return);
    QCOMPARE(h.window->sentCount(), 2);
    QVERIFY(h.shown.isEmpty()); // not a commit
}

void TestWindow::keyToTheWindowReturnsFocusOutsideTeaching()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    auto *input = h.control<QPlainTextEdit>("TxtSend");
    h.control<QWidget>("TxtTalk")->setFocus();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(h.window.get(), &key);
    QCOMPARE(h.window->focusWidget(), input);
    QVERIFY(input->toPlainText().isEmpty()); // the key itself is not typed

    h.enterTeaching();
    QApplication::sendEvent(h.window.get(), &key);
    QCOMPARE(h.window->focusWidget(), h.control<QLineEdit>("TxtTeach1"));
}

void TestWindow::dragOnlyWithTheLeftButtonOnTheBackdrop_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("moves");
    QTest::newRow("left on the header band") << u"PicTalk"_qs << int(Qt::LeftButton) << true;
    QTest::newRow("right on the header band") << u"PicTalk"_qs << int(Qt::RightButton) << false;
    QTest::newRow("left and right")
        << u"PicTalk"_qs << int(Qt::LeftButton | Qt::RightButton) << false;
    QTest::newRow("left on the robot's name") << u"LabRName"_qs << int(Qt::LeftButton) << false;
    QTest::newRow("left on the portrait") << u"ImgPortrait"_qs << int(Qt::LeftButton) << false;
    QTest::newRow("left on the transcript") << u"TxtTalk"_qs << int(Qt::LeftButton) << false;
    QTest::newRow("left on the teaching panel's background")
        << u"PicTeach"_qs << int(Qt::LeftButton) << false;
}

void TestWindow::dragOnlyWithTheLeftButtonOnTheBackdrop()
{
    QFETCH(QString, target);
    QFETCH(int, buttons);
    QFETCH(bool, moves);

    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    auto *widget = h.window->findChild<QWidget *>(target);
    QWidget *receiver =
        target == u"TxtTalk"_qs ? static_cast<QPlainTextEdit *>(widget)->viewport() : widget;
    const QPoint at = target == u"PicTalk"_qs ? QPoint(300, 30) : QPoint(5, 5);
    const QPoint before = h.window->pos();
    sendMouse(receiver, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::MouseButtons(buttons));
    sendMouse(receiver, QEvent::MouseMove, at + QPoint(40, 25), Qt::NoButton,
              Qt::MouseButtons(buttons));
    QCOMPARE(h.window->pos(), moves ? before + QPoint(40, 25) : before);
}

void TestWindow::glyphHighlights()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    auto *close = h.window->findChild<GlyphLabel *>(u"LabClose"_qs);
    auto *minimise = h.window->findChild<GlyphLabel *>(u"LabMin"_qs);
    QVERIFY(!close->isLit() && !minimise->isLit());

    sendMouse(close, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    QVERIFY(close->isLit() && !minimise->isLit());
    sendMouse(minimise, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    QVERIFY(!close->isLit() && minimise->isLit());
    sendMouse(h.control<QWidget>("PicTalk"), QEvent::MouseMove, {300, 30}, Qt::NoButton,
              Qt::NoButton);
    QVERIFY(!close->isLit() && !minimise->isLit());

    sendMouse(minimise, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    sendMouse(minimise, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(minimise, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(h.window->isMinimized());
    QVERIFY(!minimise->isLit());
}

void TestWindow::accessibleNamesEverywhere()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    for (QWidget *control : h.window->findChildren<QWidget *>()) {
        // Qt's own parts (viewports, scroll bars) are named by the control they belong to.
        if (control->objectName().isEmpty() || control->objectName().startsWith(u"qt_"_qs) ||
            control->objectName() == u"GlyphLines"_qs || control->objectName() == u"ShapeHead"_qs)
            continue;
        // A label is named by its text; its description says what the text is.
        const auto *label = qobject_cast<QLabel *>(control);
        const bool captioned =
            label && label->pixmap().isNull() && !qobject_cast<GlyphLabel *>(control);
        const bool named = captioned ? !control->accessibleDescription().isEmpty() &&
                                           control->accessibleName().isEmpty()
                                     : !control->accessibleName().isEmpty();
        QVERIFY2(named, qPrintable(control->objectName()));
    }
}

void TestWindow::longWordsGetBreakChances_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("breaks");
    QTest::newRow("short") << u"hello"_qs << 0;
    QTest::newRow("long but spaced") << QString(u"word "_qs).repeated(200) << 0;
    QTest::newRow("long Chinese breaks anywhere") << QString(1000, u'啊') << 0;
    QTest::newRow("one long word") << QString(1000, u'a') << 4;
    QTest::newRow("a word beyond the BMP keeps its pairs") << u"a"_qs + u"𝐚"_qs.repeated(299) << 2;
}

void TestWindow::longWordsGetBreakChances()
{
    QFETCH(QString, text);
    QFETCH(int, breaks);
    const QString shown = ChatTextBox::withBreakChances(text);
    QCOMPARE(shown.count(QChar(0x200B)), breaks);
    QCOMPARE(QString(shown).remove(QChar(0x200B)), text);
    for (qsizetype i = 0; i + 1 < shown.size(); ++i) {
        if (shown.at(i + 1) == QChar(0x200B))
            QVERIFY(!shown.at(i).isHighSurrogate());
    }
}

void TestWindow::pastesLongerThanAMessageRefusedWhole_data()
{
    QTest::addColumn<qsizetype>("written"); // in the box before the paste, split into pieces
    QTest::addColumn<bool>("selected");     // and selected, for the paste to replace
    QTest::addColumn<qsizetype>("pasted");
    QTest::addColumn<bool>("typed"); // committed by an input method instead
    QTest::addColumn<bool>("taken");
    constexpr qsizetype Most = ChatTextBox::LongestMessage;
    QTest::newRow("a whole message") << qsizetype(0) << false << Most << false << true;
    QTest::newRow("one character more") << qsizetype(0) << false << Most + 1 << false << false;
    QTest::newRow("the room left") << qsizetype(5000) << false << Most - 5000 << false << true;
    QTest::newRow("more than the room left")
        << qsizetype(5000) << false << Most - 4999 << false << false;
    QTest::newRow("in place of a selection") << qsizetype(5000) << true << Most << false << true;
    QTest::newRow("an input method's commit") << qsizetype(5000) << false << Most << true << false;
}

void TestWindow::pastesLongerThanAMessageRefusedWhole()
{
    QFETCH(qsizetype, written);
    QFETCH(bool, selected);
    QFETCH(qsizetype, pasted);
    QFETCH(bool, typed);
    QFETCH(bool, taken);
    WindowHarness h;
    QVERIFY(h.startWith({}));
    auto *box = h.control<ChatTextBox>("TxtSend");
    const QString before = u"好"_s.repeated(written);
    box->setPlainText(before);
    if (selected)
        box->selectAll();
    else
        box->moveCursor(QTextCursor::End);
    const QString text = u"话"_s.repeated(pasted);
    QGuiApplication::clipboard()->setText(text);
    h.shown.clear();
    if (typed) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box, &commit);
    } else {
        box->paste();
    }
    QCoreApplication::processEvents(); // the notice waits until the paste has returned
    QCOMPARE(box->message(), taken ? (selected ? text : before + text) : before);
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    QCOMPARE(h.shown.size(), taken ? 0 : 1);
    if (!taken) {
        QCOMPARE(h.shown.at(0).title, u"妙语通"_s);
        const QString notice = h.shown.at(0).prompt;
        QVERIFY2(notice.contains(u"最多 1,500,000 字"_s), qPrintable(notice));
        QCOMPARE(notice.contains(u"剪贴板"_s), !typed);
    }
}

void TestWindow::fontsAndColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("text");       // invalid: the platform's
    QTest::addColumn<QColor>("background"); // invalid: transparent or the platform's

    const auto row = [](const char *name, qreal points, bool bold, QColor text,
                        QColor background = {}) {
        QTest::newRow(name) << QString::fromLatin1(name) << points << bold << text << background;
    };
    const QColor panel(0x40, 0x40, 0x40);
    row("TxtSend", 10.5, false, Qt::black, Qt::white);
    row("TxtTalk", 10.5, false, Qt::black, Qt::white);
    row("TxtTeach1", 10.5, false, {});
    row("TxtTeach2", 10.5, false, {});
    row("LabRName", 12, false, Qt::white);
    row("LabClose", 12, false, {}, QColor(0xFF, 0x00, 0x00));
    row("LabMin", 12, false, {}, QColor(0x00, 0xF9, 0x2C));
    row("LabTip1", 12, true, {});
    row("LabTip2", 12, true, {});
    row("LabRTip", 9, false, Qt::white);
    row("LabStatus", 9, false, QColor(0x00, 0x80, 0x00));
    row("LabSex", 9, false, panel);
    row("LabRemark", 9, false, panel);
    row("LabSmartWord", 9, false, panel);
    row("LabRevise", 9, false, QColor(0x80, 0x80, 0x80), Qt::white);
    row("LabTip", 9, false, {});
    row("CmdSend", 9, false, {});
    row("CmdEdit1", 9, false, {});
    row("ListDate", 9, false, Qt::black, Qt::white);
    row("PicTeach", 9, false, {}, QColor(0xE0, 0xE0, 0xE0));
}

void TestWindow::fontsAndColours()
{
    QFETCH(QString, name);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    auto *control = h.window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().bold(), bold);
    QCOMPARE(control->font().family(), Controls::windowFont(9).family());
    if (text.isValid())
        QCOMPARE(textColour(control), text);
    if (background.isValid())
        QCOMPARE(backgroundColour(control), background);
}

void TestWindow::closeGlyphHidesAndLetsTheFileGoBeforeTheVoice()
{
    WindowHarness h;
    bool stopped = false;
    bool visibleWhenStopped = true;
    FrmMain *window = nullptr; // still there while it lets its voice go
    h.adjustSeams = [&](FrmMainSeams &seams) {
        seams.speaker = nullptr;
        seams.makeVoice = [&] {
            return std::make_unique<WatchedVoice>([&] {
                stopped = true;
                visibleWhenStopped = window->isVisible();
            });
        };
    };
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    window = h.window.get();
    QVERIFY(window->isVisible());
    QSignalSpy closed(h.window.get(), &FrmMain::closed);
    QTest::mouseClick(h.control<QWidget>("LabClose"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!h.window->isVisible()); // at once, in the click itself
    // The data file is let go without waiting for the voice, which goes last.
    QTRY_COMPARE(closed.size(), 1);
    QVERIFY(!stopped);
    h.window.reset();
    QVERIFY(stopped);
    QVERIFY(!visibleWhenStopped);
    QVERIFY(h.shown.isEmpty());
}

void TestWindow::nothingUnsavedClosesAtOnce()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    const QByteArray before = h.fileBytes();
    h.enterTeaching();
    QVERIFY(!h.window->hasUnsavedWork());
    h.window->close();
    QVERIFY(!h.window->isVisible());
    QVERIFY(h.shown.isEmpty());
    QCOMPARE(h.fileBytes(), before);
}

void TestWindow::tabPassesTheCoveredControlsWhileTeaching()
{
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    const auto tabRound = [&](Qt::Key key) {
        QStringList reached;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key,
                            key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            reached.append(QApplication::focusWidget()->objectName());
        }
        return reached;
    };
    const QStringList covered = {u"TxtSend"_qs, u"CmdSend"_qs, u"CmdTeach"_qs};
    QHash<QString, Qt::FocusPolicy> policies;
    for (const QString &name : covered)
        policies.insert(name, h.window->findChild<QWidget *>(name)->focusPolicy());

    h.enterTeaching();
    h.control<QPushButton>("CmdEdit3")->click();
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        const QStringList reached = tabRound(key);
        QVERIFY2(reached.contains(u"TxtTeach2"_qs), qPrintable(reached.join(u' ')));
        for (const QString &name : covered)
            QVERIFY2(!reached.contains(name), qPrintable(reached.join(u' ')));
    }

    // After teaching, they take the keyboard as they did before it.
    h.leaveTeaching();
    QCOMPARE(QApplication::focusWidget(), h.control<QWidget>("TxtSend"));
    for (const QString &name : covered) {
        QVERIFY2(h.window->findChild<QWidget *>(name)->focusPolicy() == policies.value(name),
                 qPrintable(name));
    }
    h.control<QWidget>("CmdSend")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), h.control<QWidget>("TxtSend"));
}

void TestWindow::keysReachOnlyWhatIsAvailable_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focusAfter");

    const int none = Qt::NoModifier;
    // Tab leaves a text box instead of typing a tab; 调教 is unavailable until a message is
    // not understood, so it is passed over.
    QTest::newRow("Tab from the input box")
        << u"TxtSend"_s << int(Qt::Key_Tab) << none << u"CmdSend"_s;
    QTest::newRow("Shift+Tab from the input box")
        << u"TxtSend"_s << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << u"TxtTalk"_s;
    QTest::newRow("Tab from the transcript")
        << u"TxtTalk"_s << int(Qt::Key_Tab) << none << u"TxtSend"_s;
    // Access keys of unavailable buttons: nothing happens, nothing is typed.
    QTest::newRow("Alt+T while 调教 is unavailable")
        << u"TxtSend"_s << int(Qt::Key_T) << int(Qt::AltModifier) << u"TxtSend"_s;
    for (const auto &[key, name] : {std::pair(Qt::Key_O, "Alt+O"), std::pair(Qt::Key_C, "Alt+C"),
                                    std::pair(Qt::Key_E, "Alt+E")}) {
        QTest::newRow(qPrintable(QString::fromLatin1(name) + u" outside teaching"_s))
            << u"TxtSend"_s << int(key) << int(Qt::AltModifier) << u"TxtSend"_s;
    }
}

void TestWindow::keysReachOnlyWhatIsAvailable()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, focusAfter);

    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    auto *input = h.control<QPlainTextEdit>("TxtSend");
    input->setPlainText(u"你好"_s);
    QWidget *start = h.control<QWidget>(qPrintable(from));
    start->setFocus();
    const QString transcript = h.transcript();

    QTest::keyClick(start, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QApplication::focusWidget()->objectName(), focusAfter);
    QCOMPARE(input->toPlainText(), u"你好"_s);
    QCOMPARE(h.transcript(), transcript);
    QCOMPARE(h.window->mode(), FrmMain::Mode::Conversation);
    QVERIFY(h.shown.isEmpty());
}

void TestWindow::glyphsArePressableButtons_data()
{
    QTest::addColumn<QString>("glyph");
    QTest::newRow("minimise") << u"LabMin"_s;
    QTest::newRow("close") << u"LabClose"_s;
}

void TestWindow::glyphsArePressableButtons()
{
    QFETCH(QString, glyph);
    WindowHarness h;
    QVERIFY(h.startWith({u"a\\b\\"_qs}));
    QAccessibleInterface *button =
        QAccessible::queryAccessibleInterface(h.control<QWidget>(qPrintable(glyph)));
    QVERIFY(button);
    QCOMPARE(button->role(), QAccessible::Button);
    QVERIFY(button->actionInterface());
    QCOMPARE(button->actionInterface()->actionNames(),
             QStringList{QAccessibleActionInterface::pressAction()});
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    if (glyph == u"LabMin"_s)
        QTRY_VERIFY(h.window->isMinimized());
    else
        QVERIFY(!h.window->isVisible());

    // The strokes drawn over the glyphs and the portrait are no control at all.
    for (const char *drawing : {"GlyphLines", "ShapeHead"}) {
        QAccessibleInterface *lines =
            QAccessible::queryAccessibleInterface(h.control<QWidget>(drawing));
        QVERIFY(lines && lines->state().invisible);
    }
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
