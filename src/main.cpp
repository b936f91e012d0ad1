#include "knowledge/DataLocation.h"
#include "window/FrmMain.h"
#include "window/TerminationSignals.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("miaoyutong"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    // The program speaks Chinese whatever the desktop's language: so do Qt's own buttons.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qt_zh_CN"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    const QString dataDirectory =
        DataLocation::choose(QCoreApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (dataDirectory.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("妙语通"),
                              QStringLiteral("找不到可以保存数据文件 Data.ait 的地方:\n"
                                             "程序所在的文件夹和个人数据文件夹都无法写入。"));
        return 1;
    }

    TerminationSignals::quitApplicationOnThem(&app);
    FrmMain window(dataDirectory);
    if (!window.start())
        return 1;
    return app.exec();
}
