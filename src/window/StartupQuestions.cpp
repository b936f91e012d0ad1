// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/StartupQuestions.h"

#include "knowledge/GbkCodec.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

#include <QDir>

namespace StartupQuestions {

namespace {

const QString Cr = QStringLiteral("\r");

} // namespace

std::optional<QString> askUserName(const FrmMainSeams &seams, const QString &robotName)
{
    std::optional<QString> name =
        seams.askText(QStringLiteral("妙语通"),
                      QStringLiteral("您好!我是妙语通,我叫 ") + robotName + Cr + Cr +
                          QStringLiteral("初次见面,请告诉我您的名字:"),
                      {});
    for (;;) {
        while (!name || name->isEmpty()) {
            name = seams.askText(QStringLiteral("Hello"),
                                 QStringLiteral("喂喂,先别着急,我还不知道你的名字呢:"),
                                 QStringLiteral("无名人士"));
        }
        // A name written as "?" would come back wrong on every run, and one holding the
        // section marker would make the file unreadable: ask for another.
        QString bad = GbkCodec::firstUnencodable(*name);
        if (bad.isEmpty() && KnowledgeFormat::holdsMarker(*name))
            bad = QStringLiteral("[AI_Dat]");
        if (bad.isEmpty())
            return name;
        name = seams.askText(
            QStringLiteral("妙语通"),
            QStringLiteral("名字里的“%1”无法保存到数据文件中，请换一种写法：").arg(bad), *name);
    }
}

bool settleEncoding(const FrmMainSeams &seams, const QString &dataPath)
{
    // A file an editor saved as UTF-8 would load as garbled text: say so, and let the user
    // choose between converting it and leaving it alone. Converting keeps the original as a
    // backup, so it is the safe choice and Enter takes it.
    const QString backupPath = KnowledgeFile::freeBackupPath(dataPath);
    const QMessageBox::StandardButton choice = seams.showMessage(
        QMessageBox::Warning, QStringLiteral("妙语通"),
        KnowledgeFile::problemMessage(
            QStringLiteral("数据文件是 UTF-8 编码的，妙语通只能读取 GBK 编码的文件："), dataPath,
            QStringLiteral("选“是”，把它转换成 GBK，原来的文件另存为") + Cr +
                QDir::toNativeSeparators(backupPath) + QStringLiteral("；") + Cr +
                QStringLiteral("选“否”，不改动文件，退出程序。")),
        QMessageBox::Yes | QMessageBox::No);
    if (choice != QMessageBox::Yes)
        return false;
    const Status converted =
        KnowledgeFile::convertUtf8ToGbk(dataPath, backupPath, seams.writeFault);
    if (!converted) {
        seams.showMessage(QMessageBox::Critical, QStringLiteral("妙语通"),
                          KnowledgeFile::problemMessage(QStringLiteral("无法转换数据文件："),
                                                        dataPath, converted.reason(),
                                                        QStringLiteral("文件没有被改动。")),
                          QMessageBox::Ok);
    }
    return bool(converted);
}

void tellAboutKeptWork(const FrmMainSeams &seams, const QString &dataPath)
{
    const QStringList kept = KnowledgeFile::keptBeside(dataPath);
    if (kept.isEmpty())
        return;
    QStringList shown;
    for (const QString &path : kept)
        shown.append(QDir::toNativeSeparators(path));
    seams.showMessage(
        QMessageBox::Information, QStringLiteral("妙语通"),
        QStringLiteral("之前有一次退出时，调教的内容没能写进数据文件 Data.ait，另存在这里：") + Cr +
            shown.join(Cr) + Cr + Cr +
            QStringLiteral("要用它：关掉妙语通，把原来的 Data.ait 改个名字留作备份，"
                           "再把上面的文件改名为 Data.ait，然后重新打开妙语通。") +
            Cr + QStringLiteral("不需要了就把它删掉，这个提示就不会再出现。"),
        QMessageBox::Ok);
}

} // namespace StartupQuestions
