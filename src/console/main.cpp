// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "BuildInfo.h"
#include "app/CommandLine.h"
#include "console/BatchRun.h"
#include "console/ConsoleChat.h"
#include "console/ConsoleKnowledge.h"
#include "console/ConsoleOptions.h"
#include "console/Interactive.h"
#include "conversation/Randomness.h"
#include "knowledge/DataLocation.h"
#include "voice/QtSpeaker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>
#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

constexpr DataLocation::Placement Placement = MIAOYU_PACKAGED
                                                  ? DataLocation::Placement::PerUserOnly
                                                  : DataLocation::Placement::BesideProgramFirst;

// How the user opens the window on the same knowledge.
QString windowCommand(const ConsoleOptions::Request &request)
{
    if (!request.dataDir)
        return QStringLiteral("miaoyutong");
    return QStringLiteral("miaoyutong --data-dir \"%1\"")
        .arg(QDir::toNativeSeparators(QFileInfo(*request.dataDir).absoluteFilePath()));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The window's name, so that the per-user folder is the window's.
    QCoreApplication::setApplicationName(QStringLiteral("miaoyutong"));
    const QString perUserDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);

    const ConsoleOptions::Request request = ConsoleOptions::read(QCoreApplication::arguments());
    switch (request.action) {
    case ConsoleOptions::Request::Action::Run:
        break;
    case ConsoleOptions::Request::Action::ShowHelp:
        QTextStream(stdout) << ConsoleOptions::helpText(Placement, perUserDir);
        return 0;
    case ConsoleOptions::Request::Action::ShowVersion:
        QTextStream(stdout) << CommandLine::versionText();
        return 0;
    case ConsoleOptions::Request::Action::Refuse:
        QTextStream(stderr) << request.error << '\n';
        return 2;
    }

    const QStringList folders =
        request.dataDir
            ? QStringList{*request.dataDir}
            : DataLocation::lookIn(QCoreApplication::applicationDirPath(), perUserDir, Placement);
    Result<KnowledgeBase> knowledge =
        request.builtInKnowledge ? ConsoleKnowledge::builtIn() : ConsoleKnowledge::read(folders);
    if (!knowledge) {
        QTextStream(stderr) << QStringLiteral("miaoyutong-console：") << knowledge.reason() << '\n';
        return 1;
    }

    std::unique_ptr<RandomSource> random;
    if (request.seed)
        random = std::make_unique<SeededRandom>(*request.seed);
    else
        random = std::make_unique<SystemRandom>();
    std::unique_ptr<Clock> clock;
    if (request.now)
        clock = std::make_unique<StoppedClock>(*request.now);
    else
        clock = std::make_unique<SystemClock>();

    ConsoleChat chat(*std::move(knowledge), *random, *clock, windowCommand(request));
    std::unique_ptr<QtSpeaker> speaker;
    if (request.speak) {
        // The speech library writes to a socket that may close under it.
        std::signal(SIGPIPE, SIG_IGN);
        speaker = std::make_unique<QtSpeaker>();
        chat.speakWith(speaker.get());
    }

    if (!request.batch && isatty(STDIN_FILENO))
        return Interactive::run(chat);
    return BatchRun::run(stdin, stdout, stderr, chat, {request.header, request.allReplies});
}
