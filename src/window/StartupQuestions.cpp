// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/StartupQuestions.h"

#include "common/GbkCodec.h"
#include "common/TextRules.h"
#include "knowledge/CheckedReplace.h"
#include "knowledge/KnowledgeBase.h"
#include "knowledge/KnowledgeFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

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
        // Every question asked once the program is ending closes at once, unanswered: asking
        // again would only spin.
        if (seams.stopRequested())
            return std::nullopt;
        if (!name || name->isEmpty()) {
            name = seams.askText(QStringLiteral("Hello"),
                                 QStringLiteral("喂喂,先别着急,我还不知道你的名字呢:"),
                                 QStringLiteral("无名人士"));
            continue;
        }
        // A name written as "?" would come back wrong on every run, and one holding the
        // section marker would make the file unreadable: ask for another.
        QString bad = GbkCodec::firstUnencodable(*name);
        if (bad.isEmpty() && KnowledgeFormat::holdsMarker(*name))
            bad = QStringLiteral("[AI_Dat]");
        if (bad.isEmpty())
            return name;
        name = seams.askText(QStringLiteral("妙语通"),
                             QStringLiteral("名字里的“%1”无法保存到数据文件中，请换一种写法：")
                                 .arg(TextRules::shown(bad)),
                             *name);
    }
}

bool seedKnowledgeFile(const FrmMainSeams &seams, const QString &dataPath, const QString &robotName)
{
    const std::optional<QString> name = askUserName(seams, robotName);
    if (!name)
        return false; // told to end: nothing is written
    // Made anew only: a file or a link that took the name meanwhile is someone's and stays.
    const Status written = CheckedReplace::create(dataPath, *KnowledgeFile::firstRunBytes(*name),
                                                  {}, seams.writeFault);
    if (!written)
        tellNotCreated(seams, dataPath, written.reason());
    return bool(written);
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
            QStringLiteral("数据文件是 UTF-8 编码的："), dataPath,
            QStringLiteral("妙语通只能读取 GBK 编码的数据文件。") + Cr +
                QStringLiteral("选“是”：把它转换成 GBK 编码，原来的文件会备份到") + Cr +
                QDir::toNativeSeparators(backupPath) + Cr +
                QStringLiteral("选“否”：不改动文件，退出妙语通。")),
        QMessageBox::Yes | QMessageBox::No);
    if (choice != QMessageBox::Yes)
        return false;
    const Status converted =
        KnowledgeFile::convertUtf8ToGbk(dataPath, backupPath, seams.writeFault);
    if (!converted) {
        seams.tell(QMessageBox::Critical,
                   KnowledgeFile::problemMessage(
                       QStringLiteral("无法转换数据文件："), dataPath, converted.reason(),
                       QStringLiteral("数据文件没有改动，妙语通将会退出。")));
    }
    return bool(converted);
}

void tellNotCreated(const FrmMainSeams &seams, const QString &dataPath, const QString &reason)
{
    seams.tell(QMessageBox::Critical, KnowledgeFile::problemMessage(
                                          QStringLiteral("无法创建数据文件："), dataPath, reason));
}

void tellNotRead(const FrmMainSeams &seams, const QString &dataPath, const QString &reason)
{
    seams.tell(
        QMessageBox::Critical,
        KnowledgeFile::problemMessage(QStringLiteral("无法读取数据文件："), dataPath, reason,
                                      QStringLiteral("妙语通没有改动它。请先解决上面的问题，再打开"
                                                     "妙语通；如果想从头开始，可以把它移到别处留作"
                                                     "备份，妙语通会新建一个数据文件。")));
}

void tellAboutKeptWork(const FrmMainSeams &seams, const QString &dataPath)
{
    const QStringList kept = KnowledgeFile::keptFiles(dataPath, seams.keepFolders);
    if (kept.isEmpty())
        return;
    // A notice that fits any screen: the newest few, and how many more there are.
    constexpr qsizetype Listed = 5;
    QStringList shown;
    for (const QString &path : kept.last(std::min(Listed, kept.size())))
        shown.append(QDir::toNativeSeparators(path));
    if (kept.size() > Listed) {
        shown.append(QStringLiteral("（另外还有 %1 个较早的文件，在同样的文件夹里，"
                                    "名字也以“%2.未保存-”开头。）")
                         .arg(kept.size() - Listed)
                         .arg(QFileInfo(dataPath).fileName()));
    }
    seams.tell(
        QMessageBox::Information,
        QStringLiteral("之前有妙语通来不及询问就被关闭了（例如关机或注销时），"
                       "当时调教的内容没能保存到数据文件 Data.ait，已经先保存在这里：") +
            Cr + shown.join(Cr) + Cr + Cr +
            QStringLiteral("想用这些内容的话：先关闭妙语通，把现在的 Data.ait 改个名字留作备份，"
                           "再把上面的文件改名为 Data.ait 放回原来的文件夹，"
                           "然后重新打开妙语通。") +
            Cr + QStringLiteral("不需要的话，删掉上面的文件就行，这个提示就不会再出现。"));
}

} // namespace StartupQuestions
