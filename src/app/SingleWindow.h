// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#pragma once
// One window per data file. Two windows on one Data.ait would each save their own copy of the
// table, and the later save would drop what the other taught; so a second start on the same
// file hands over to the window that has it and ends.
//
// The claim is a kernel lock (fcntl, per open file description) on small files in the user's
// lock folder, one named after the data file's real path and one after its identity (device and
// inode), so a hard link or a bind mount meets the window as surely as a symbolic link does, and
// a save that replaces the file (a new inode) still meets it by path. The kernel lets a lock go
// when its holder dies, so whatever a crash or a power cut left in the files means nothing. The
// hand-over is a local socket beside each lock.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>

class QLocalServer;

class SingleWindow : public QObject
{
    Q_OBJECT

public:
    enum class Claim
    {
        Ours,       // no other window has the file: go on (also when no lock can be made)
        HandedOver, // the window that has it was asked to come to the front
        Unanswered, // another process holds the file but did not answer in time
    };

    // A window that was started moments before may not answer yet; this is how long a second
    // start waits for it before saying it does not answer.
    static constexpr std::chrono::milliseconds StartingWait{8000};

    // lockFolder is where the locks and the sockets live (see lockFolder()).
    SingleWindow(const QString &dataPath, const QString &lockFolder, QObject *parent = nullptr);
    ~SingleWindow() override;

    Claim claim(std::chrono::milliseconds patience = StartingWait);
    // Lets the file go: the next start gets it at once.
    void release();

    // The names this file is claimed under, however it is reached: its real path, and its
    // identity while it exists. Two paths lead to one file when their names share one.
    static QStringList namesFor(const QString &dataPath);
    // The user's runtime folder when it is a usable one (absolute, a folder of the user's own
    // that is not a link), else perUserFolder, created private if need be; never the current
    // folder, where a lock would protect nothing.
    static QString lockFolder(const QString &runtimeFolder, const QString &perUserFolder);

signals:
    // Another start on the same file asked for the window.
    void raiseRequested();

private:
    enum class Lock
    {
        Taken,
        Busy,
        Impossible, // no folder, a file that is not the user's own, a file system without locks
    };
    struct Held
    {
        int fd = -1;
        QString socketPath;
        QLocalServer *server = nullptr;
    };
    Lock lock(const QString &name);
    bool askToRaise(const QString &name, std::chrono::milliseconds within) const;
    void listen(Held &held);
    void answer(QLocalServer *server);

    QString m_dataPath;
    QString m_folder;
    QList<Held> m_held;
};
