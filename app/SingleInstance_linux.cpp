#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <cerrno>

#include "app/SingleInstance.h"

namespace kestrovane {

namespace {

// What a later copy sends; anything else on the socket is ignored.
constexpr char kRaiseRequest[] = "KestrovaneDriver:restore-and-raise\n";
constexpr int kConnectTimeoutMs = 1000;

// A name per user and caption, of characters safe in a file name.
QString nameFor(const std::string& caption) {
  QString name = QStringLiteral("kestrovane-%1-").arg(static_cast<qulonglong>(::getuid()));
  for (const char c : caption) {
    const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '-';
    name += safe ? QChar::fromLatin1(c) : QChar('_');
  }
  return name;
}

// The lock file: in the user's runtime folder, else in the temporary folder.
QString lockPathFor(const std::string& caption) {
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::tempPath();
  return QDir(folder).filePath(nameFor(caption) + QStringLiteral(".lock"));
}

}  // namespace

struct SingleInstance::Impl {
  Impl(std::string mainWindowCaption, Clock& c)
      : caption(std::move(mainWindowCaption)),
        clock(c),
        serverName(nameFor(caption)),
        lockPath(lockPathFor(caption)) {}

  std::string caption;
  Clock& clock;
  QString serverName;
  QString lockPath;
  int lockFd = -1;  // holds the exclusive lock while this copy runs
  std::unique_ptr<QLocalServer> server;
  std::function<void()> restoreAndRaise;

  enum class Claim { Taken, HeldByAnother, Unavailable };

  // Takes the exclusive lock on the lock file; the kernel drops it when this
  // copy ends, however it ends, so a crashed copy leaves no claim behind.
  Claim takeClaim() {
    if (lockFd >= 0) return Claim::Taken;
    int fd;
    do {
      fd = ::open(QFile::encodeName(lockPath).constData(),
                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Claim::Unavailable;
    int locked;
    do {
      locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
      const int error = errno;
      ::close(fd);
      return error == EWOULDBLOCK ? Claim::HeldByAnother : Claim::Unavailable;
    }
    lockFd = fd;
    return Claim::Taken;
  }

  // Sends the request to the copy listening on the socket; false when none
  // answers.
  bool askToRaise() const {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    if (socket.write(kRaiseRequest) != static_cast<qint64>(sizeof kRaiseRequest - 1) ||
        !socket.waitForBytesWritten(kConnectTimeoutMs))
      return false;
    socket.disconnectFromServer();
    return true;
  }

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

SingleInstance::SingleInstance(std::string mainWindowCaption, Clock& clock)
    : m_impl(std::make_unique<Impl>(std::move(mainWindowCaption), clock)) {}

SingleInstance::~SingleInstance() {
  // The socket goes first, so that no later copy finds it without the lock.
  m_impl->server.reset();
  if (m_impl->lockFd >= 0) ::close(m_impl->lockFd);
}

bool SingleInstance::activateRunningCopy() {
  switch (m_impl->takeClaim()) {
    case Impl::Claim::Taken:
      return false;
    case Impl::Claim::Unavailable:
      // Without the lock a copy that answers is the only sign of a running one.
      return m_impl->askToRaise();
    case Impl::Claim::HeldByAnother:
      break;
  }
  // The first copy listens only once its window exists; a later copy started
  // meanwhile keeps asking, and ends all the same when no answer comes.
  Clock& clock = m_impl->clock;
  const Clock::Duration deadline = clock.now() + kReachWait;
  while (!m_impl->askToRaise() && clock.now() < deadline) clock.sleep(kReachRetry);
  return true;
}

bool SingleInstance::listen(std::function<void()> restoreAndRaise) {
  // Only the lock's holder may take the socket over: anyone else would
  // remove the socket of a live copy.
  if (m_impl->takeClaim() != Impl::Claim::Taken) return false;
  m_impl->restoreAndRaise = std::move(restoreAndRaise);
  auto server = std::make_unique<QLocalServer>();
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(m_impl->serverName)) {
    // The lock is this copy's, so a socket file still there was left by a
    // copy that ended without removing it.
    if (server->serverError() != QAbstractSocket::AddressInUseError) return false;
    if (!QLocalServer::removeServer(m_impl->serverName) || !server->listen(m_impl->serverName))
      return false;
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
