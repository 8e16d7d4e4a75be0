#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

SingleInstance::SingleInstance(const QString &key, QObject *parent) : QObject(parent), key_(key) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::keyFor(const QString &programDir)
{
    const QByteArray user = qgetenv("USER");
    const QByteArray hash = QCryptographicHash::hash((programDir + u'|' + QString::fromLocal8Bit(user)).toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    return QStringLiteral("kindergarten-nutrition-") + QString::fromLatin1(hash);
}

bool SingleInstance::signalRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(500))
        return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen(std::function<void()> onRaise)
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(key_)) {
        // A socket left behind by a program that did not end normally.
        QLocalServer::removeServer(key_);
        if (!server_->listen(key_))
            return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this, onRaise] {
        while (QLocalSocket *s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            if (onRaise)
                onRaise();
        }
    });
    return true;
}
