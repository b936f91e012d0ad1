// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "app/SingleWindow.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray Raise = QByteArrayLiteral("raise\n");
const QByteArray Raised = QByteArrayLiteral("ok\n");
// How often a second start looks again while the first is still starting.
constexpr unsigned long RetryMs = 50;

QString nameOf(const QByteArray &what)
{
    const QByteArray hash = QCryptographicHash::hash(what, QCryptographicHash::Sha256);
    return QStringLiteral("miaoyutong-") + QString::fromLatin1(hash.toHex().left(24));
}

bool isOwnFolder(const QString &folder)
{
    struct stat status = {};
    return !folder.isEmpty() && QDir::isAbsolutePath(folder) &&
           ::lstat(QFile::encodeName(folder).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == ::geteuid();
}

int msecsLeft(const QDeadlineTimer &deadline)
{
    return int(qMax<qint64>(0, deadline.remainingTime()));
}

} // namespace

SingleWindow::SingleWindow(const QString &dataPath, const QString &lockFolder, QObject *parent)
    : QObject(parent), m_dataPath(dataPath), m_folder(lockFolder)
{
}

SingleWindow::~SingleWindow()
{
    release();
}

QStringList SingleWindow::namesFor(const QString &dataPath)
{
    const QFileInfo file(dataPath);
    QString real = file.canonicalFilePath();
    if (real.isEmpty()) // not created yet: its folder is real
        real = QDir(QFileInfo(file.absolutePath()).canonicalFilePath()).filePath(file.fileName());
    QStringList names = {nameOf(real.toUtf8())};
    struct stat status = {};
    if (::stat(QFile::encodeName(dataPath).constData(), &status) == 0 && S_ISREG(status.st_mode))
        names << nameOf(QByteArrayLiteral("inode:") + QByteArray::number(quint64(status.st_dev)) +
                        ':' + QByteArray::number(quint64(status.st_ino)));
    // Every start tries the names in one order, so two starts at once meet on the first.
    names.sort();
    return names;
}

QString SingleWindow::lockFolder(const QString &runtimeFolder, const QString &perUserFolder)
{
    if (isOwnFolder(runtimeFolder))
        return runtimeFolder;
    if (!perUserFolder.isEmpty() && QDir::isAbsolutePath(perUserFolder) &&
        !QFileInfo::exists(perUserFolder)) {
        QDir().mkpath(QFileInfo(perUserFolder).absolutePath());
        ::mkdir(QFile::encodeName(perUserFolder).constData(), 0700);
    }
    return isOwnFolder(perUserFolder) ? perUserFolder : QString();
}

SingleWindow::Lock SingleWindow::lock(const QString &name)
{
    const QString base = QDir(m_folder).filePath(name);
    // Never through a link, and only a file of the user's own: a lock file someone else made
    // could be held against us for good.
    const int fd = ::open(QFile::encodeName(base + QStringLiteral(".lock")).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return Lock::Impossible;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        ::close(fd);
        return Lock::Impossible;
    }
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &whole) == 0) {
        m_held.append({fd, base + QStringLiteral(".socket"), nullptr});
        return Lock::Taken;
    }
    const int error = errno;
    ::close(fd);
    return error == EAGAIN || error == EACCES ? Lock::Busy : Lock::Impossible;
}

SingleWindow::Claim SingleWindow::claim(std::chrono::milliseconds patience)
{
    // No folder for locks: a lock cannot protect anything, and the program must still start.
    if (m_folder.isEmpty())
        return Claim::Ours;
    const QDeadlineTimer deadline(patience);
    for (;;) {
        // Asked again each time: the first window may have just created the file.
        QString busy;
        for (const QString &name : namesFor(m_dataPath)) {
            if (lock(name) == Lock::Busy) {
                busy = name;
                break;
            }
        }
        if (busy.isEmpty()) {
            for (Held &held : m_held)
                listen(held);
            return Claim::Ours;
        }
        release();
        // The holder may be starting still: not listening yet, or not yet answering.
        if (askToRaise(busy, std::chrono::milliseconds(msecsLeft(deadline))))
            return Claim::HandedOver;
        if (deadline.hasExpired())
            return Claim::Unanswered;
        QThread::msleep(RetryMs);
    }
}

bool SingleWindow::askToRaise(const QString &name, std::chrono::milliseconds within) const
{
    const QDeadlineTimer deadline(within);
    QLocalSocket socket;
    socket.connectToServer(QDir(m_folder).filePath(name) + QStringLiteral(".socket"));
    if (!socket.waitForConnected(msecsLeft(deadline)))
        return false;
    socket.write(Raise);
    if (!socket.waitForBytesWritten(msecsLeft(deadline)))
        return false;
    while (socket.bytesAvailable() < Raised.size()) {
        if (!socket.waitForReadyRead(msecsLeft(deadline)))
            return false;
    }
    return socket.readAll() == Raised;
}

void SingleWindow::listen(Held &held)
{
    // A socket left by a crashed window would refuse to listen; the lock says it is not in use.
    QLocalServer::removeServer(held.socketPath);
    held.server = new QLocalServer(this);
    held.server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer *server = held.server;
    connect(server, &QLocalServer::newConnection, this, [this, server] { answer(server); });
    held.server->listen(held.socketPath);
}

void SingleWindow::answer(QLocalServer *server)
{
    while (QLocalSocket *caller = server->nextPendingConnection()) {
        connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
        connect(caller, &QLocalSocket::readyRead, this, [this, caller] {
            if (caller->bytesAvailable() < Raise.size())
                return;
            if (caller->read(Raise.size()) == Raise) {
                emit raiseRequested();
                caller->write(Raised);
            }
            caller->disconnectFromServer();
        });
    }
}

void SingleWindow::release()
{
    for (Held &held : m_held) {
        if (held.server) {
            held.server->close();
            delete held.server;
        }
        // Closing the last descriptor of the open file lets the kernel's lock go. The file
        // stays: removing it could let two starts lock two different files of one name.
        ::close(held.fd);
    }
    m_held.clear();
}
