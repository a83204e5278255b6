// Whether another copy of the program is running: every running copy counts, a copy that
// has ended does not, also when it ended without cleaning up.
#include "platform/qt/QtPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <memory>

namespace {

// Run with this argument and a lock name, the test program stands for a copy of the
// program in a process of its own (see main below).
const char kHoldLock[] = "--hold-instance-lock";

QString lockName(const QTemporaryDir& dir)
{
    return dir.path() + QStringLiteral("/VantorraAds.lock");
}

// One copy of the program as far as the lock goes: it asks at its start and holds its
// lock until it ends.
struct Copy
{
    explicit Copy(const QString& name) : lock(std::make_unique<QtInstanceLock>(name))
    {
        askedAboutAnother = lock->anotherInstanceRunning();
    }
    std::unique_ptr<QtInstanceLock> lock;
    bool askedAboutAnother = false;
};

// A copy in a child process. It says "alone" or "other" once it holds its lock, and
// runs until its input is closed.
class ChildCopy
{
public:
    bool start(const QString& name)
    {
        m_process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kHoldLock), name});
        if (!m_process.waitForStarted() || !m_process.waitForReadyRead())
            return false;
        m_answer = QString::fromLatin1(m_process.readLine()).trimmed();
        return true;
    }
    QString answer() const { return m_answer; }
    bool endNormally()
    {
        m_process.closeWriteChannel();
        return m_process.waitForFinished() && m_process.exitStatus() == QProcess::NormalExit
            && m_process.exitCode() == 0;
    }
    bool crash()
    {
        m_process.kill();
        return m_process.waitForFinished();
    }

private:
    QProcess m_process;
    QString m_answer;
};

int holdLockUntilInputCloses(const QString& name)
{
    QtInstanceLock lock(name);
    const bool other = lock.anotherInstanceRunning();
    QTextStream out(stdout);
    out << (other ? "other" : "alone") << Qt::endl;
    QTextStream in(stdin);
    while (!in.atEnd())
        in.readLine();
    return 0;
}

} // namespace

class TestInstanceLock : public QObject
{
    Q_OBJECT

private slots:
    void everyRunningCopyCounts()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        auto first = std::make_unique<Copy>(lockName(dir));
        QVERIFY(!first->askedAboutAnother);
        auto second = std::make_unique<Copy>(lockName(dir));
        QVERIFY(second->askedAboutAnother);

        // The first copy ends; the second still runs.
        first.reset();
        auto third = std::make_unique<Copy>(lockName(dir));
        QVERIFY(third->askedAboutAnother);

        second.reset();
        auto fourth = std::make_unique<Copy>(lockName(dir));
        QVERIFY(fourth->askedAboutAnother);

        // All ended: the next copy runs alone.
        third.reset();
        fourth.reset();
        Copy last(lockName(dir));
        QVERIFY(!last.askedAboutAnother);
        // The answer stays what it was at the start.
        Copy other(lockName(dir));
        QVERIFY(other.askedAboutAnother);
        QVERIFY(!last.lock->anotherInstanceRunning());
    }

    void aCopyInAnotherProcessCounts()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ChildCopy child;
        QVERIFY(child.start(lockName(dir)));
        QCOMPARE(child.answer(), QString("alone"));
        {
            Copy here(lockName(dir));
            QVERIFY(here.askedAboutAnother);
        }

        // The child's copy starts after one here and sees it.
        auto here = std::make_unique<Copy>(lockName(dir));
        ChildCopy second;
        QVERIFY(second.start(lockName(dir)));
        QCOMPARE(second.answer(), QString("other"));
        QVERIFY(second.endNormally());
        here.reset();

        QVERIFY(child.endNormally());
        Copy alone(lockName(dir));
        QVERIFY(!alone.askedAboutAnother);
    }

    void aCopyThatDiedDoesNotCount()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ChildCopy child;
        QVERIFY(child.start(lockName(dir)));
        QVERIFY(child.crash());
        // Its lock file is still there, but no process holds it.
        QVERIFY(!QDir(dir.path()).entryList({"VantorraAds*.lock"}, QDir::Files).isEmpty());
        Copy here(lockName(dir));
        QVERIFY(!here.askedAboutAnother);
        Copy next(lockName(dir));
        QVERIFY(next.askedAboutAnother);
    }

    // After a crash the process id of the ended copy may be given to a new one: a lock
    // file that names this process but that no lock here holds is stale too.
    void aLeftLockNamingThisProcessDoesNotCount()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QByteArray left;
        {
            QLockFile lock(dir.filePath("VantorraAds-1.lock"));
            QVERIFY(lock.tryLock(0));
            QFile file(dir.filePath("VantorraAds-1.lock"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            left = file.readAll();
        }
        for (const char* name : {"VantorraAds-1.lock", "VantorraAds-2.lock"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(left), left.size());
        }
        Copy here(lockName(dir));
        QVERIFY(!here.askedAboutAnother);
        QCOMPARE(here.lock->ownLockPath(), dir.filePath("VantorraAds-1.lock"));
        QVERIFY(!QFile::exists(dir.filePath("VantorraAds-2.lock")));
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], kHoldLock) == 0) {
        QCoreApplication app(argc, argv);
        return holdLockUntilInputCloses(QString::fromLocal8Bit(argv[2]));
    }
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    TestInstanceLock tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_instancelock.moc"
