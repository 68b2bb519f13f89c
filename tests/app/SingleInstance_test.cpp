#include "app/SingleInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QLocalSocket>
#include <QTest>
#include <cstring>

namespace kestrovane::test {

namespace {

// A caption no other test process uses, so the socket is this test's own.
std::string uniqueCaption(const char* what) {
  return std::string("KestrovaneDriver test ") + what + " " + std::to_string(::getpid());
}

// Leaves a socket file nobody listens on, as a copy that crashed does.
bool leaveStaleSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  ::close(fd);
  return bound;
}

}  // namespace

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void aSecondCopyAsksTheFirstToRestoreAndRaise() {
    const std::string caption = uniqueCaption("raise");
    SingleInstance first(caption);
    QVERIFY(!first.activateRunningCopy());
    int raised = 0;
    QVERIFY(first.listen([&raised] { ++raised; }));

    SingleInstance second(caption);
    QVERIFY(second.activateRunningCopy());
    QTRY_COMPARE(raised, 1);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QVERIFY(second.activateRunningCopy());
    QTRY_COMPARE(raised, 2);
  }

  void copiesWithOtherCaptionsDoNotMeet() {
    SingleInstance first(uniqueCaption("one"));
    QVERIFY(first.listen([] {}));
    SingleInstance other(uniqueCaption("two"));
    QVERIFY(!other.activateRunningCopy());
  }

  // A socket left by a copy that crashed neither counts as a running copy
  // nor keeps the next one from listening.
  void aStaleSocketIsTakenOver() {
    const std::string caption = uniqueCaption("stale");
    std::string path;
    {
      SingleInstance probe(caption);
      QVERIFY(probe.listen([] {}));
      path = probe.endpoint();
    }
    QVERIFY(!QFile::exists(QString::fromStdString(path)));
    QVERIFY(leaveStaleSocket(path));
    QVERIFY(QFile::exists(QString::fromStdString(path)));

    SingleInstance next(caption);
    QVERIFY(!next.activateRunningCopy());
    int raised = 0;
    QVERIFY(next.listen([&raised] { ++raised; }));
    SingleInstance later(caption);
    QVERIFY(later.activateRunningCopy());
    QTRY_COMPARE(raised, 1);
  }

  // Per user: the socket carries the user's id and only the user may use it.
  void theSocketBelongsToTheUser() {
    SingleInstance first(uniqueCaption("user"));
    QVERIFY(first.listen([] {}));
    const QString path = QString::fromStdString(first.endpoint());
    QVERIFY(path.contains(QStringLiteral("-%1-").arg(::getuid())));
    QCOMPARE(QFile::permissions(path) & (QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
  }

  // Anything but the request on the socket raises nothing.
  void otherTrafficIsIgnored() {
    const std::string caption = uniqueCaption("noise");
    SingleInstance first(caption);
    int raised = 0;
    QVERIFY(first.listen([&raised] { ++raised; }));
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(first.endpoint()));
    QVERIFY(socket.waitForConnected(1000));
    socket.write("hello\n");
    QVERIFY(socket.waitForBytesWritten(1000));
    QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(raised, 0);
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::SingleInstanceTest)
#include "SingleInstance_test.moc"
