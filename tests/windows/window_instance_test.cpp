// One running copy: the built program started as a child process holds the
// lock in its runtime folder; a second copy ends at once, silently, with 0;
// once the first is killed the lock is free for the next.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <cerrno>
#include <filesystem>

#include "tests/core/image_builder.h"

namespace {

constexpr int kTimeoutMs = 30000;

// True while some other open file holds an exclusive flock on the file.
bool LockHeldByAnother(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);  // also drops the lock if it was ours
  return held;
}

}  // namespace

class WindowInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void SecondCopyEndsSilently() {
    zt::test::TempFolder runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
    const std::filesystem::path lock = runtime.path() / "Zetlogic.lock";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.path().string()));
    auto start = [&env](QProcess& process) {
      process.setProcessEnvironment(env);
      process.start(QStringLiteral(ZT_PROGRAM_EXE), {});
      QVERIFY2(process.waitForStarted(kTimeoutMs), qPrintable(process.errorString()));
    };

    // ~QProcess kills a copy still running should a check fail.
    QProcess first;
    start(first);
    QTRY_VERIFY_WITH_TIMEOUT(LockHeldByAnother(lock), kTimeoutMs);
    QCOMPARE(first.state(), QProcess::Running);

    QProcess second;
    start(second);
    QVERIFY2(second.waitForFinished(kTimeoutMs), "the second copy ends by itself");
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(second.readAllStandardOutput(), QByteArray());
    QCOMPARE(first.state(), QProcess::Running);
    QVERIFY(LockHeldByAnother(lock));

    first.kill();
    QVERIFY(first.waitForFinished(kTimeoutMs));
    QVERIFY2(!LockHeldByAnother(lock), "a killed copy leaves no lock behind");

    QProcess third;
    start(third);
    QTRY_VERIFY_WITH_TIMEOUT(LockHeldByAnother(lock), kTimeoutMs);
    QCOMPARE(third.state(), QProcess::Running);
    third.kill();
    QVERIFY(third.waitForFinished(kTimeoutMs));
  }
};

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  WindowInstanceTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_instance_test.moc"
