// Copying the ads to the hard drive with the progress panel, and removing them again:
// real folders, scripted boxes, the buttons clicked as a person does.
#include "TestProgram.h"

#include "library/LibraryRules.h"
#include "library/LocalLibrary.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "startup/MediaLocation.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScopeGuard>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTitle = QStringLiteral("Vantorra Ads of the 50's & 60's");
const QString kSuccess = QStringLiteral("Ads successfully copied!\r\n");
const QString kRemoved = QStringLiteral(
    "All Ads Successfully Removed!\r\n\r\nYou must now exit and re-enter Vantorra Ads of the 50's & 60's to allow "
    "\r\nthe software to find the ads on the cdrom drive.\r\n\r\n");

// Bytes that differ from file to file and from place to place.
QByteArray content(const QString& name, qint64 size, int salt = 0)
{
    QByteArray bytes(size, Qt::Uninitialized);
    const uint seed = qHash(name) + uint(salt);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((seed >> (i % 24)) + uint(i) * 131u);
    return bytes;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Everything in a folder, hidden files included, sorted.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// One write of a copy, and what the window showed when it happened.
struct Write
{
    QString file;
    qint64 size = 0;
    QString fileGauge;
    QString overallGauge;
    QString copying;            // Text2
    bool windowEnabled = true;
    bool buttonsEnabled = true;
    bool panelVisible = false;
    int pointer = 0;
    int timerTicks = 0;
    int postedDelivered = 0;    // events posted during earlier writes that have run
};

// Counts the events posted to it that have run.
class PostedEvents : public QObject
{
public:
    int delivered = 0;
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++delivered;
        return true;
    }
};

// A started program whose media holds ad files of given sizes.
struct Library
{
    TestProgram p;
    Form1* f = nullptr;
    QList<Write> writes;
    int ticks = 0;
    QTimer ticker;
    PostedEvents posted;
    // Each write of a copy takes at least this long, as on a slow disk.
    qint64 writeMs = 0;

    explicit Library(const QList<QPair<QString, qint64>>& ads)
    {
        p.writeMedia({});
        for (const auto& ad : ads)
            p.media().file("ads/" + ad.first, content(ad.first, ad.second));
        f = p.start();
        if (!f)
            return;
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        // A timer that fires whenever the timers are looked at.
        QObject::connect(&ticker, &QTimer::timeout, [this] { ++ticks; });
        ticker.start(0);
        p.fake.localFiles.onWrite = [this](const QString& path, qint64 size) {
            Write w;
            w.file = QFileInfo(path).fileName();
            w.size = size;
            w.fileGauge = f->ProgressGuage->caption();
            w.overallGauge = f->ProgressGuage2->caption();
            w.copying = f->Text2->text();
            w.windowEnabled = f->isEnabled();
            w.buttonsEnabled = f->cmdCopy->isEnabled() || f->cmdCancel->isEnabled();
            w.panelVisible = f->pnlProgress->isVisible();
            w.pointer = p.fake.pointer.current;
            w.timerTicks = ticks;
            w.postedDelivered = posted.delivered;
            writes.append(w);
            QCoreApplication::postEvent(&posted, new QEvent(QEvent::User));
            QElapsedTimer slowDisk;
            slowDisk.start();
            while (slowDisk.elapsed() < writeMs) {
            }
        };
    }

    QString localFolder() const { return p.programFolder() + "/ads"; }
    QString localFile(const QString& name) const { return localFolder() + "/" + name; }
    QString mediaFile(const QString& name) const { return p.mediaRoot() + "/ads/" + name; }
    bool marked() const { return QFileInfo::exists(libraryMarkPath(p.programFolder() + "/ads")); }

    // The File menu opened on the menu bar and the item clicked.
    void chooseFromFileMenu(QAction* item)
    {
        QMenuBar* bar = f->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(f->mnuFile->menuAction()).center());
        QTRY_VERIFY(f->mnuFile->isVisible());
        QTest::mouseClick(f->mnuFile, Qt::LeftButton, {}, f->mnuFile->actionGeometry(item).center());
    }

    void openPanel()
    {
        chooseFromFileMenu(f->mnuCopy);
        QTRY_VERIFY(f->pnlProgress->isVisible());
    }

    // "Copy CD-ROM Ads from CD", then "Copy Ads"; the boxes answer as scripted.
    void copy()
    {
        openPanel();
        QTest::mouseClick(f->cmdCopy, Qt::LeftButton);
    }

    QList<Write> writesOf(const QString& file) const
    {
        QList<Write> result;
        for (const Write& w : writes) {
            if (w.file == file)
                result.append(w);
        }
        return result;
    }
};

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), qPrintable(path));
}

// The number of a process that has ended, as a killed copy's.
QString deadProcessId()
{
    QProcess finished;
    finished.start("true", {});
    finished.waitForStarted();
    const qint64 pid = finished.processId();
    finished.waitForFinished();
    return QString::number(pid);
}

bool noTemporaryFiles(const QString& folder)
{
    for (const QString& e : entries(folder)) {
        if (e.endsWith(".part"))
            return false;
    }
    return true;
}

} // namespace

class TestLibrary : public QObject
{
    Q_OBJECT

private slots:
    // ---- the space test --------------------------------------------------------

    void spaceTest_data()
    {
        QTest::addColumn<qint64>("sectorsPerCluster");
        QTest::addColumn<qint64>("bytesPerSector");
        QTest::addColumn<qint64>("freeClusters");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QString>("have");
        QTest::addColumn<QString>("need");
        // 110,000 kilobyte-scaled units are exactly 110,000,000 bytes.
        QTest::newRow("exactly 110,000,000") << qint64(1) << qint64(1) << qint64(110000) * 1024 << true << ""
                                             << "";
        QTest::newRow("109,999,000") << qint64(1) << qint64(1) << qint64(109999) * 1024 << false << "109,999,000"
                                     << "1,000";
        QTest::newRow("13,000 clusters of 8 x 512") << qint64(8) << qint64(512) << qint64(13000) << false
                                                    << "49,152,000" << "60,848,000";
        QTest::newRow("less than 1024 clusters is zero") << qint64(8) << qint64(512) << qint64(1023) << false << ""
                                                         << "110,000,000";
    }
    void spaceTest()
    {
        QFETCH(qint64, sectorsPerCluster);
        QFETCH(qint64, bytesPerSector);
        QFETCH(qint64, freeClusters);
        QFETCH(bool, passes);
        QFETCH(QString, have);
        QFETCH(QString, need);
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.fake.diskSpace.figures = DiskFigures{sectorsPerCluster, bytesPerSector, freeClusters, 1 << 30};
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.chooseFromFileMenu(l.f->mnuCopy);

        QCOMPARE(l.p.fake.diskSpace.asked, QStringList{l.p.programFolder()});
        QCOMPARE(l.f->pnlProgress->isVisible(), passes);
        if (passes) {
            QVERIFY(l.p.fake.boxes.calls.isEmpty());
            return;
        }
        QCOMPARE(l.p.fake.boxes.calls.size(), 1);
        const auto& box = l.p.fake.boxes.calls[0];
        QVERIFY2(box.text.contains("\r\n\r\nYou have:  " + have + " bytes\r\n\r\n"), qPrintable(box.text));
        QVERIFY2(box.text.contains("\r\n\r\nYou need:   " + need + " bytes more\r\n\r\n"), qPrintable(box.text));
        QVERIFY(box.text.endsWith("For a total of:   110,000,000 bytes free.\r\n"));
        QCOMPARE(box.title, QString("Vantorra Ads of the 50's && 60's"));
        QCOMPARE(box.icon, int(MsgBox::Critical));
        QCOMPARE(box.buttons, int(MsgBox::OkOnly));
        QCOMPARE(l.p.g.MessageAnswer, QString("1"));
        QVERIFY(!QFileInfo::exists(l.localFolder()));
    }

    void failedDriveQuery()
    {
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.fake.diskSpace.fail = true;
        l.p.fake.boxes.answer(MsgBox::Ok).answer(MsgBox::Ok);
        l.f->mnuCopy->trigger();
        QCOMPARE(l.p.fake.boxes.calls.size(), 2);
        QCOMPARE(l.p.fake.boxes.calls[0].text, QString("Internal GetDisk error!"));
        QCOMPARE(l.p.fake.boxes.calls[0].title, QString("VantorraAds"));
        QCOMPARE(l.p.fake.boxes.calls[0].icon, int(MsgBox::NoIcon));
        QVERIFY(l.p.fake.boxes.calls[1].text.contains("You have:   bytes\r\n"));
        QVERIFY(l.p.fake.boxes.calls[1].text.contains("You need:   110,000,000 bytes more"));
        QVERIFY(!l.f->pnlProgress->isVisible());
    }

    // ---- the panel -----------------------------------------------------------------

    void panelCentredOnTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("800 x 600") << QSize(800, 600) << QPoint(157, 128);       // 127.5 rounds to even
        QTest::newRow("1024 x 768") << QSize(1024, 768) << QPoint(269, 212);     // 211.5 rounds to even
    }
    void panelCentredOnTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QPoint, expected);
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.fake.screen.setPixels(screen.width(), screen.height());
        l.f->pnlProgress->move(0, 0);
        l.f->mnuCopy->trigger();
        QVERIFY(l.f->pnlProgress->isVisible());
        QCOMPARE(l.f->pnlProgress->pos(), expected);
        QCOMPARE(l.f->pnlProgress->size(), QSize(486, 345));
        // In front of every other control of the window.
        QWidget* inFront = l.f->client->childAt(expected + QPoint(5, 5));
        QVERIFY(inFront == l.f->pnlProgress || l.f->pnlProgress->isAncestorOf(inFront));
        QVERIFY(l.f->cmdCopy->isEnabled());
        QVERIFY(l.f->cmdCancel->isEnabled());
    }

    void panelStaysReachableOnALargeScreen()
    {
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.fake.screen.setPixels(2560, 1440);
        l.f->mnuCopy->trigger();
        const QRect panel = l.f->pnlProgress->geometry();
        QVERIFY2(l.f->client->rect().contains(panel),
                 qPrintable(QString("panel %1,%2 %3x%4 in %5x%6")
                                .arg(panel.x()).arg(panel.y()).arg(panel.width()).arg(panel.height())
                                .arg(l.f->client->width()).arg(l.f->client->height())));
    }

    void cancelBeforeCopyingCreatesNothing()
    {
        Library l({{"55VaSo00.jpg", 30000}});
        QVERIFY(l.f);
        const QString localRoot = l.p.g.LocalRoot;
        l.openPanel();
        QTest::mouseClick(l.f->cmdCancel, Qt::LeftButton);
        QVERIFY(!l.f->pnlProgress->isVisible());
        QVERIFY(!QFileInfo::exists(l.localFolder()));
        QVERIFY(l.writes.isEmpty());
        QVERIFY(l.p.fake.boxes.calls.isEmpty());
        QCOMPARE(l.p.g.LocalRoot, localRoot);
    }

    // ---- the copy run --------------------------------------------------------------

    void chunksGaugesAndCaptions()
    {
        Library l({{"55VaSo02.jpg", 10000}, {"55VaSo00.jpg", 60000}, {"55VaSo01.jpg", 50000}});
        QVERIFY(l.f);
        QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.copy();

        // Sorted, and each file in its chunks: 60,000 = two full chunks and a remainder.
        QStringList order;
        for (const Write& w : l.writes) {
            if (order.isEmpty() || order.last() != w.file)
                order.append(w.file);
        }
        QCOMPARE(order, QStringList({"55VaSo00.jpg", "55VaSo01.jpg", "55VaSo02.jpg", ".copy-complete"}));
        const QList<Write> sixty = l.writesOf("55VaSo00.jpg");
        QCOMPARE(sixty.size(), 3);
        QCOMPARE(sixty[0].size, qint64(25000));
        QCOMPARE(sixty[0].fileGauge, QString("42"));
        QCOMPARE(sixty[0].copying, l.mediaFile("55VaSo00.jpg"));
        QCOMPARE(sixty[1].fileGauge, QString("83"));
        QCOMPARE(sixty[2].size, qint64(10000));
        QCOMPARE(sixty[2].fileGauge, QString("100"));
        // 50,000: two full chunks, no remainder step.
        const QList<Write> fifty = l.writesOf("55VaSo01.jpg");
        QCOMPARE(fifty.size(), 2);
        QCOMPARE(fifty[0].fileGauge, QString("50"));
        QCOMPARE(fifty[1].fileGauge, QString("100"));
        // Under 25,000: the remainder step only; Text2 still shows the file before.
        const QList<Write> ten = l.writesOf("55VaSo02.jpg");
        QCOMPARE(ten.size(), 1);
        QCOMPARE(ten[0].size, qint64(10000));
        QCOMPARE(ten[0].fileGauge, QString("100"));
        QCOMPARE(ten[0].copying, l.mediaFile("55VaSo01.jpg"));
        // Four full chunks lowered the bytes left; the remainders did not.
        QCOMPARE(l.p.g.CopyBytesLeft, AdSetBytes - 4 * 25000);
        QCOMPARE(sixty[0].overallGauge, QString("0"));

        // During the copy: window disabled, hourglass, panel up with its buttons disabled,
        // and the events queued in the program ran after every full chunk.
        for (const Write& w : l.writes) {
            QVERIFY(!w.windowEnabled);
            QVERIFY(!w.buttonsEnabled);
            QVERIFY(w.panelVisible);
            QCOMPARE(w.pointer, int(MousePointer::Hourglass));
        }
        QVERIFY(sixty[1].postedDelivered > sixty[0].postedDelivered);
        QVERIFY(fifty[1].postedDelivered > fifty[0].postedDelivered);

        // Whole copies, the success message, and the years come from the copy now.
        for (const char* name : {"55VaSo00.jpg", "55VaSo01.jpg", "55VaSo02.jpg"})
            QCOMPARE(readAll(l.localFile(name)), readAll(l.mediaFile(name)));
        QCOMPARE(l.p.fake.boxes.calls.size(), 1);
        QCOMPARE(l.p.fake.boxes.calls[0].text, kSuccess);
        QCOMPARE(l.p.fake.boxes.calls[0].icon, int(MsgBox::Exclamation));
        QCOMPARE(l.p.fake.boxes.calls[0].title, kTitle);
        QCOMPARE(l.p.g.MessageAnswer, QString("1"));
        QCOMPARE(l.f->ProgressGuage2->caption(), QString("100"));
        QCOMPARE(l.f->ProgressGuage2->floodPercent(), 100);
        QCOMPARE(l.p.g.LocalRoot, l.p.programFolder());
        QVERIFY(l.f->isEnabled());
        QVERIFY(!l.f->pnlProgress->isVisible());
        QVERIFY(l.f->cmdCopy->isEnabled());
        QVERIFY(l.f->cmdCancel->isEnabled());
        QCOMPARE(l.p.fake.pointer.current, int(MousePointer::Default));
        QVERIFY(l.marked());
        QVERIFY(noTemporaryFiles(l.localFolder()));
    }

    void timersRunBetweenTheChunksOfASlowCopy()
    {
        // Timers (the status clock among them) are looked at no more than every millisecond;
        // on a disk slower than that, they run between every two chunks.
        Library l({{"55VaSo00.jpg", 100000}});
        QVERIFY(l.f);
        l.writeMs = 3;
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.copy();
        const QList<Write> chunks = l.writesOf("55VaSo00.jpg");
        QCOMPARE(chunks.size(), 4);
        for (int i = 1; i < chunks.size(); ++i)
            QVERIFY2(chunks[i].timerTicks > chunks[i - 1].timerTicks, qPrintable(QString::number(i)));
        QCOMPARE(l.p.fake.boxes.calls.value(0).text, kSuccess);
    }

    void copiedLibraryIsUsedNowAndAfterARestart()
    {
        Library l({{"55VaSo00.jpg", 30000}, {"55VaSo01.jpg", 100}});
        QVERIFY(l.f);
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.copy();
        QCOMPARE(l.p.g.LocalRoot, l.p.programFolder());
        ProgramState restarted;
        QVERIFY(LocateMedia(restarted, l.p.fake.services()));
        QCOMPARE(restarted.LocalRoot, l.p.programFolder());
    }

    void emptyMediaFolder()
    {
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        QVERIFY(QFile::remove(l.mediaFile("55VaSo00.jpg")));
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.copy();
        QCOMPARE(l.p.fake.boxes.calls.size(), 1);
        QCOMPARE(l.p.fake.boxes.calls[0].text, kSuccess);
        QCOMPARE(l.p.g.LocalRoot, l.p.programFolder());
        QCOMPARE(entries(l.localFolder()), QStringList{".copy-complete"});
        QCOMPARE(l.f->ProgressGuage2->caption(), QString("100"));
    }

    void existingFolderAndASecondRunReplaceTheCopies()
    {
        Library l({{"55VaSo00.jpg", 60000}, {"readme.txt", 10}});
        QVERIFY(l.f);
        // An older copy and a file of the user's in the local folder.
        l.p.library().file("ads/55VaSo00.jpg", content("old", 70000));
        l.p.library().file("ads/notes.txt", "mine");
        l.p.fake.boxes.answer(MsgBox::Ok).answer(MsgBox::Ok);
        l.copy();
        QCOMPARE(readAll(l.localFile("55VaSo00.jpg")), readAll(l.mediaFile("55VaSo00.jpg")));
        // Every file keeps its own name, whatever its length.
        QCOMPARE(readAll(l.localFile("readme.txt")), readAll(l.mediaFile("readme.txt")));
        QCOMPARE(readAll(l.localFile("notes.txt")), QByteArray("mine"));

        // The media's file changes; the second run replaces the copy again.
        QFile media(l.mediaFile("55VaSo00.jpg"));
        QVERIFY(media.open(QIODevice::WriteOnly));
        media.write(content("new", 55000));
        media.close();
        l.copy();
        QCOMPARE(l.p.fake.boxes.calls.size(), 2);
        QCOMPARE(l.p.fake.boxes.calls[1].text, kSuccess);
        QCOMPARE(readAll(l.localFile("55VaSo00.jpg")), content("new", 55000));
        QCOMPARE(entries(l.localFolder()),
                 QStringList({".copy-complete", "55VaSo00.jpg", "notes.txt", "readme.txt"}));
    }

    void listingFailurePromptsAndRetryListsAgain()
    {
        Library l({{"55VaSo00.jpg", 30000}});
        QVERIFY(l.f);
        l.p.fake.files.failingPaths = {"/Ads/*.*"};
        l.p.fake.boxes.answer(MsgBox::Retry).answer(MsgBox::Ok);
        l.p.fake.boxes.onShow = [&](const FakeMessageBoxes::Call&) { l.p.fake.files.failingPaths.clear(); };
        l.copy();
        QCOMPARE(l.p.fake.boxes.calls.size(), 2);
        QVERIFY(l.p.fake.boxes.calls[0].text.startsWith("Unable to detect"));
        QCOMPARE(l.p.fake.boxes.calls[1].text, kSuccess);
        QCOMPARE(readAll(l.localFile("55VaSo00.jpg")), readAll(l.mediaFile("55VaSo00.jpg")));
    }

    // ---- faults ------------------------------------------------------------------------

    void fullDiskStopsTheRunWithOneMessage()
    {
        Library l({{"55VaSo00.jpg", 60000}, {"55VaSo01.jpg", 50000}, {"55VaSo02.jpg", 100}, {"55VaSo03.jpg", 100}});
        QVERIFY(l.f);
        // A good copy of the second file from an earlier run.
        l.p.library().file("ads/55VaSo01.jpg", content("earlier", 50000));
        l.p.fake.localFiles.spaceLeft = 60000 + 30000;
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.copy();

        QCOMPARE(l.p.fake.boxes.calls.size(), 1);
        const auto& box = l.p.fake.boxes.calls[0];
        QVERIFY2(box.text.contains("The hard disk is full"), qPrintable(box.text));
        QVERIFY2(box.text.contains("3 of 4 Ads could not be copied"), qPrintable(box.text));
        QVERIFY2(box.text.contains("55VaSo01.jpg: No space left on device"), qPrintable(box.text));
        QCOMPARE(box.icon, int(MsgBox::Critical));
        QVERIFY(!box.text.contains("successfully"));
        // No file was tried after the full disk.
        QVERIFY(l.writesOf("55VaSo02.jpg").isEmpty());
        // The first copy is whole, the earlier copy of the second survives, nothing half written.
        QCOMPARE(readAll(l.localFile("55VaSo00.jpg")), readAll(l.mediaFile("55VaSo00.jpg")));
        QCOMPARE(readAll(l.localFile("55VaSo01.jpg")), content("earlier", 50000));
        QVERIFY(!QFileInfo::exists(l.localFile("55VaSo02.jpg")));
        QVERIFY(noTemporaryFiles(l.localFolder()));
        // Not used for the years, now or after a restart.
        QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
        QVERIFY(!l.marked());
        QVERIFY(l.f->isEnabled());
        QVERIFY(!l.f->pnlProgress->isVisible());
        QCOMPARE(l.p.fake.pointer.current, int(MousePointer::Default));
    }

    void fullDiskOnARealSmallFileSystem()
    {
        if (::geteuid() != 0)
            QSKIP("Mounting a small file system needs root; the full disk is covered by an injected failure.");
        QTemporaryDir mountPoint;
        QVERIFY(mountPoint.isValid());
        if (::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP(qPrintable(QString("Cannot mount a tmpfs here (%1).").arg(QString::fromLocal8Bit(strerror(errno)))));
        auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(mountPoint.path()).constData(), MNT_DETACH); });

        Library l({{"55VaSo00.jpg", 100000}, {"55VaSo01.jpg", 100000}, {"55VaSo02.jpg", 100000},
                   {"55VaSo03.jpg", 100000}});
        QVERIFY(l.f);
        l.p.fake.folder.folder = mountPoint.path();
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.copy();

        QCOMPARE(l.p.fake.boxes.calls.size(), 1);
        const QString text = l.p.fake.boxes.calls[0].text;
        QVERIFY2(text.contains("The hard disk is full"), qPrintable(text));
        QVERIFY2(text.contains("No space left on device"), qPrintable(text));
        const QString folder = mountPoint.path() + "/ads";
        QVERIFY(noTemporaryFiles(folder));
        QVERIFY(!QFileInfo::exists(libraryMarkPath(mountPoint.path() + "/ads")));
        int whole = 0;
        for (const QString& name : entries(folder)) {
            QCOMPARE(readAll(folder + "/" + name), readAll(l.mediaFile(name)));
            ++whole;
        }
        QVERIFY(whole >= 1 && whole < 4);
        QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
    }

    void mediaRemovedDuringTheCopy_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("retry") << int(MsgBox::Retry);
        QTest::newRow("cancel") << int(MsgBox::Cancel);
    }
    void mediaRemovedDuringTheCopy()
    {
        QFETCH(int, answer);
        Library l({{"55VaSo00.jpg", 60000}, {"55VaSo01.jpg", 60000}, {"55VaSo02.jpg", 60000}});
        QVERIFY(l.f);
        // The disc goes out while the second file's second chunk is read.
        l.p.fake.localFiles.onRead = [&](const QString& path, qint64 done) {
            if (path.endsWith("55VaSo01.jpg") && done == 25000 && !l.p.fake.files.failAll) {
                l.p.fake.files.failAll = true;
                l.p.fake.localFiles.failingReads.insert("55VaSo01.jpg", "Input/output error");
                l.p.fake.localFiles.onRead = nullptr;
            }
        };
        QStringList folderWhilePrompting;
        l.p.fake.boxes.onShow = [&](const FakeMessageBoxes::Call& call) {
            if (!call.text.startsWith("Unable to detect"))
                return;
            folderWhilePrompting = entries(l.localFolder());
            // The disc comes back while the prompt is up.
            l.p.fake.files.failAll = false;
            l.p.fake.localFiles.failingReads.clear();
        };
        l.p.fake.boxes.answer(answer).answer(MsgBox::Ok);
        l.copy();

        QVERIFY(l.p.fake.boxes.calls[0].text.startsWith("Unable to detect"));
        QCOMPARE(l.p.fake.boxes.calls[0].buttons, int(MsgBox::RetryCancel));
        QCOMPARE(l.p.g.ErrorCode, QString("ER001"));
        // No half-written copy, not even while the prompt was up.
        QCOMPARE(folderWhilePrompting, QStringList{"55VaSo00.jpg"});
        if (answer == MsgBox::Cancel) {
            QVERIFY(l.p.fake.end.endedAtOnce);
            QCOMPARE(l.p.fake.boxes.calls.size(), 1);
            QCOMPARE(entries(l.localFolder()), QStringList{"55VaSo00.jpg"});
            QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
            return;
        }
        // Retry goes on with the file that failed, and the rest; the gauge counts it once.
        QCOMPARE(l.p.fake.boxes.calls.size(), 2);
        QCOMPARE(l.p.fake.boxes.calls[1].text, kSuccess);
        for (const char* name : {"55VaSo00.jpg", "55VaSo01.jpg", "55VaSo02.jpg"})
            QCOMPARE(readAll(l.localFile(name)), readAll(l.mediaFile(name)));
        QCOMPARE(l.p.g.CopyBytesLeft, AdSetBytes - 6 * 25000);
        QCOMPARE(l.p.g.LocalRoot, l.p.programFolder());
    }

    void unreadableOrUnwritableFile_data()
    {
        QTest::addColumn<bool>("reading");
        QTest::newRow("source cannot be read") << true;
        QTest::newRow("copy cannot be written") << false;
    }
    void unreadableOrUnwritableFile()
    {
        QFETCH(bool, reading);
        Library l({{"55VaSo00.jpg", 30000}, {"55VaSo01.jpg", 60000}, {"55VaSo02.jpg", 30000}});
        QVERIFY(l.f);
        if (reading)
            l.p.fake.localFiles.failingReads.insert("55VaSo01.jpg", "Input/output error");
        else
            l.p.fake.localFiles.failingWrites.insert("55VaSo01.jpg", "Permission denied");
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.copy();

        // One message, no media prompt: the media is still there.
        QCOMPARE(l.p.fake.boxes.calls.size(), 1);
        const QString text = l.p.fake.boxes.calls[0].text;
        QVERIFY2(text.startsWith("1 of 3 Ads could not be copied"), qPrintable(text));
        QVERIFY2(text.contains(reading ? "55VaSo01.jpg: Input/output error" : "55VaSo01.jpg: Permission denied"),
                 qPrintable(text));
        QCOMPARE(entries(l.localFolder()), QStringList({"55VaSo00.jpg", "55VaSo02.jpg"}));
        QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
        ProgramState restarted;
        QVERIFY(LocateMedia(restarted, l.p.fake.services()));
        QCOMPARE(restarted.LocalRoot, restarted.MediaRoot);
    }

    void failedSecondRunLeavesNoMark()
    {
        Library l({{"55VaSo00.jpg", 30000}, {"55VaSo01.jpg", 30000}});
        QVERIFY(l.f);
        l.p.fake.boxes.answer(MsgBox::Ok).answer(MsgBox::Ok);
        l.copy();
        QVERIFY(l.marked());
        l.p.fake.localFiles.failingWrites.insert("55VaSo01.jpg", "Input/output error");
        l.copy();
        QVERIFY(!l.marked());
        // The copies of the first run are still whole.
        QCOMPARE(readAll(l.localFile("55VaSo01.jpg")), readAll(l.mediaFile("55VaSo01.jpg")));
        ProgramState restarted;
        QVERIFY(LocateMedia(restarted, l.p.fake.services()));
        QCOMPARE(restarted.LocalRoot, restarted.MediaRoot);
    }

    // ---- the real file services ----------------------------------------------------------

    void realCopyReplacesOnlyWhenCommitted()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("media") && QDir(dir.path()).mkpath("ads"));
        const QString source = dir.filePath("media/55VaSo00.jpg");
        const QString target = dir.filePath("ads/55VaSo00.jpg");
        writeBytes(source, content("new", 60000));
        writeBytes(target, "old copy");
        const QString temporary = QFileInfo(QtLocalFiles::temporaryPathFor(target)).fileName();
        QVERIFY(temporary.startsWith('.'));
        QtLocalFiles files;
        {
            FileFailure failure;
            auto copy = files.openCopy(source, target, &failure);
            QVERIFY2(copy, qPrintable(failure.error));
            QCOMPARE(copy->size(), qint64(60000));
            QVERIFY(copy->copy(25000));
            // Hidden while written, so never listed; the old copy untouched.
            QCOMPARE(entries(dir.filePath("ads")), QStringList({temporary, "55VaSo00.jpg"}));
            QCOMPARE(readAll(target), QByteArray("old copy"));
        }   // abandoned: the temporary file goes
        QCOMPARE(entries(dir.filePath("ads")), QStringList{"55VaSo00.jpg"});
        QCOMPARE(readAll(target), QByteArray("old copy"));

        auto copy = files.openCopy(source, target, nullptr);
        QVERIFY(copy && copy->copy(25000) && copy->copy(35000));
        QVERIFY2(copy->commit(), qPrintable(copy->failure().error));
        copy.reset();
        QCOMPARE(readAll(target), content("new", 60000));
        QCOMPARE(entries(dir.filePath("ads")), QStringList{"55VaSo00.jpg"});

        // A folder or a source that is not there: the reason, and nothing written.
        FileFailure failure;
        QVERIFY(!files.openCopy(source, dir.filePath("missing/55VaSo00.jpg"), &failure));
        QCOMPARE(failure.error, QString("No such file or directory"));
        QVERIFY(!failure.diskFull);
        failure = FileFailure{};
        QVERIFY(!files.openCopy(dir.filePath("media/missing.jpg"), dir.filePath("ads/missing.jpg"), &failure));
        QCOMPARE(failure.error, QString("No such file or directory"));
        QCOMPARE(entries(dir.filePath("ads")), QStringList{"55VaSo00.jpg"});
    }

    void realCopyKeepsEveryByteInOrder_data()
    {
        QTest::addColumn<bool>("otherFileSystem");
        QTest::newRow("one file system: copied by the kernel") << false;
        QTest::newRow("another file system: read and written") << true;
    }
    void realCopyKeepsEveryByteInOrder()
    {
        // In the copy's steps and in odd ones, with a remainder; then a step past the end.
        QFETCH(bool, otherFileSystem);
        QTemporaryDir dir;
        QTemporaryDir memory(QStringLiteral("/dev/shm/vantorra-test-XXXXXX"));
        const QString source = (otherFileSystem ? memory.path() : dir.path()) + "/media.jpg";
        if (otherFileSystem) {
            struct stat a {}, b {};
            if (!memory.isValid() || ::stat(QFile::encodeName(memory.path()).constData(), &a) != 0
                || ::stat(QFile::encodeName(dir.path()).constData(), &b) != 0 || a.st_dev == b.st_dev)
                QSKIP("No memory file system beside the temporary folder's.");
        }
        const QByteArray bytes = content("whole", 1000003);
        writeBytes(source, bytes);
        const QString target = dir.filePath("55VaSo00.jpg");
        QtLocalFiles files;
        auto copy = files.openCopy(source, target, nullptr);
        QVERIFY(copy);
        const qint64 steps[] = {25000, 1, 131072, 7, 262144, 300000};
        qint64 at = 0;
        for (int i = 0; at < bytes.size(); ++i) {
            const qint64 step = std::min<qint64>(steps[i % 6], bytes.size() - at);
            QVERIFY2(copy->copy(step), qPrintable(copy->failure().error));
            at += step;
        }
        QVERIFY2(copy->commit(), qPrintable(copy->failure().error));
        copy.reset();
        QCOMPARE(readAll(target), bytes);
        QCOMPARE(entries(dir.path()), otherFileSystem ? QStringList{"55VaSo00.jpg"} : QStringList({"55VaSo00.jpg", "media.jpg"}));

        // A source shorter than the steps asked for is never a whole copy.
        copy = files.openCopy(source, dir.filePath("55VaSo01.jpg"), nullptr);
        QVERIFY(copy && copy->copy(1000000));
        QVERIFY(!copy->copy(25000));
        QCOMPARE(copy->failure().error, QString("The file ended before its last byte could be read"));
        copy.reset();
        QVERIFY(!QFileInfo::exists(dir.filePath("55VaSo01.jpg")));
    }

    void realCopyReportsAFailedWriteAndLeavesNothing()
    {
        // A file size limit makes the system refuse the bytes past it, as a full disk would.
        QTemporaryDir dir;
        const QString source = dir.filePath("media.jpg");
        const QString target = dir.filePath("55VaSo00.jpg");
        writeBytes(source, content("source", 1000000));
        writeBytes(target, "old copy");
        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit saved = limit;
        limit.rlim_cur = 300000;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        auto restore = qScopeGuard([&] {
            ::setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, oldHandler);
        });

        QtLocalFiles files;
        auto copy = files.openCopy(source, target, nullptr);
        QVERIFY(copy);
        bool copied = true;
        for (int i = 0; i < 40 && copied; ++i)
            copied = copy->copy(25000);
        QVERIFY(!copied);
        QCOMPARE(copy->failure().error, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QVERIFY(!copy->failure().diskFull);
        copy.reset();
        QCOMPARE(readAll(target), QByteArray("old copy"));
        QCOMPARE(entries(dir.path()), QStringList({"55VaSo00.jpg", "media.jpg"}));
    }

    void realWholeFilesAndFlushes()
    {
        QTemporaryDir dir;
        QtLocalFiles files;
        FileFailure failure;
        QVERIFY2(files.writeFile(dir.filePath(".copy-complete"), "complete\n", &failure), qPrintable(failure.error));
        QCOMPARE(readAll(dir.filePath(".copy-complete")), QByteArray("complete\n"));
        QVERIFY(!files.writeFile(dir.filePath("missing/.copy-complete"), "complete\n", &failure));
        QCOMPARE(failure.error, QString("No such file or directory"));
        QCOMPARE(entries(dir.path()), QStringList{".copy-complete"});

        QString error;
        QVERIFY2(files.flush({dir.filePath(".copy-complete")}, dir.path(), &error), qPrintable(error));
        QVERIFY(!files.flush({dir.filePath("55VaSo00.jpg")}, dir.path(), &error));
        QCOMPARE(error, QString("No such file or directory"));
    }

    void realLeftoverTemporaryFiles()
    {
        // Only the program's own temporary files, and only those whose process is gone.
        QTemporaryDir dir;
        const QString dead = deadProcessId();
        const QString alive = QString::number(QCoreApplication::applicationPid());
        for (const QString& name : QStringList{".55VaSo00.jpg." + dead + ".part", ".55VaSo01.jpg." + alive + ".part",
                                    ".notes.part", "55VaSo02.jpg." + dead + ".part", "." + dead + ".part",
                                    ".55VaSo03.jpg.0" + dead + ".part", "55VaSo04.jpg"})
            writeBytes(dir.filePath(name), "x");
        QVERIFY(QDir(dir.path()).mkdir(".55VaSo05.jpg." + dead + ".part"));
        QtLocalFiles files;
        QCOMPARE(files.leftoverTemporaryFiles(dir.path()), QStringList{dir.filePath(".55VaSo00.jpg." + dead + ".part")});
        QVERIFY(files.leftoverTemporaryFiles(dir.filePath("missing")).isEmpty());
    }

    void realFreeSpaceOfAFolderNotYetMade()
    {
        QTemporaryDir dir;
        StatvfsDiskSpace space;
        DiskFigures existing, missing;
        QString error;
        QVERIFY(space.diskFreeSpace(dir.path(), &existing, &error));
        QVERIFY(space.diskFreeSpace(dir.filePath("not/yet/made"), &missing, &error));
        QVERIFY(existing.bytesPerSector > 0);
        QCOMPARE(missing.bytesPerSector, existing.bytesPerSector);
        QCOMPARE(missing.totalClusters, existing.totalClusters);
        QVERIFY(existing.freeClusters <= existing.totalClusters);
    }

    // ---- removal ----------------------------------------------------------------------

    void removeAnsweredNo()
    {
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.library().file("ads/55VaSo00.jpg", "x");
        l.p.markLibraryComplete();
        l.p.fake.boxes.answer(MsgBox::No);
        l.chooseFromFileMenu(l.f->mnuRemove);
        QCOMPARE(l.p.fake.boxes.calls.size(), 1);
        QCOMPARE(l.p.fake.boxes.calls[0].text,
                 QString("Would you like to remove all Vantorra Ads from your hard drive?"));
        QCOMPARE(l.p.fake.boxes.calls[0].buttons, int(MsgBox::YesNo));
        QCOMPARE(l.p.fake.boxes.calls[0].icon, int(MsgBox::Question));
        QCOMPARE(l.p.fake.boxes.calls[0].title, kTitle);
        QCOMPARE(entries(l.localFolder()), QStringList({".copy-complete", "55VaSo00.jpg"}));
        QVERIFY(!l.p.fake.end.hasEnded());
        QVERIFY(l.f->isVisible());
    }

    void removeWithoutALibrary()
    {
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.fake.boxes.answer(MsgBox::Yes).answer(MsgBox::Ok);
        l.chooseFromFileMenu(l.f->mnuRemove);
        QCOMPARE(l.p.fake.boxes.calls.size(), 2);
        QCOMPARE(l.p.fake.boxes.calls[1].text, kRemoved);
        QCOMPARE(l.p.fake.boxes.calls[1].icon, int(MsgBox::NoIcon));
        QCOMPARE(l.p.fake.boxes.calls[1].title, kTitle);
        QCOMPARE(entries(l.p.programFolder()), QStringList());
        // The orderly close: the geometry is stored and the program ends.
        QVERIFY(l.p.fake.end.endedOrderly);
        QVERIFY(l.p.fake.settings.writes.contains("MainLeft"));
        QVERIFY(!l.f->isVisible());
    }

    void removeACopiedLibrary()
    {
        Library l({{"55VaSo00.jpg", 30000}, {"55VaSo01.jpg", 100}});
        QVERIFY(l.f);
        l.p.fake.boxes.answer(MsgBox::Ok).answer(MsgBox::Yes).answer(MsgBox::Ok);
        l.copy();
        QCOMPARE(l.p.g.LocalRoot, l.p.programFolder());
        // The hourglass over the whole removal, the message included, through the pointer service.
        int pointerAtMessage = -1;
        l.p.fake.boxes.onShow = [&](const FakeMessageBoxes::Call&) { pointerAtMessage = l.p.fake.pointer.current; };
        l.p.fake.pointer.history.clear();
        l.chooseFromFileMenu(l.f->mnuRemove);
        QCOMPARE(l.p.fake.boxes.calls.last().text, kRemoved);
        QVERIFY(!QFileInfo::exists(l.localFolder()));
        QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
        QCOMPARE(pointerAtMessage, int(MousePointer::Hourglass));
        QCOMPARE(l.p.fake.pointer.history, QVector<int>({MousePointer::Hourglass, MousePointer::Default}));
        QVERIFY(l.p.fake.end.endedOrderly);
        // The mark went first.
        QVERIFY(l.p.fake.localFiles.removedFiles.first().endsWith(".copy-complete"));
        ProgramState restarted;
        QVERIFY(LocateMedia(restarted, l.p.fake.services()));
        QCOMPARE(restarted.LocalRoot, restarted.MediaRoot);
    }

    void removeLeavesOtherFiles()
    {
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.library().file("ads/55VaSo00.jpg", "x").file("ads/55VaSo01.JPG", "y").file("ads/readme.txt", "z");
        l.p.markLibraryComplete();
        l.p.fake.boxes.answer(MsgBox::Yes).answer(MsgBox::Ok);
        l.f->mnuRemove->trigger();
        QCOMPARE(l.p.fake.boxes.calls.last().text, kRemoved);
        QCOMPARE(entries(l.localFolder()), QStringList{"readme.txt"});
        QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
        QVERIFY(l.p.fake.end.endedOrderly);
    }

    void removeWithAFileThatCannotBeDeleted()
    {
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.library().file("ads/55VaSo00.jpg", "x").file("ads/55VaSo01.jpg", "y").file("ads/55VaSo02.jpg", "z");
        l.p.markLibraryComplete();
        l.p.fake.localFiles.undeletable = {"55VaSo01.jpg"};
        l.p.fake.boxes.answer(MsgBox::Yes).answer(MsgBox::Ok);
        l.f->mnuRemove->trigger();
        // The others are gone; the one stays, and with it the folder, but never as a library.
        QCOMPARE(entries(l.localFolder()), QStringList{"55VaSo01.jpg"});
        const auto& box = l.p.fake.boxes.calls.last();
        QVERIFY2(box.text.startsWith("1 Ad could not be removed from the hard drive.\r\n"), qPrintable(box.text));
        QVERIFY(box.text.contains("55VaSo01.jpg: Operation not permitted"));
        QVERIFY(!box.text.contains("Successfully"));
        QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
        QVERIFY(l.p.fake.end.endedOrderly);
        ProgramState restarted;
        QVERIFY(LocateMedia(restarted, l.p.fake.services()));
        QCOMPARE(restarted.LocalRoot, restarted.MediaRoot);
    }

    void removeKeepsAWholeLibraryWhenItsMarkCannotGo()
    {
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.library().file("ads/55VaSo00.jpg", "x");
        l.p.markLibraryComplete();
        l.p.fake.localFiles.undeletable = {".copy-complete"};
        l.p.fake.boxes.answer(MsgBox::Yes).answer(MsgBox::Ok);
        l.f->mnuRemove->trigger();
        QCOMPARE(entries(l.localFolder()), QStringList({".copy-complete", "55VaSo00.jpg"}));
        // The message names the ads that stayed and their folder, not the hidden mark.
        const QString text = l.p.fake.boxes.calls.last().text;
        QVERIFY2(text.startsWith("1 Ad could not be removed from the hard drive.\r\n\r\n" + l.localFolder()
                                 + ": Operation not permitted\r\n"),
                 qPrintable(text));
        QVERIFY(!text.contains(".copy-complete"));
    }

    void removeFailureInGoodEnglish()
    {
        Library l({{"55VaSo00.jpg", 100}});
        QVERIFY(l.f);
        l.p.library().file("ads/55VaSo00.jpg", "x").file("ads/55VaSo01.jpg", "y").file("ads/55VaSo02.jpg", "z");
        l.p.markLibraryComplete();
        l.p.fake.localFiles.undeletable = {"55VaSo01.jpg", "55VaSo02.jpg"};
        l.p.fake.boxes.answer(MsgBox::Yes).answer(MsgBox::Ok);
        l.f->mnuRemove->trigger();
        const QString text = l.p.fake.boxes.calls.last().text;
        QVERIFY2(text.startsWith("2 Ads could not be removed from the hard drive.\r\n\r\n55VaSo01.jpg: "
                                 "Operation not permitted\r\n"),
                 qPrintable(text));
    }

    // ---- the library's folder ------------------------------------------------------------

    void libraryFolderInAnotherLetterCase()
    {
        // An earlier library in "ADS" with a stale copy: the copy, the years and Remove use
        // that one folder.
        Library l({{"55VaSo00.jpg", 30000}, {"55VaSo01.jpg", 100}});
        QVERIFY(l.f);
        l.p.library().file("ADS/55VaSo00.jpg", content("stale", 30000)).file("ADS/55VaSo07.jpg", "old");
        l.p.fake.boxes.answer(MsgBox::Ok).answer(MsgBox::Yes).answer(MsgBox::Ok);
        l.copy();
        QCOMPARE(l.p.fake.boxes.calls.value(0).text, kSuccess);
        const QString folder = l.p.programFolder() + "/ADS";
        QCOMPARE(entries(l.p.programFolder()), QStringList{"ADS"});
        QCOMPARE(readAll(folder + "/55VaSo00.jpg"), readAll(l.mediaFile("55VaSo00.jpg")));
        QVERIFY(QFileInfo::exists(libraryMarkPath(folder)));
        // The years read the new copy, now and after a restart.
        QCOMPARE(l.p.g.LocalRoot, l.p.programFolder());
        QCOMPARE(l.p.fake.files.first(l.p.g.LocalRoot, "/ads/55VaSo00.jpg").path, folder + "/55VaSo00.jpg");
        ProgramState restarted;
        QVERIFY(LocateMedia(restarted, l.p.fake.services()));
        QCOMPARE(restarted.LocalRoot, l.p.programFolder());

        l.f->mnuRemove->trigger();
        QCOMPARE(l.p.fake.boxes.calls.last().text, kRemoved);
        QCOMPARE(entries(l.p.programFolder()), QStringList());
    }

    void leftoverTemporaryFilesAreClearedByTheNextCopyAndByRemove()
    {
        // A copy killed mid-file leaves its hidden temporary files; the next copy and Remove
        // clear them, and nothing else of the user's.
        Library l({{"55VaSo00.jpg", 30000}});
        QVERIFY(l.f);
        const QString pid = deadProcessId();
        l.p.library()
            .file("ads/.55VaSo00.jpg." + pid + ".part", "half")
            .file("ads/.55VaSo03.jpg." + pid + ".part", "half")
            .file("ads/.notes.part", "mine");
        l.p.fake.boxes.answer(MsgBox::Ok).answer(MsgBox::Yes).answer(MsgBox::Ok);
        l.copy();
        QCOMPARE(l.p.fake.boxes.calls.value(0).text, kSuccess);
        QCOMPARE(entries(l.localFolder()), QStringList({".copy-complete", ".notes.part", "55VaSo00.jpg"}));

        // Killed once more; then removed: the folder goes.
        QVERIFY(QFile::remove(l.localFile(".notes.part")));
        l.p.library().file("ads/.55VaSo01.jpg." + pid + ".part", "half");
        l.f->mnuRemove->trigger();
        QCOMPARE(l.p.fake.boxes.calls.last().text, kRemoved);
        QVERIFY(!QFileInfo::exists(l.localFolder()));
    }

    void unwritableLibraryGivesTheFolderReason_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only file system") << QString("Read-only file system");
        QTest::newRow("permission denied") << QString("Permission denied");
    }
    void unwritableLibraryGivesTheFolderReason()
    {
        QFETCH(QString, reason);
        QTemporaryDir parent;
        QVERIFY(parent.isValid());
        const QByteArray native = QFile::encodeName(parent.path());
        auto undo = qScopeGuard([&] {
            ::umount2(native.constData(), MNT_DETACH);
            ::chmod(native.constData(), 0700);
        });
        if (reason == "Read-only file system") {
            if (::geteuid() != 0)
                QSKIP("Mounting a read-only file system needs root.");
            if (::mount("tmpfs", native.constData(), "tmpfs", MS_RDONLY, "size=64k") != 0)
                QSKIP(qPrintable(QString("Cannot mount a tmpfs here (%1).").arg(QString::fromLocal8Bit(strerror(errno)))));
        } else {
            if (::geteuid() == 0)
                QSKIP("Root may write into any folder.");
            QCOMPARE(::chmod(native.constData(), 0555), 0);
        }
        Library l({{"55VaSo00.jpg", 30000}, {"55VaSo01.jpg", 100}});
        QVERIFY(l.f);
        l.p.fake.folder.folder = parent.path();
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.copy();

        // One message with the folder's own reason; no file tried, no media prompt.
        QCOMPARE(l.p.fake.boxes.calls.size(), 1);
        const QString text = l.p.fake.boxes.calls[0].text;
        QVERIFY2(text.startsWith("2 of 2 Ads could not be copied to the hard drive.\r\n\r\n" + parent.path()
                                 + "/ads: " + reason + "\r\n"),
                 qPrintable(text));
        QVERIFY(l.writes.isEmpty());
        QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
        QVERIFY(l.f->isEnabled());
    }

    void copiesAreOnTheDiskBeforeTheMark()
    {
        // A power loss must not leave a mark over copies that were only in memory: the
        // removal of the old mark, then every copy and the folder, are flushed first.
        Library l({{"55VaSo00.jpg", 30000}, {"55VaSo01.jpg", 100}});
        QVERIFY(l.f);
        l.p.library().file("ads/55VaSo00.jpg", "old");
        l.p.markLibraryComplete();
        QStringList flushedAtFirstCopy;
        QStringList flushedAtMark;
        const auto record = l.p.fake.localFiles.onWrite;
        l.p.fake.localFiles.onWrite = [&](const QString& path, qint64 size) {
            if (path.endsWith("55VaSo00.jpg") && flushedAtFirstCopy.isEmpty())
                flushedAtFirstCopy = l.p.fake.localFiles.flushed;
            if (path.endsWith(".copy-complete"))
                flushedAtMark = l.p.fake.localFiles.flushed;
            record(path, size);
        };
        // The message comes as soon as the copies are whole; they go to the disk after it,
        // under the hourglass, and the library is read from only once they are there.
        QStringList flushedAtMessage;
        QString rootAtMessage;
        l.p.fake.boxes.onShow = [&](const FakeMessageBoxes::Call&) {
            flushedAtMessage = l.p.fake.localFiles.flushed;
            rootAtMessage = l.p.g.LocalRoot;
            l.p.fake.pointer.history.clear();
        };
        l.p.fake.boxes.answer(MsgBox::Ok);
        l.copy();
        QCOMPARE(l.p.fake.boxes.calls.value(0).text, kSuccess);
        QCOMPARE(flushedAtFirstCopy, QStringList{l.localFolder()});
        QCOMPARE(flushedAtMessage, QStringList{l.localFolder()});
        QCOMPARE(rootAtMessage, l.p.mediaRoot());
        QCOMPARE(flushedAtMark, QStringList({l.localFolder(), l.localFile("55VaSo00.jpg"), l.localFile("55VaSo01.jpg"),
                                             l.localFolder()}));
        QCOMPARE(l.p.fake.pointer.history, QVector<int>({MousePointer::Hourglass, MousePointer::Default}));
        QVERIFY(l.marked());
        QCOMPARE(l.p.g.LocalRoot, l.p.programFolder());
    }

    void copiesThatCannotBePutOnTheDiskAreNotReadFrom()
    {
        // The system takes the copies but cannot write them out (an I/O error, a disk that
        // filled late): after the message that they were copied, a second one says why the
        // library is not complete, and the ads are still read from the media.
        Library l({{"55VaSo00.jpg", 30000}, {"55VaSo01.jpg", 100}});
        QVERIFY(l.f);
        l.p.fake.localFiles.flushError = QStringLiteral("Input/output error");
        l.p.fake.boxes.answer(MsgBox::Ok).answer(MsgBox::Ok);
        l.copy();
        QCOMPARE(l.p.fake.boxes.calls.size(), 2);
        QCOMPARE(l.p.fake.boxes.calls[0].text, kSuccess);
        QCOMPARE(l.p.fake.boxes.calls[1].text,
                 QString("The copy of the Ads on the hard drive could not be completed.\r\n\r\n" + l.localFolder()
                         + ": Input/output error\r\n"));
        QCOMPARE(l.p.fake.boxes.calls[1].icon, int(MsgBox::Critical));
        QVERIFY(!l.marked());
        QCOMPARE(l.p.g.LocalRoot, l.p.mediaRoot());
        QVERIFY(l.f->isEnabled());
        QVERIFY(!l.f->pnlProgress->isVisible());
        QVERIFY(l.f->cmdCopy->isEnabled());
    }
};

VANTORRA_TEST_MAIN(TestLibrary)
#include "tst_library.moc"
