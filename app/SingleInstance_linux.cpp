#include <unistd.h>

#include <QByteArray>
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>

#include "app/SingleInstance.h"

namespace kestrovane {

namespace {

// What a later copy sends; anything else on the socket is ignored.
constexpr char kRaiseRequest[] = "KestrovaneDriver:restore-and-raise\n";
constexpr int kConnectTimeoutMs = 1000;

// A socket name per user and caption, of characters safe in a file name.
QString serverNameFor(const std::string& caption) {
  QString name = QStringLiteral("kestrovane-%1-").arg(static_cast<qulonglong>(::getuid()));
  for (const char c : caption) {
    const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '-';
    name += safe ? QChar::fromLatin1(c) : QChar('_');
  }
  return name;
}

}  // namespace

struct SingleInstance::Impl {
  std::string caption;
  QString serverName;
  std::unique_ptr<QLocalServer> server;
  std::function<void()> restoreAndRaise;

  void accept(QLocalSocket* socket) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
      // The request is one short line; wait until it is all there.
      if (!socket->canReadLine()) return;
      const QByteArray line = socket->readLine();
      if (line == kRaiseRequest && restoreAndRaise) restoreAndRaise();
      socket->disconnectFromServer();
    });
  }
};

SingleInstance::SingleInstance(std::string mainWindowCaption) : m_impl(std::make_unique<Impl>()) {
  m_impl->serverName = serverNameFor(mainWindowCaption);
  m_impl->caption = std::move(mainWindowCaption);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::activateRunningCopy() {
  QLocalSocket socket;
  socket.connectToServer(m_impl->serverName);
  // A socket file left by a copy that crashed refuses the connection.
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  socket.write(kRaiseRequest);
  socket.waitForBytesWritten(kConnectTimeoutMs);
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::listen(std::function<void()> restoreAndRaise) {
  m_impl->restoreAndRaise = std::move(restoreAndRaise);
  auto server = std::make_unique<QLocalServer>();
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(m_impl->serverName)) {
    // Nobody answered activateRunningCopy, so a socket file still there was
    // left by a copy that ended without removing it.
    if (server->serverError() != QAbstractSocket::AddressInUseError) return false;
    QLocalServer::removeServer(m_impl->serverName);
    if (!server->listen(m_impl->serverName)) return false;
  }
  Impl* impl = m_impl.get();
  QLocalServer* raw = server.get();
  QObject::connect(raw, &QLocalServer::newConnection, raw, [impl, raw] {
    while (QLocalSocket* socket = raw->nextPendingConnection()) impl->accept(socket);
  });
  m_impl->server = std::move(server);
  return true;
}

std::string SingleInstance::endpoint() const {
  if (m_impl->server) return m_impl->server->fullServerName().toStdString();
  return m_impl->serverName.toStdString();
}

}  // namespace kestrovane
