// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>
#include <QStandardPaths>

namespace Dialogs {

std::optional<QString> askText(const QString &title, const QString &prompt,
                               const QString &defaultText)
{
    bool ok = false;
    QString answer = QInputDialog::getText(nullptr, title, QString(prompt).replace(u'\r', u'\n'),
                                           QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QMessageBox::StandardButton showMessage(QMessageBox::Icon icon, const QString &title,
                                        const QString &prompt, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, QString(prompt).replace(u'\r', u'\n'), buttons,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText); // prompts quote keys, names and paths
    // In Chinese whether or not Qt's translation is installed.
    const std::pair<QMessageBox::StandardButton, const char16_t *> captions[] = {
        {QMessageBox::Ok, u"确定"},
        {QMessageBox::Yes, u"是(&Y)"},
        {QMessageBox::No, u"否(&N)"},
        {QMessageBox::Save, u"保存(&S)"},
        {QMessageBox::Discard, u"不保存(&D)"},
        {QMessageBox::Cancel, u"取消"}};
    for (const auto &[button, caption] : captions) {
        if (QAbstractButton *shown = box.button(button))
            shown->setText(QString::fromUtf16(caption));
    }
    // A question whose "yes" gives something up waits for a deliberate click: Enter says no.
    if (icon == QMessageBox::Question && buttons.testFlag(QMessageBox::No))
        box.setDefaultButton(QMessageBox::No);
    return QMessageBox::StandardButton(box.exec());
}

int showChoice(QMessageBox::Icon icon, const QString &title, const QString &prompt,
               const QStringList &buttons)
{
    QMessageBox box(icon, title, QString(prompt).replace(u'\r', u'\n'), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    QList<QPushButton *> added;
    for (const QString &caption : buttons)
        added.append(box.addButton(caption, QMessageBox::AcceptRole));
    if (!added.isEmpty()) {
        box.setDefaultButton(added.first());
        box.setEscapeButton(added.first());
    }
    box.exec();
    return int(added.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
}

QString askSavePath(const QString &title, const QString &suggestedPath)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggestedPath,
                                        QStringLiteral("数据文件 (*.ait);;所有文件 (*)"));
}

} // namespace Dialogs
