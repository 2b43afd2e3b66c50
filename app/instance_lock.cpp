#include "app/instance_lock.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr QByteArrayView RaiseRequest = "raise\n";
constexpr QByteArrayView Raised = "ok\n";

// One name per user and folder: copies on other folders run side by side.
QString serverNameFor(const std::string& folder)
{
    const QByteArray hash
        = QCryptographicHash::hash(QByteArray::fromStdString(folder), QCryptographicHash::Sha1);
    return QStringLiteral("brumvelda-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash.toHex().left(16)));
}

bool askToRaise(const QString& serverName)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(500))
        return false;
    socket.write(RaiseRequest.data(), RaiseRequest.size());
    if (!socket.waitForBytesWritten(1000))
        return false;
    QByteArray answer;
    while (answer.size() < Raised.size() && socket.waitForReadyRead(2000))
        answer += socket.readAll();
    return answer.startsWith(Raised);
}

void showAndActivate(QWidget& window)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
    // A dialog open over the window stays in front of it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace

SingleInstance::SingleInstance(const std::string& dataFolder, int& argc, char** argv)
    : m_lock(dataFolder)
    , m_serverName(serverNameFor(dataFolder))
{
    if (m_lock.state() != storage::FolderLock::State::TakenByAnother)
        return; // held, or no lock can be made here: then no copy can write here either
    QCoreApplication handOver(argc, argv);
    // The holder may be a copy still starting (not listening yet) or the table tool writing for a moment.
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (askToRaise(m_serverName)) {
            m_exitStatus = 0;
            return;
        }
        if (m_lock.retry() == storage::FolderLock::State::Held)
            return;
        QThread::msleep(100);
    }
    std::fprintf(stderr, "brumvelda: a játék már fut ebben a mappában (%s), de nem válaszol\n",
                 dataFolder.c_str());
    m_exitStatus = 1;
}

void SingleInstance::raiseOnRequest(QWidget& window)
{
    if (m_lock.state() != storage::FolderLock::State::Held)
        return;
    auto* server = new QLocalServer(&window);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a copy that crashed: the lock is ours, so nobody listens there any more.
    QLocalServer::removeServer(m_serverName);
    if (!server->listen(m_serverName))
        return; // no hand-over then; the lock still keeps a second copy from writing
    QObject::connect(server, &QLocalServer::newConnection, server, [server, &window] {
        while (QLocalSocket* peer = server->nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer, &window] {
                if (!peer->peek(RaiseRequest.size()).startsWith(RaiseRequest))
                    return;
                peer->readAll();
                showAndActivate(window);
                peer->write(Raised.data(), Raised.size());
                peer->flush();
                peer->disconnectFromServer();
            });
        }
    });
}
