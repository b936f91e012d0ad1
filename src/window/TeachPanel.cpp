// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "window/TeachPanel.h"

#include "window/Controls.h"
#include "window/WindowLayout.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

using Controls::makeButton;
using Controls::makeLabel;
using Controls::place;
using Controls::windowFont;

using namespace Qt::StringLiterals;

namespace {

QLineEdit *makeBox(QWidget *panel, const char16_t *name, const QString &accessibleName)
{
    auto *box = new QLineEdit(panel);
    place(box, name);
    box->setAccessibleName(accessibleName);
    box->setFont(windowFont(10.5));
    // Entries and replies of any length: a shorter limit would cut a reply without a word.
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

} // namespace

TeachPanel::TeachPanel(QWidget *parent) : QWidget(parent)
{
    place(this, u"PicTeach");
    setAutoFillBackground(true);
    QPalette panel = palette();
    panel.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    setPalette(panel);
    setAccessibleName(QStringLiteral("调教面板"));
    setEnabled(false);
    hide(); // parked until teaching begins
    // Only the exposed backdrop drags the window, not the panel lying on it.
    setAttribute(Qt::WA_NoMousePropagation);

    m_labTip1 = makeLabel(this, u"LabTip1", QStringLiteral("关键字词："), Qt::black,
                          QStringLiteral("关键字词"));
    m_labTip2 = makeLabel(this, u"LabTip2", QStringLiteral("智能回复："), Qt::black,
                          QStringLiteral("智能回复"));
    m_usage = QStringLiteral("说明：多条回复请用“\\”分隔.");
    m_labTip = makeLabel(this, u"LabTip", m_usage, Qt::black, QStringLiteral("说明"));
    for (QLabel *label : {m_labTip1, m_labTip2}) {
        label->setFont(windowFont(12, true));
        label->adjustSize();
    }
    m_labTip->adjustSize();

    m_keywordBox = makeBox(this, u"TxtTeach1", QStringLiteral("关键字词"));
    m_repliesBox = makeBox(this, u"TxtTeach2", QStringLiteral("智能回复"));
    connect(m_keywordBox, &QLineEdit::textChanged, this, [this] {
        showHint({});
        emit keywordEdited();
    });

    m_commitButton = makeButton(this, u"CmdEdit1", QStringLiteral("保存修改(&O)"));
    m_leaveButton = makeButton(this, u"CmdEdit2", QStringLiteral("退出调教(&C)"));
    m_showListButton = makeButton(this, u"CmdEdit3", QStringLiteral("编辑数据库(&E)"));
    connect(m_commitButton, &QPushButton::clicked, this, &TeachPanel::commitRequested);
    connect(m_leaveButton, &QPushButton::clicked, this, &TeachPanel::leaveRequested);
    connect(m_showListButton, &QPushButton::clicked, this, &TeachPanel::showListRequested);
}

void TeachPanel::setActive(bool active)
{
    move(x(), WindowLayout::pixels(active ? WindowLayout::TeachPanelShownTop
                                          : WindowLayout::TeachPanelParkedTop));
    setEnabled(active);
    // Parked below the window's edge it is out of sight: out of assistive technology's too.
    setVisible(active);
}

void TeachPanel::setActionsEnabled(bool enabled)
{
    for (QPushButton *button : {m_commitButton, m_leaveButton, m_showListButton})
        button->setEnabled(enabled);
}

QString TeachPanel::keyword() const
{
    return m_keywordBox->text();
}

QString TeachPanel::replies() const
{
    return m_repliesBox->text();
}

void TeachPanel::setKeyword(const QString &text)
{
    m_keywordBox->setText(text);
}

void TeachPanel::setReplies(const QString &text)
{
    m_repliesBox->setText(text);
}

void TeachPanel::clearBoxes()
{
    m_keywordBox->clear();
    m_repliesBox->clear();
}

void TeachPanel::showHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    // A long hint is cut to the panel's width; the tooltip and a screen reader get all of it.
    const int room = width() - m_labTip->x() - m_labTip->x() / 4;
    m_labTip->setText(
        hint.isEmpty() ? m_usage : m_labTip->fontMetrics().elidedText(hint, Qt::ElideMiddle, room));
    // A tooltip has no plain-text setting: an escaped text marked as rich shows the key as typed.
    m_labTip->setToolTip(hint.isEmpty() ? QString()
                                        : u"<qt>"_s + hint.toHtmlEscaped() + u"</qt>"_s);
    m_labTip->setAccessibleName(hint);
    m_labTip->adjustSize();
    // A screen reader says it as it appears, as it would a message box's text.
    if (!hint.isEmpty()) {
        QAccessibleEvent alert(m_labTip, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void TeachPanel::focusKeyword()
{
    m_keywordBox->setFocus();
}

void TeachPanel::focusReplies()
{
    m_repliesBox->setFocus();
}

QList<QWidget *> TeachPanel::focusChain() const
{
    return {m_keywordBox, m_repliesBox, m_commitButton, m_leaveButton, m_showListButton};
}

QList<QWidget *> TeachPanel::stackingOrder() const
{
    return {m_labTip1,    m_labTip2,      m_labTip,      m_keywordBox,
            m_repliesBox, m_commitButton, m_leaveButton, m_showListButton};
}
