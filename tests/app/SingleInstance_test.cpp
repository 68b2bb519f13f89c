#include "app/SingleInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

#include "base/ManualClock.h"

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
  // The lock files go to a runtime folder of the test's own.
  void initTestCase() {
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
  }

  void aSecondCopyAsksTheFirstToRestoreAndRaise() {
    const std::string caption = uniqueCaption("raise");
    ManualClock clock;
    SingleInstance first(caption, clock);
    QVERIFY(!first.activateRunningCopy());
    int raised = 0;
    QVERIFY(first.listen([&raised] { ++raised; }));

    SingleInstance second(caption, clock);
    QVERIFY(second.activateRunningCopy());
    QTRY_COMPARE(raised, 1);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QVERIFY(second.activateRunningCopy());
    QTRY_COMPARE(raised, 2);
    QVERIFY(clock.pauses().empty());  // a listening copy answers at once
  }

  // A later copy never takes the socket over, even when it goes on to
  // listen: the first copy stays reachable, and nobody else answers.
  void aLaterCopyLeavesTheFirstCopysSocketAlone() {
    const std::string caption = uniqueCaption("live");
    ManualClock clock;
    SingleInstance first(caption, clock);
    QVERIFY(!first.activateRunningCopy());
    int raised = 0;
    QVERIFY(first.listen([&raised] { ++raised; }));
    const QString path = QString::fromStdString(first.endpoint());

    SingleInstance second(caption, clock);
    QVERIFY(second.activateRunningCopy());
    int raisedSecond = 0;
    QVERIFY(!second.listen([&raisedSecond] { ++raisedSecond; }));
    QVERIFY(QFile::exists(path));
    SingleInstance third(caption, clock);
    QVERIFY(third.activateRunningCopy());
    QTRY_COMPARE(raised, 2);
    QCOMPARE(raisedSecond, 0);
  }

  // A copy started while the first one has its claim but does not listen yet
  // keeps asking at kReachRetry, for at most kReachWait, and then ends either
  // way.
  void aLaterCopyWaitsBoundedForTheFirstToListen() {
    using std::chrono::milliseconds;
    const struct {
      const char* what;
      int listenAtSleep;  // 0: never
      int raised;
      std::size_t sleeps;
    } cases[] = {{"listens soon", 3, 1, 3}, {"never listens", 0, 0, 50}};
    for (const auto& c : cases) {
      const std::string caption = uniqueCaption("starting");
      ManualClock clock;
      SingleInstance first(caption, clock);
      QVERIFY2(!first.activateRunningCopy(), c.what);
      int raised = 0, sleeps = 0;
      clock.setSleepHook([&](milliseconds) {
        if (++sleeps == c.listenAtSleep) QVERIFY(first.listen([&raised] { ++raised; }));
      });
      SingleInstance second(caption, clock);
      QVERIFY2(second.activateRunningCopy(), c.what);
      QTRY_COMPARE(raised, c.raised);
      QCOMPARE(clock.pauses(), std::vector<milliseconds>(c.sleeps, milliseconds(100)));
    }
  }

  void copiesWithOtherCaptionsDoNotMeet() {
    ManualClock clock;
    SingleInstance first(uniqueCaption("one"), clock);
    QVERIFY(first.listen([] {}));
    SingleInstance other(uniqueCaption("two"), clock);
    QVERIFY(!other.activateRunningCopy());
  }

  // A socket left by a copy that crashed neither counts as a running copy
  // nor keeps the next one from listening.
  void aStaleSocketIsTakenOver() {
    const std::string caption = uniqueCaption("stale");
    ManualClock clock;
    std::string path;
    {
      SingleInstance probe(caption, clock);
      QVERIFY(probe.listen([] {}));
      path = probe.endpoint();
    }
    QVERIFY(!QFile::exists(QString::fromStdString(path)));
    QVERIFY(leaveStaleSocket(path));
    QVERIFY(QFile::exists(QString::fromStdString(path)));

    SingleInstance next(caption, clock);
    QVERIFY(!next.activateRunningCopy());
    int raised = 0;
    QVERIFY(next.listen([&raised] { ++raised; }));
    SingleInstance later(caption, clock);
    QVERIFY(later.activateRunningCopy());
    QTRY_COMPARE(raised, 1);
  }

  // Per user: the socket carries the user's id and only the user may use it.
  void theSocketBelongsToTheUser() {
    ManualClock clock;
    SingleInstance first(uniqueCaption("user"), clock);
    QVERIFY(first.listen([] {}));
    const QString path = QString::fromStdString(first.endpoint());
    QVERIFY(path.contains(QStringLiteral("-%1-").arg(::getuid())));
    QCOMPARE(QFile::permissions(path) & (QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
    const QStringList locks = QDir(m_runtime.path()).entryList({QStringLiteral("*_user_*.lock")});
    QCOMPARE(locks.size(), 1);
    QVERIFY(locks[0].contains(QStringLiteral("-%1-").arg(::getuid())));
    QCOMPARE(QFile::permissions(m_runtime.filePath(locks[0])) &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
  }

  // Anything but the request on the socket raises nothing.
  void otherTrafficIsIgnored() {
    const std::string caption = uniqueCaption("noise");
    ManualClock clock;
    SingleInstance first(caption, clock);
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

 private:
  QTemporaryDir m_runtime;
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::SingleInstanceTest)
#include "SingleInstance_test.moc"
