// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "BuildInfo.h"
#include "app/CommandLine.h"
#include "app/ProcessPolicy.h"
#include "app/SingleWindow.h"
#include "app/TerminationSignals.h"
#include "knowledge/DataLocation.h"
#include "knowledge/KnowledgeFile.h"
#include "window/FrmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <QTextStream>
#include <QTranslator>

namespace {

constexpr DataLocation::Placement Placement = MIAOYU_PACKAGED
                                                  ? DataLocation::Placement::PerUserOnly
                                                  : DataLocation::Placement::BesideProgramFirst;

// What a command line that does not start the window prints, and the exit code; none when
// the window should start.
std::optional<int> answer(const CommandLine::Request &request, const QString &perUserDir)
{
    using Action = CommandLine::Request::Action;
    switch (request.action) {
    case Action::Run:
        return std::nullopt;
    case Action::ShowHelp:
        QTextStream(stdout) << CommandLine::helpText(Placement, perUserDir);
        return 0;
    case Action::ShowVersion:
        QTextStream(stdout) << CommandLine::versionText();
        return 0;
    case Action::Refuse:
        QTextStream(stderr) << request.error << '\n';
        return 2;
    }
    return 2;
}

// What was copied in the window, with every format made now: the text boxes make theirs only
// when asked, from their document, which needs the application object; the clipboard manager
// asks for them while that object is being destroyed.
void settleClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
        const bool owned =
            mode == QClipboard::Clipboard ? clipboard->ownsClipboard() : clipboard->ownsSelection();
        const QMimeData *copied = owned ? clipboard->mimeData(mode) : nullptr;
        if (!copied)
            continue;
        auto *made = new QMimeData;
        const QStringList formats = copied->formats();
        for (const QString &format : formats)
            made->setData(format, copied->data(format));
        clipboard->setMimeData(made, mode);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    ProcessPolicy::returnLargeBlocks();
    ProcessPolicy::ignoreBrokenPipes();
    // Set before anything asks QStandardPaths, which names the per-user folder after it.
    QCoreApplication::setApplicationName(QStringLiteral("miaoyutong"));
    const QString perUserDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);

    // --help, --version and a bad --data-dir are answered here, before QApplication, which
    // needs a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine::Request early = CommandLine::read(arguments, CommandLine::Unknown::PassOn);
    if (const std::optional<int> code = answer(early, perUserDir))
        return *code;
    QString dataDirectory;
    if (early.dataDir) {
        const QString problem = DataLocation::prepare(*early.dataDir);
        if (!problem.isEmpty()) {
            QTextStream(stderr) << QStringLiteral("miaoyutong：不能用 --data-dir 给出的文件夹：")
                                << problem << '\n';
            return 2;
        }
        dataDirectory = QFileInfo(*early.dataDir).absoluteFilePath();
    }

    // Without any display Qt would abort in English: no window can open, so whatever else the
    // command line holds is answered here, in words.
    const bool platformGiven = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
                               arguments.contains(QStringLiteral("-platform")) ||
                               arguments.contains(QStringLiteral("--platform"));
    if (!platformGiven && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        if (const std::optional<int> code =
                answer(CommandLine::read(arguments, CommandLine::Unknown::Refuse), perUserDir))
            return *code;
        QTextStream(stderr) << QStringLiteral(
                                   "miaoyutong：妙语通要在图形桌面中运行，但这里找不到图形桌面"
                                   "（环境变量 DISPLAY 和 WAYLAND_DISPLAY "
                                   "都没有设置）。请在桌面环境中打开妙语通。")
                            << '\n';
        return 1;
    }

    // Destroyed at the very end, on purpose: see ProcessPolicy::endAfterWindow.
    auto app = std::make_unique<QApplication>(argc, argv);
    // No application display name: Qt would append it to every dialog's title.
    QApplication::setDesktopFileName(QStringLiteral("miaoyutong"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    // QApplication has taken its own options out: anything left that we do not know is a typo.
    if (const std::optional<int> code =
            answer(CommandLine::read(QCoreApplication::arguments(), CommandLine::Unknown::Refuse),
                   perUserDir))
        return *code;

    // The program speaks Chinese whatever the desktop's language: so do Qt's own buttons.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qt_zh_CN"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    if (dataDirectory.isEmpty())
        dataDirectory =
            DataLocation::choose(QCoreApplication::applicationDirPath(), perUserDir, Placement);
    if (dataDirectory.isEmpty()) {
        const QString where = Placement == DataLocation::Placement::PerUserOnly
                                  ? QStringLiteral("个人数据文件夹 %1 无法写入。")
                                        .arg(QDir::toNativeSeparators(perUserDir))
                                  : QStringLiteral("程序所在的文件夹和个人数据文件夹都无法写入。");
        QMessageBox::critical(nullptr, QStringLiteral("妙语通"),
                              QStringLiteral("找不到可以保存数据文件 Data.ait 的地方：\n") + where);
        return 1;
    }

    const QString dataPath = QDir(dataDirectory).filePath(KnowledgeFile::FileName);
    SingleWindow single(
        dataPath, SingleWindow::lockFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), perUserDir));
    switch (single.claim()) {
    case SingleWindow::Claim::Ours:
        break;
    case SingleWindow::Claim::HandedOver:
        return 0;
    case SingleWindow::Claim::Unanswered:
        QMessageBox::warning(
            nullptr, QStringLiteral("妙语通"),
            QStringLiteral("另一个妙语通正在使用数据文件：\n%1\n\n但它没有回应。"
                           "请先关闭那个妙语通（如果关不掉，可以在系统监视器里结束它），"
                           "然后再打开妙语通。")
                .arg(QDir::toNativeSeparators(dataPath)));
        return 1;
    }

    TerminationSignals::quitApplicationOnThem(app.get());
    int code = 0;
    {
        FrmMainSeams seams;
        seams.stopRequested = TerminationSignals::received;
        seams.keepFolders = {perUserDir, QDir::homePath()};
        FrmMain window(dataDirectory, std::move(seams));
        QObject::connect(&single, &SingleWindow::raiseRequested, &window, &FrmMain::bringToFront);
        // The next start may have the file as soon as this window is gone.
        QObject::connect(&window, &FrmMain::closed, &single, &SingleWindow::release);
        // A load that fails ends the program once the user has been told; it runs inside exec().
        QObject::connect(&window, &FrmMain::startFailed, app.get(),
                         [] { QCoreApplication::exit(1); });
        // Not started (no name given before a termination signal, or no file could be made):
        // the program still ends the one way, after the work the window began at once (care's
        // words are compiled on the work pool meanwhile).
        if (!window.start()) {
            code = TerminationSignals::received() ? 0 : 1;
        } else {
            code = QApplication::exec();
            single.release();
            settleClipboard();
            // The speech engine can take seconds to let go: it is left running, and the
            // process ends around it. Where the process ends through exit() (the sanitizer
            // builds), its thread is asked to stop and waited for a bounded time instead.
            if (!ProcessPolicy::endsThroughExit())
                window.leaveVoiceBehind();
        }
    } // the window stops a load still running; a save runs to its end
    ProcessPolicy::endAfterWindow(std::move(app), code);
}
