// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/SaveFailure.h"

#include "knowledge/KnowledgeFile.h"
#include "window/FrmMainSeams.h"

#include <QDir>

namespace SaveFailure {

Decision ask(const FrmMainSeams &seams, const QString &dataPath, const QString &reason,
             bool canSaveElsewhere)
{
    const QString stay = QStringLiteral("确定");
    const QString elsewhere = QStringLiteral("另存为…");
    const QString giveUp = QStringLiteral("不保存退出");
    QStringList buttons = {stay};
    if (canSaveElsewhere)
        buttons.append(elsewhere);
    buttons.append(giveUp);
    const QString prompt = KnowledgeFile::problemMessage(
        QStringLiteral("保存失败,调教的内容还在,可以稍后再试:"), dataPath, reason);

    for (;;) {
        const QString chosen = buttons.value(
            seams.showChoice(QMessageBox::Warning, QStringLiteral("ERR"), prompt, buttons));
        if (chosen == elsewhere) {
            const QString path =
                seams.askSavePath(QStringLiteral("调教的内容另存为"), KnowledgeFile::FileName);
            if (!path.isEmpty())
                return {Decision::Choice::SaveElsewhere, path};
        } else if (chosen == giveUp) {
            const QMessageBox::StandardButton sure = seams.showMessage(
                QMessageBox::Question, QStringLiteral("妙语通"),
                QStringLiteral("确定不保存就退出调教吗?\r这次调教的内容将会丢失。"),
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
    seams.showMessage(QMessageBox::Information, QStringLiteral("妙语通"),
                      QStringLiteral("调教的内容已另存到:\r") + QDir::toNativeSeparators(path) +
                          QStringLiteral("\r\r数据文件 Data.ait 没有改动。"),
                      QMessageBox::Ok);
}

void tellNotSavedElsewhere(const FrmMainSeams &seams, const QString &path, const QString &reason)
{
    seams.showMessage(QMessageBox::Warning, QStringLiteral("ERR"),
                      KnowledgeFile::problemMessage(QStringLiteral("另存失败:"), path, reason,
                                                    QStringLiteral("调教的内容还在。")),
                      QMessageBox::Ok);
}

} // namespace SaveFailure
