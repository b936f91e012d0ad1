// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/SaveFailure.h"

#include "knowledge/KnowledgeFile.h"
#include "window/FrmMainSeams.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace SaveFailure {

QString suggestedFolder(const QString &dataPath)
{
    // Never the folder that just failed; the documents folder may not exist on every desktop.
    const QString failed = QFileInfo(QFileInfo(dataPath).absolutePath()).canonicalFilePath();
    for (const auto location : {QStandardPaths::DocumentsLocation, QStandardPaths::HomeLocation,
                                QStandardPaths::DesktopLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        const QFileInfo info(folder);
        if (!folder.isEmpty() && info.isDir() && info.isWritable() &&
            info.canonicalFilePath() != failed)
            return folder;
    }
    return QDir::tempPath();
}

Decision ask(const FrmMainSeams &seams, const QString &dataPath, const QString &reason,
             bool canSaveElsewhere, bool closing)
{
    const QString stay = QStringLiteral("继续调教(&K)");
    const QString elsewhere = QStringLiteral("另存为(&A)…");
    const QString giveUp = QStringLiteral("放弃修改(&D)");
    QStringList buttons = {stay};
    if (canSaveElsewhere)
        buttons.append(elsewhere);
    buttons.append(giveUp);
    const QString ways =
        closing ? QStringLiteral("调教的内容都还在，没有丢失。\r"
                                 "选“继续调教”：妙语通先不退出，稍后可以再试；\r") +
                      (canSaveElsewhere
                           ? QStringLiteral("选“另存为…”：把调教的内容存到别处，然后退出妙语通；\r")
                           : QString()) +
                      QStringLiteral("选“放弃修改”：不保存，直接退出妙语通。")
                : QStringLiteral("调教的内容都还在，没有丢失。\r"
                                 "选“继续调教”：留在调教模式，稍后再点“退出调教”重试；\r") +
                      (canSaveElsewhere
                           ? QStringLiteral("选“另存为…”：把调教的内容存到别处，然后退出调教；\r")
                           : QString()) +
                      QStringLiteral("选“放弃修改”：不保存，直接退出调教。");
    const QString prompt =
        KnowledgeFile::problemMessage(QStringLiteral("没能保存数据文件："), dataPath, reason, ways);

    for (;;) {
        const QString chosen = buttons.value(
            seams.showChoice(QMessageBox::Warning, QStringLiteral("妙语通"), prompt, buttons));
        if (chosen == elsewhere) {
            const QString path = seams.askSavePath(
                QStringLiteral("另存调教的内容"),
                QDir(suggestedFolder(dataPath)).filePath(KnowledgeFile::FileName));
            if (!path.isEmpty())
                return {Decision::Choice::SaveElsewhere, KnowledgeFile::choose(path)};
        } else if (chosen == giveUp) {
            const QMessageBox::StandardButton sure =
                seams.showMessage(QMessageBox::Question, QStringLiteral("妙语通"),
                                  (closing ? QStringLiteral("确定不保存就退出妙语通吗？")
                                           : QStringLiteral("确定不保存就退出调教吗？")) +
                                      QStringLiteral("\r这次调教的内容将会丢失。"),
                                  QMessageBox::Yes | QMessageBox::No);
            if (sure == QMessageBox::Yes)
                return {Decision::Choice::Discard, {}};
        } else {
            return {Decision::Choice::Stay, {}};
        }
    }
}

void tellSavedElsewhere(const FrmMainSeams &seams, const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    seams.tell(QMessageBox::Information,
               QStringLiteral("调教的内容已经另存到：\r") + shown +
                   QStringLiteral("\r\r数据文件 Data.ait 没有改动。\r\r以后想用另存的内容："
                                  "把这个文件命名为 Data.ait，单独放进一个文件夹，"
                                  "再用命令“miaoyutong --data-dir 文件夹的路径”打开妙语通。"));
}

void tellNotSavedElsewhere(const FrmMainSeams &seams, const QString &path, const QString &reason)
{
    seams.tell(QMessageBox::Warning,
               KnowledgeFile::problemMessage(QStringLiteral("没能另存到："), path, reason,
                                             QStringLiteral("调教的内容还在，可以换个地方再试。")));
}

} // namespace SaveFailure
