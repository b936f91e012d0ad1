// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// A chat window in a temporary directory, with every seam answered by the test: the name
// dialog from a script, message boxes recorded, random draws and the clock held fixed.

#include "common/GbkCodec.h"
#include "knowledge/KnowledgeFile.h"
#include "support/Fakes.h"
#include "support/SmallKnowledge.h"
#include "window/FrmMain.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

struct AskedText
{
    QString title;
    QString prompt;
    QString defaultText;
};

struct ShownMessage
{
    QMessageBox::Icon icon;
    QString title;
    QString prompt;
    QMessageBox::StandardButtons buttons;
    QStringList choices = {}; // the captions, for a box of its own buttons
};

class WindowHarness
{
    QTemporaryDir m_dir; // first, so it outlives the window

public:
    QString dataPath() const { return m_dir.filePath(KnowledgeFile::FileName); }

    void writeKnowledge(const QString &text)
    {
        QFile file(dataPath());
        file.open(QIODevice::WriteOnly);
        file.write(*GbkCodec::encode(text));
    }
    QByteArray fileBytes() const
    {
        QFile file(dataPath());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    FrmMain *make()
    {
        FrmMainSeams seams;
        seams.clock = &clock;
        seams.random = &random;
        seams.speaker = &speaker;
        seams.stopRequested = [this] { return stopRequested && stopRequested(); };
        seams.askText = [this](const QString &title, const QString &prompt,
                               const QString &defaultText) -> std::optional<QString> {
            asked.append({title, prompt, defaultText});
            // An exhausted script cancels; tests always end theirs with a usable answer.
            return answers.isEmpty() ? std::nullopt : answers.takeFirst();
        };
        seams.showMessage = [this](QMessageBox::Icon icon, const QString &title,
                                   const QString &prompt, QMessageBox::StandardButtons buttons) {
            shown.append({icon, title, prompt, buttons});
            if (!buttonsPressed.isEmpty())
                return buttonsPressed.takeFirst();
            return buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        };
        seams.showChoice = [this](QMessageBox::Icon icon, const QString &title,
                                  const QString &prompt, const QStringList &captions) {
            shown.append({icon, title, prompt, QMessageBox::NoButton, captions});
            // Unscripted, the first button: the one Esc presses.
            return choicesPressed.isEmpty() ? 0 : int(captions.indexOf(choicesPressed.takeFirst()));
        };
        seams.askSavePath = [this](const QString &title, const QString &suggestedName) {
            askedPaths.append(title + u'|' + suggestedName);
            return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
        };
        seams.writeFault = [this](QByteArray &content) {
            return writeFault ? writeFault(content) : 0;
        };
        if (adjustSeams)
            adjustSeams(seams);
        seams.openUrl = [this](const QUrl &url) { opened.append(url); };
        window = std::make_unique<FrmMain>(m_dir.path(), seams);
        return window.get();
    }

    // Starts a window on a knowledge file made of these entries.
    FrmMain *startWith(const QStringList &entries)
    {
        writeKnowledge(knowledgeText(entries));
        make();
        return startWindow() ? window.get() : nullptr;
    }

    // Starts the window made last and waits for its load: true once it greets, false when the
    // start failed (the window is hidden and the user has been told why).
    bool startWindow() { return window->start() && settle() && window->isVisible(); }

    // Lets the window's long work, and what it leads to, finish; false if it never does.
    [[nodiscard]] bool settle() const
    {
        return QTest::qWaitFor([this] { return !window->busy(); }, 60000);
    }

    template <typename T> T *control(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QString transcript() const { return control<QPlainTextEdit>("TxtTalk")->toPlainText(); }
    QString label(const char *name) const { return control<QLabel>(name)->text(); }
    QTimer *timer(const char *name) const
    {
        return window->findChild<QTimer *>(QString::fromLatin1(name));
    }

    // Types a message and presses Send.
    void send(const QString &text)
    {
        control<QPlainTextEdit>("TxtSend")->setPlainText(text);
        control<QPushButton>("CmdSend")->click();
    }
    // Teaching through the panel, as a user does: "/teach", a commit, "退出调教".
    void enterTeaching()
    {
        send(QStringLiteral("/teach"));
        window->replyTick();
        QVERIFY(settle());
    }
    void commit(const QString &key, const QString &replies)
    {
        control<QLineEdit>("TxtTeach1")->setText(key);
        control<QLineEdit>("TxtTeach2")->setText(replies);
        control<QPushButton>("CmdEdit1")->click();
    }
    void leaveTeaching()
    {
        control<QPushButton>("CmdEdit2")->click();
        QVERIFY(settle());
    }

    ScriptedRandom random;
    FixedClock clock;
    RecordingSpeaker speaker;
    QList<std::optional<QString>> answers;
    // True once the program is to end, as after a termination signal.
    std::function<bool()> stopRequested;
    QList<AskedText> asked;
    QList<ShownMessage> shown;
    // The disk under the window's writes; none writes normally.
    KnowledgeFile::WriteFault writeFault;
    QList<QUrl> opened;
    // Scripted answers: message-box buttons (when none is left, Yes where offered, else Ok),
    // captions of choice boxes, save-dialog paths.
    QList<QMessageBox::StandardButton> buttonsPressed;
    QStringList choicesPressed;
    QStringList savePaths;
    QStringList askedPaths;
    std::function<void(FrmMainSeams &)> adjustSeams;
    std::unique_ptr<FrmMain> window;
};
