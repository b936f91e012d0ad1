#include "knowledge/DataLocation.h"
#include "window/FrmMain.h"

#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("miaoyutong"));
    QApplication::setApplicationDisplayName(QStringLiteral("妙语通"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    const QString dataDirectory =
        DataLocation::choose(QCoreApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (dataDirectory.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("妙语通"),
                              QStringLiteral("找不到可以保存数据文件 Data.ait 的地方:\n"
                                             "程序所在的文件夹和个人数据文件夹都无法写入。"));
        return 1;
    }

    FrmMain window(dataDirectory);
    if (!window.start())
        return 1;
    return app.exec();
}
