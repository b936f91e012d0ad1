// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// The robot's voice against a private speech-dispatcher with a null sound device: which voice is
// chosen (read back from the daemon's protocol log), that a missing daemon never blocks the
// caller, and that the engine is released as the application ends. The order of lines and a
// wedged engine are tested without any daemon in tst_voicethread.

#include "app/ProcessPolicy.h"
#include "support/FakeSpeechEngine.h"
#include "voice/QtSpeaker.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTextToSpeech>
#include <QTimer>

#include <csignal>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The engine starts in about 1.5 s, but beside a build it took more than 15 s: this bound is
// only against a hang, well inside the test's own time limit.
constexpr int EngineTimeoutMs = 80000;
constexpr int AtOnceMs = 1000; // correctness bounds, not speed goals
constexpr int BoundedExitMs = 5000;
constexpr auto SpeakThenQuit = "--speak-then-quit";
const auto LastLine = u"再见了"_s;

QString readProtocol(const QString &path)
{
    QFile log(path);
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

// One speech-dispatcher for one test, found by the client through the environment. The
// client reads the environment when the engine starts, so this must exist before the speaker.
class PrivateSpeechDaemon
{
public:
    explicit PrivateSpeechDaemon(const QString &audioOutput)
        : m_dir(QDir::tempPath() + u"/tst_speaker-XXXXXX"_s)
    {
        const QString root = m_dir.path();
        const QDir dir(root);
        dir.mkdir(u"run"_s,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        dir.mkpath(u"config/speech-dispatcher"_s);
        dir.mkpath(u"log"_s);
        QFile conf(root + u"/config/speech-dispatcher/speechd.conf"_s);
        if (conf.open(QIODevice::WriteOnly)) {
            conf.write(
                QStringLiteral("LogLevel 3\n"
                               "LogDir \"%1/log\"\n"
                               "CustomLogFile \"protocol\" \"%1/log/protocol.log\"\n"
                               "Timeout 3\n"
                               "AudioOutputMethod \"%2\"\n"
                               "AudioALSADevice \"null\"\n"
                               "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\n"
                               "DefaultModule espeak-ng\n")
                    .arg(root, audioOutput)
                    .toUtf8());
        }
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + u"/run"_s));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + u"/config"_s));
        // Must name the socket under XDG_RUNTIME_DIR exactly, or the daemon will not start.
        qputenv("SPEECHD_ADDRESS",
                "unix_socket:" +
                    QFile::encodeName(root + u"/run/speech-dispatcher/speechd.sock"_s));
        qunsetenv("SPEECHD_CMD");
        qunsetenv("PULSE_SERVER");
    }

    ~PrivateSpeechDaemon()
    {
        QFile pidFile(m_dir.path() + u"/run/speech-dispatcher/pid/speech-dispatcher.pid"_s);
        if (!pidFile.open(QIODevice::ReadOnly))
            return;
        const pid_t pid = pidFile.readAll().trimmed().toInt();
        if (pid <= 0)
            return;
        ::kill(pid, SIGTERM);
        // A hung daemon ignores SIGTERM.
        const QDeadlineTimer deadline(1000);
        while (isRunning(pid) && !deadline.hasExpired())
            QTest::qWait(20);
        if (isRunning(pid))
            ::kill(pid, SIGKILL);
    }

    // Unix socket paths have room for about a hundred bytes.
    bool isValid() const { return m_dir.isValid() && m_dir.path().size() < 60; }

    QString protocolPath() const { return m_dir.path() + u"/log/protocol.log"_s; }
    QString protocol() const { return readProtocol(protocolPath()); }

    // What the client sent, one entry per command or line of text, in order.
    QStringList commands() const
    {
        static const QRegularExpression data(u":DATA:\\|([^\r\n]*)"_s);
        QStringList result;
        for (const QRegularExpressionMatch &match : data.globalMatch(protocol()))
            result << match.captured(1);
        return result;
    }

private:
    // The daemon is not our child; once gone it is absent or a zombie.
    static bool isRunning(pid_t pid)
    {
        QFile stat(u"/proc/%1/stat"_s.arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray fields = stat.readAll();
        const qsizetype afterName = fields.lastIndexOf(')');
        return afterName >= 0 && fields.mid(afterName + 2, 1) != "Z";
    }

    QTemporaryDir m_dir;
};

} // namespace

class TestSpeaker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choosesMandarinVoice();
    void releasesEngineWhenApplicationEnds();
    void neverBlocksWhenSpeechFails();
};

void TestSpeaker::initTestCase()
{
    ProcessPolicy::ignoreBrokenPipes(); // as the program does
    if (QStandardPaths::findExecutable(u"speech-dispatcher"_s).isEmpty() ||
        !QTextToSpeech::availableEngines().contains(u"speechd"_s))
        QSKIP("needs speech-dispatcher and Qt's speechd plug-in");
}

void TestSpeaker::choosesMandarinVoice()
{
    PrivateSpeechDaemon daemon(u"alsa"_s);
    QVERIFY(daemon.isValid());
    QtSpeaker speaker;
    QSignalSpy ready(&speaker, &QtSpeaker::ready);
    QVERIFY(ready.wait(EngineTimeoutMs));
    const QString voice = ready.at(0).at(0).toString();

    // The daemon's voice lists show what espeak-ng offers here.
    const QString protocol = daemon.protocol();
    if (protocol.contains(u"Chinese (Mandarin, latin as Pinyin)"_s))
        QCOMPARE(voice, u"Chinese (Mandarin, latin as Pinyin)"_s);
    else if (protocol.contains(u"Mandarin"_s))
        QVERIFY2(voice.contains(u"Mandarin"_s), qPrintable(voice));
    else
        QSKIP("espeak-ng offers no Mandarin voice here");

    // Set last, after the walk through the locales, so it is the voice lines are spoken in.
    const QStringList setVoice = daemon.commands().filter(u"SET SELF SYNTHESIS_VOICE"_s);
    QVERIFY(!setVoice.isEmpty());
    QCOMPARE(setVoice.last(), u"SET SELF SYNTHESIS_VOICE "_s + voice);
}

void TestSpeaker::releasesEngineWhenApplicationEnds()
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QLatin1StringView(SpeakThenQuit)});
    QVERIFY(child.waitForFinished(EngineTimeoutMs));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    // The last line was spoken, and the engine released after it, as the application went.
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(),
             u"start|stop|say "_s + LastLine + u"|released"_s);
}

void TestSpeaker::neverBlocksWhenSpeechFails()
{
    // As if speech-dispatcher were not installed: the engine exists but cannot connect.
    PrivateSpeechDaemon daemon(u"alsa"_s);
    QVERIFY(daemon.isValid());
    qputenv("SPEECHD_CMD", "/nonexistent");

    QElapsedTimer timer;
    timer.start();
    auto speaker = std::make_unique<QtSpeaker>();
    QVERIFY2(timer.elapsed() < AtOnceMs, "construction waited for the engine");
    QSignalSpy ready(speaker.get(), &QtSpeaker::ready);
    QVERIFY(ready.wait(EngineTimeoutMs));
    QCOMPARE(ready.at(0).at(0).toString(), QString()); // no voice without a daemon

    timer.restart();
    for (int i = 0; i < 5; ++i)
        speaker->say(u"还在说话 %1"_s.arg(i));
    QVERIFY2(timer.elapsed() < AtOnceMs, "say() waited for the engine");
    timer.restart();
    speaker.reset();
    QVERIFY2(timer.elapsed() < BoundedExitMs, "destruction waited for the engine");
    qunsetenv("SPEECHD_CMD");
}

// The child of releasesEngineWhenApplicationEnds: the speaker belongs to the application object,
// so it is destroyed while that is torn down, when queued calls are no longer delivered. Prints
// what its engine was asked, once all is gone.
static int speakThenQuit(int argc, char *argv[])
{
    auto log = std::make_shared<SpeechLog>();
    {
        QCoreApplication app(argc, argv);
        auto *speaker = new QtSpeaker(&app, FakeSpeechEngine::factory(log));
        QObject::connect(speaker, &QtSpeaker::ready, &app, [&] { speaker->say(LastLine); });
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &app, [&] {
            if (log->calls().contains(u"say "_s + LastLine))
                app.quit();
        });
        poll.start(20);
        if (app.exec() != 0)
            return 1;
    }
    QTextStream(stdout) << log->calls().join(u'|') << '\n';
    return 0;
}

int main(int argc, char *argv[])
{
    if (argc == 2 && qstrcmp(argv[1], SpeakThenQuit) == 0)
        return speakThenQuit(argc, argv);
    QCoreApplication app(argc, argv);
    TestSpeaker test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_speaker.moc"
