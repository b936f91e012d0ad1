// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
#include "app/SingleWindow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace {

const QByteArray Raise = QByteArrayLiteral("raise\n");
const QByteArray Raised = QByteArrayLiteral("ok\n");
// The running window answers from its event loop; a second is far more than it needs, and
// short enough that a start on a hung window does not seem to hang too.
constexpr int AnswerWaitMs = 1000;

} // namespace

SingleWindow::SingleWindow(const QString &dataPath, const QString &runtimeDir, QObject *parent)
    : QObject(parent)
{
    const QString base = QDir(runtimeDir).filePath(nameFor(dataPath));
    m_socketPath = base + QStringLiteral(".socket");
    m_lock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    // Held for as long as the window is open; a crashed holder's lock is seen by its process id.
    m_lock->setStaleLockTime(0);
}

SingleWindow::~SingleWindow()
{
    release();
}

QString SingleWindow::nameFor(const QString &dataPath)
{
    const QFileInfo file(dataPath);
    QString real = file.canonicalFilePath();
    if (real.isEmpty()) // not created yet: its folder is real
        real = QDir(QFileInfo(file.absolutePath()).canonicalFilePath()).filePath(file.fileName());
    const QByteArray hash = QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("miaoyutong-") + QString::fromLatin1(hash.toHex().left(24));
}

SingleWindow::Claim SingleWindow::claim()
{
    if (m_lock->tryLock(0)) {
        // A socket left by a crashed window would refuse to listen.
        QLocalServer::removeServer(m_socketPath);
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleWindow::answer);
        m_server->listen(m_socketPath);
        return Claim::Ours;
    }
    // No runtime folder or no right to write there: a lock cannot protect anything, and the
    // program must still start.
    if (m_lock->error() != QLockFile::LockFailedError)
        return Claim::Ours;

    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(AnswerWaitMs))
        return Claim::Unanswered;
    socket.write(Raise);
    if (!socket.waitForBytesWritten(AnswerWaitMs))
        return Claim::Unanswered;
    while (socket.bytesAvailable() < Raised.size()) {
        if (!socket.waitForReadyRead(AnswerWaitMs))
            return Claim::Unanswered;
    }
    return socket.readAll() == Raised ? Claim::HandedOver : Claim::Unanswered;
}

void SingleWindow::answer()
{
    while (QLocalSocket *caller = m_server->nextPendingConnection()) {
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
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    if (m_lock->isLocked())
        m_lock->unlock();
}
