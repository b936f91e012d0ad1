// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// One window per data file. Two windows on one Data.ait would each save their own copy of the
// table, and the later save would drop what the other taught; so a second start on the same
// file hands over to the window that has it and ends. The claim is a lock file in the user's
// runtime folder, named after the data file's real path (a crashed window's lock is taken
// over), and the hand-over a local socket beside it.

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

class SingleWindow : public QObject
{
    Q_OBJECT

public:
    enum class Claim
    {
        Ours,       // no other window has the file: go on (also when no lock can be made)
        HandedOver, // the window that has it was asked to come to the front
        Unanswered, // another process holds the file but did not answer
    };

    // runtimeDir is where the lock and the socket live (the user's XDG_RUNTIME_DIR).
    SingleWindow(const QString &dataPath, const QString &runtimeDir, QObject *parent = nullptr);
    ~SingleWindow() override;

    Claim claim();
    // Lets the file go: the next start gets it at once.
    void release();

    // The same file, however it is reached (relative paths, links), gives the same name.
    static QString nameFor(const QString &dataPath);

signals:
    // Another start on the same file asked for the window.
    void raiseRequested();

private:
    void answer();

    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
