// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// How the real program ends, on a private Xvfb display watched through xcb: a termination signal
// while a start-up question is open ends it at once, writing nothing and without spinning; and
// text copied in the window is handed to the desktop's clipboard manager as it ends (the test
// owns the CLIPBOARD_MANAGER selection and answers SAVE_TARGETS as a manager does). Waits are
// for events, with bounds far above what any of them takes.

#include "knowledge/KnowledgeFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Patience = 60000; // for something that takes a fraction of a second
constexpr int EndBound = 20000; // the program is to end well within this after the signal

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// An Xvfb of its own on a display it picks itself, and one connection to it.
class PrivateDisplay
{
public:
    ~PrivateDisplay()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
        if (m_server.state() != QProcess::NotRunning) {
            m_server.kill();
            m_server.waitForFinished();
        }
    }

    bool start()
    {
        int ends[2];
        if (::pipe(ends) != 0)
            return false;
        m_server.setProgram(u"Xvfb"_s);
        m_server.setArguments({u"-displayfd"_s, QString::number(ends[1]), u"-screen"_s, u"0"_s,
                               u"1280x1024x24"_s, u"-nolisten"_s, u"tcp"_s});
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start();
        ::close(ends[1]);
        QByteArray number;
        pollfd wait{ends[0], POLLIN, 0};
        char c = 0;
        while (::poll(&wait, 1, Patience) == 1 && ::read(ends[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(ends[0]);
        if (number.isEmpty())
            return false;
        m_name = ":" + number;
        m_connection = xcb_connect(m_name.constData(), nullptr);
        if (xcb_connection_has_error(m_connection))
            return false;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        return true;
    }

    QByteArray name() const { return m_name; }
    xcb_connection_t *connection() const { return m_connection; }
    xcb_window_t root() const { return m_root; }

    xcb_atom_t atom(const char *name) const
    {
        Reply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(
                m_connection, xcb_intern_atom(m_connection, 0, std::strlen(name), name), nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // The next event, waiting at most timeoutMs.
    Reply<xcb_generic_event_t> nextEvent(int timeoutMs) const
    {
        QElapsedTimer timer;
        timer.start();
        for (;;) {
            if (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
                return {event, &std::free};
            const qint64 left = timeoutMs - timer.elapsed();
            if (left <= 0 || xcb_connection_has_error(m_connection))
                return {nullptr, &std::free};
            pollfd wait{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            ::poll(&wait, 1, int(std::min<qint64>(left, 50)));
        }
    }

    // Whether window is of the given _NET_WM_WINDOW_TYPE.
    bool hasType(xcb_window_t window, xcb_atom_t type) const
    {
        Reply<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(m_connection,
                                   xcb_get_property(m_connection, 0, window,
                                                    atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 0,
                                                    16),
                                   nullptr),
            &std::free);
        if (!reply)
            return false;
        const auto *types = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
        return std::find(types, types + count, type) != types + count;
    }

private:
    QProcess m_server;
    QByteArray m_name;
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
};

// The program's CPU time so far, in ms; nothing once it is gone.
std::optional<qint64> cpuMs(qint64 pid)
{
    QFile stat(u"/proc/%1/stat"_s.arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return std::nullopt;
    // utime and stime are fields 14 and 15 of the line, 12 and 13 after the name.
    return (fields.at(11).toLongLong() + fields.at(12).toLongLong()) * 1000 /
           ::sysconf(_SC_CLK_TCK);
}

class Program
{
public:
    Program(const PrivateDisplay &display, const QString &dataDir, const QString &runtimeDir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DISPLAY"_s, QString::fromLatin1(display.name()));
        env.remove(u"QT_QPA_PLATFORM"_s);
        env.remove(u"WAYLAND_DISPLAY"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir);
        // No speech daemon: the voice finds no engine at once.
        env.insert(u"SPEECHD_CMD"_s, u"/nonexistent"_s);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(MIAOYU_PROGRAM), {u"--data-dir"_s, dataDir});
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    qint64 pid() const { return m_process.processId(); }

    // Sends SIGTERM and waits for the end. Fails when the program is still there after
    // EndBound, or used more than a tenth of that in CPU time meanwhile.
    void terminate()
    {
        const qint64 before = cpuMs(pid()).value_or(0);
        qint64 spent = 0;
        ::kill(pid_t(pid()), SIGTERM);
        QElapsedTimer timer;
        timer.start();
        while (m_process.state() != QProcess::NotRunning && timer.elapsed() < EndBound) {
            if (const std::optional<qint64> now = cpuMs(pid()))
                spent = *now - before;
            m_process.waitForFinished(20);
        }
        QVERIFY2(m_process.state() == QProcess::NotRunning,
                 qPrintable(u"still running %1 ms after SIGTERM, %2 ms of CPU"_s.arg(EndBound).arg(
                     spent)));
        QVERIFY2(spent < EndBound / 10, qPrintable(u"%1 ms of CPU after SIGTERM"_s.arg(spent)));
        QCOMPARE(m_process.exitStatus(), QProcess::NormalExit);
    }

    QProcess &process() { return m_process; }

private:
    QProcess m_process;
};

// The next window mapped whose type is type.
std::optional<xcb_window_t> awaitWindow(const PrivateDisplay &display, xcb_atom_t type)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < Patience) {
        const auto event = display.nextEvent(100);
        if (event && (event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event.get());
            if (display.hasType(map->window, type))
                return map->window;
        }
    }
    return std::nullopt;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestEnding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void signalDuringAStartUpQuestion_data();
    void signalDuringAStartUpQuestion();
    void copiedTextIsHandedToTheClipboardManager_data();
    void copiedTextIsHandedToTheClipboardManager();

private:
    std::unique_ptr<PrivateDisplay> m_display;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestEnding::initTestCase()
{
    if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty())
        QSKIP("needs Xvfb");
}

void TestEnding::init()
{
    m_display = std::make_unique<PrivateDisplay>();
    QVERIFY(m_display->start());
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkdir(u"data"_s));
    QVERIFY(QDir(m_dir->path())
                .mkdir(u"run"_s,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

void TestEnding::signalDuringAStartUpQuestion_data()
{
    QTest::addColumn<QByteArray>("dataFile"); // what Data.ait holds; none: it does not exist
    QTest::addColumn<bool>("keptBeside");     // work an earlier session kept beside it

    // First run: the name question.
    QTest::newRow("the name") << QByteArray() << false;
    // A file an editor saved as UTF-8: whether to convert it.
    QTest::newRow("the encoding") << u"|名字 |\r\n"_s.toUtf8() +
                                         u"[AI_Dat]\r\n标题：\r\n|ab|\r\n"_s.repeated(6).toUtf8() +
                                         "[AI_Dat]\r\n|hi\\x\\\r\n"
                                  << false;
    // Work kept beside Data.ait by a session that could not ask: where it is.
    QTest::newRow("the kept work") << *KnowledgeFile::firstRunBytes(u"zu"_s) << true;
    // A file that cannot be read: why.
    QTest::newRow("the unreadable file") << QByteArray("not a knowledge file") << false;
}

void TestEnding::signalDuringAStartUpQuestion()
{
    QFETCH(QByteArray, dataFile);
    QFETCH(bool, keptBeside);
    const QString dataDir = m_dir->filePath(u"data"_s);
    const QString dataPath = QDir(dataDir).filePath(KnowledgeFile::FileName);
    if (!dataFile.isEmpty()) {
        QFile file(dataPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(dataFile);
    }
    if (keptBeside)
        QVERIFY(KnowledgeFile::keep(dataPath, dataFile));
    const QStringList before = QDir(dataDir).entryList(QDir::Files);

    Program program(*m_display, dataDir, m_dir->filePath(u"run"_s));
    QVERIFY(awaitWindow(*m_display, m_display->atom("_NET_WM_WINDOW_TYPE_DIALOG")));
    program.terminate();
    if (QTest::currentTestFailed())
        return;
    // Nothing written, nothing made.
    QCOMPARE(QDir(dataDir).entryList(QDir::Files), before);
    QCOMPARE(readAll(dataPath), dataFile);
}

void TestEnding::copiedTextIsHandedToTheClipboardManager_data()
{
    QTest::addColumn<bool>("managerAnswers");
    QTest::newRow("a manager that answers") << true;
    // Qt would wait five seconds for it; the program ends regardless, and promptly.
    QTest::newRow("a manager that never answers") << false;
}

void TestEnding::copiedTextIsHandedToTheClipboardManager()
{
    QFETCH(bool, managerAnswers);
    xcb_connection_t *c = m_display->connection();
    const xcb_atom_t clipboard = m_display->atom("CLIPBOARD");
    const xcb_atom_t manager = m_display->atom("CLIPBOARD_MANAGER");
    const xcb_atom_t saveTargets = m_display->atom("SAVE_TARGETS");
    const xcb_atom_t utf8 = m_display->atom("UTF8_STRING");
    const xcb_atom_t fetched = m_display->atom("MIAOYU_TEST_FETCHED");

    // The stand-in clipboard manager: a window of ours owning the manager's selection.
    const xcb_window_t own = xcb_generate_id(c);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, own, m_display->root(), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    xcb_set_selection_owner(c, own, manager, XCB_CURRENT_TIME);
    xcb_flush(c);

    const QString dataDir = m_dir->filePath(u"data"_s);
    QVERIFY(KnowledgeFile::write(QDir(dataDir).filePath(KnowledgeFile::FileName),
                                 *KnowledgeFile::firstRunBytes(u"zu"_s)));
    Program program(*m_display, dataDir, m_dir->filePath(u"run"_s));
    const std::optional<xcb_window_t> window =
        awaitWindow(*m_display, m_display->atom("_NET_WM_WINDOW_TYPE_NORMAL"));
    QVERIFY(window);

    // Copy the transcript as a user does: focus the window, Shift+Tab from the input box to the
    // transcript, Ctrl+A, Ctrl+C (synthetic key events carry their modifiers).
    const xcb_setup_t *setup = xcb_get_setup(c);
    Reply<xcb_get_keyboard_mapping_reply_t> mapping(
        xcb_get_keyboard_mapping_reply(
            c,
            xcb_get_keyboard_mapping(c, setup->min_keycode,
                                     setup->max_keycode - setup->min_keycode + 1),
            nullptr),
        &std::free);
    QVERIFY(mapping);
    const auto keycodeOf = [&](xcb_keysym_t keysym) -> xcb_keycode_t {
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(mapping.get());
        const int count = xcb_get_keyboard_mapping_keysyms_length(mapping.get());
        for (int i = 0; i < count; ++i) {
            if (syms[i] == keysym)
                return xcb_keycode_t(setup->min_keycode + i / mapping->keysyms_per_keycode);
        }
        return 0;
    };
    const auto press = [&](xcb_keysym_t keysym, uint16_t modifiers) {
        for (const uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
            xcb_key_press_event_t event = {};
            event.response_type = type;
            event.detail = keycodeOf(keysym);
            event.root = m_display->root();
            event.event = *window;
            event.child = XCB_NONE;
            event.state = modifiers;
            event.same_screen = 1;
            event.time = XCB_CURRENT_TIME;
            xcb_send_event(c, 0, *window,
                           type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS
                                                 : XCB_EVENT_MASK_KEY_RELEASE,
                           reinterpret_cast<const char *>(&event));
        }
        xcb_flush(c);
    };
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, *window, XCB_CURRENT_TIME);
    xcb_flush(c);
    const auto clipboardOwner = [&] {
        Reply<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, clipboard), nullptr),
            &std::free);
        return owner ? owner->owner : xcb_window_t(XCB_NONE);
    };
    QElapsedTimer timer;
    timer.start();
    // The keys are sent again until the copy shows: the window may take them before it is ready.
    while (clipboardOwner() == XCB_NONE && timer.elapsed() < Patience) {
        press(0xff09, XCB_MOD_MASK_SHIFT); // Shift+Tab
        press('a', XCB_MOD_MASK_CONTROL);
        press('c', XCB_MOD_MASK_CONTROL);
        QTest::qWait(200);
    }
    QVERIFY2(clipboardOwner() != XCB_NONE, "the copy never reached the clipboard");

    ::kill(pid_t(program.pid()), SIGTERM);
    // As a manager does: asked to save, it fetches the text, then says it is done.
    QString saved;
    bool asked = false;
    timer.restart();
    while (timer.elapsed() < Patience && program.process().state() != QProcess::NotRunning) {
        const auto event = m_display->nextEvent(20);
        program.process().waitForFinished(0);
        if (!event)
            continue;
        const int type = event->response_type & 0x7f;
        if (type == XCB_SELECTION_REQUEST) {
            const auto *request =
                reinterpret_cast<const xcb_selection_request_event_t *>(event.get());
            if (request->selection != manager || request->target != saveTargets)
                continue;
            asked = true;
            if (!managerAnswers)
                continue;
            xcb_convert_selection(c, own, clipboard, utf8, fetched, XCB_CURRENT_TIME);
            xcb_flush(c);
            QElapsedTimer wait;
            wait.start();
            while (wait.elapsed() < Patience && program.process().state() != QProcess::NotRunning) {
                const auto reply = m_display->nextEvent(50);
                if (reply && (reply->response_type & 0x7f) == XCB_SELECTION_NOTIFY)
                    break;
                program.process().waitForFinished(0);
            }
            Reply<xcb_get_property_reply_t> text(
                xcb_get_property_reply(
                    c, xcb_get_property(c, 1, own, fetched, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20),
                    nullptr),
                &std::free);
            if (text) {
                saved =
                    QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(text.get())),
                                      xcb_get_property_value_length(text.get()));
            }
            xcb_selection_notify_event_t done = {};
            done.response_type = XCB_SELECTION_NOTIFY;
            done.time = request->time;
            done.requestor = request->requestor;
            done.selection = request->selection;
            done.target = request->target;
            done.property = request->property;
            xcb_send_event(c, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                           reinterpret_cast<const char *>(&done));
            xcb_flush(c);
        }
    }
    QVERIFY2(asked, "the clipboard manager was never asked to save the clipboard");
    if (managerAnswers)
        QVERIFY2(saved.contains(u"阿木"_s), qPrintable(saved)); // the greeting's header
    QVERIFY(program.process().state() == QProcess::NotRunning ||
            program.process().waitForFinished(EndBound));
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestEnding)
#include "tst_ending.moc"
