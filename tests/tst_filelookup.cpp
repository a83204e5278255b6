// The case-insensitive file lookup: answers, failures, hidden names and the folder index.
#include "TestProgram.h"
#include "platform/qt/DiskFileLookup.h"

#include <QDir>
#include <QFile>

class TestFileLookup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    void touch(const QString& relative)
    {
        const QString path = m_dir.path() + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    void initTestCase()
    {
        touch("/Ads/55VaSo00.jpg");
        touch("/Ads/55VASO01.JPG");
        touch("/Ads/notes.txt");
        touch("/Ads/.hidden.jpg");
        touch("/Ads/README");
        touch("/Graphics/VACorp00.bmp");
        QDir().mkpath(m_dir.path() + "/Ads/folder.jpg");
        QDir().mkpath(m_dir.path() + "/Empty");
        touch("/.secret/x.jpg");
    }

    void first_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("name");
        QTest::newRow("exact case") << "/Ads/55VaSo00.jpg" << "55VaSo00.jpg";
        QTest::newRow("folder in other case") << "/ads/55VaSo00.jpg" << "55VaSo00.jpg";
        QTest::newRow("name in other case") << "/ADS/55vaso01.jpg" << "55VASO01.JPG";
        QTest::newRow("company picture spelled upper") << "/graphics/VACORP00.bmp" << "VACorp00.bmp";
        QTest::newRow("wildcard takes the first by name") << "/ads/*.jpg" << "55VaSo00.jpg";
        QTest::newRow("question marks") << "/ads/55????01.jpg" << "55VASO01.JPG";
        QTest::newRow("star alone") << "/Ads/R*" << "README";
        QTest::newRow("star dot star") << "/Graphics/*.*" << "VACorp00.bmp";
        QTest::newRow("missing file is empty") << "/ads/55VaSo02.jpg" << "";
        QTest::newRow("missing folder is empty") << "/nothing/55VaSo00.jpg" << "";
        QTest::newRow("empty folder is empty") << "/Empty/*.*" << "";
        QTest::newRow("hidden file never listed") << "/ads/.hidden.jpg" << "";
        QTest::newRow("folders never listed as files") << "/ads/folder.jpg" << "";
        QTest::newRow("hidden folder not entered") << "/.secret/x.jpg" << "";
        QTest::newRow("a file is no folder") << "/Ads/notes.txt/x" << "";
    }

    void first()
    {
        QFETCH(QString, relative);
        QFETCH(QString, name);
        DiskFileLookup lookup;
        const Listing l = lookup.first(m_dir.path(), relative);
        QVERIFY(!l.failed);
        QCOMPARE(l.name, name);
        if (!name.isEmpty())
            QVERIFY(QFileInfo::exists(l.path));
    }

    void folderAsSpelledOnDisk_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("folder");   // below the root; null: none
        QTest::newRow("other case") << "/ads" << "/Ads";
        QTest::newRow("two levels") << "/ADS/FOLDER.JPG" << "/Ads/folder.jpg";
        QTest::newRow("a file is no folder") << "/ads/notes.txt" << QString();
        QTest::newRow("missing") << "/nothing" << QString();
        QTest::newRow("hidden folder") << "/.secret" << QString();
    }
    void folderAsSpelledOnDisk()
    {
        QFETCH(QString, relative);
        QFETCH(QString, folder);
        DiskFileLookup lookup;
        QCOMPARE(lookup.folder(m_dir.path(), relative), folder.isNull() ? QString() : m_dir.path() + folder);
        QCOMPARE(lookup.folder(m_dir.path() + "/missing-root", relative), QString());
    }

    void unreadableRootFails_data()
    {
        QTest::addColumn<QString>("root");
        QTest::newRow("missing root") << m_dir.path() + "/no-such-drive";
        QTest::newRow("root is a file") << m_dir.path() + "/Ads/notes.txt";
    }

    void unreadableRootFails()
    {
        QFETCH(QString, root);
        DiskFileLookup lookup;
        const Listing l = lookup.first(root, "/ads/*.jpg");
        QVERIFY(l.failed);
        QVERIFY(!l.error.isEmpty());
        QVERIFY(l.name.isEmpty());
        bool failed = false;
        QVERIFY(lookup.all(root, "/ads/*.jpg", &failed).isEmpty());
        QVERIFY(failed);
    }

    void allListsMatchingFilesInOrder()
    {
        DiskFileLookup lookup;
        bool failed = true;
        QCOMPARE(lookup.all(m_dir.path(), "/ads/*.jpg", &failed), QStringList({"55VaSo00.jpg", "55VASO01.JPG"}));
        QVERIFY(!failed);
        QCOMPARE(lookup.all(m_dir.path(), "/ads/*.*").size(), 4); // README and notes.txt too, no hidden, no folder
    }

    void indexReadsAFolderOnceUntilItChanges()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + "/ads");
        DiskFileLookup lookup;
        for (int i = 0; i < 20; ++i)
            QVERIFY(!lookup.first(dir.path(), QStringLiteral("/ads/%1VaVa00.jpg").arg(50 + i)).found());
        QCOMPARE(lookup.directoryReads(), 2); // the root and "ads", once each

        QFile f(dir.path() + "/ads/55VaVa00.jpg");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(lookup.first(dir.path(), "/ads/55vava00.JPG").found());
        QCOMPARE(lookup.directoryReads(), 3); // "ads" changed and was read again

        QVERIFY(QFile::remove(f.fileName()));
        QVERIFY(!lookup.first(dir.path(), "/ads/55VaVa00.jpg").found());
    }

    void sameNameInTwoCasesGivesTheFirstByStoredSpelling()
    {
        QTemporaryDir dir;
        for (const char* n : {"/ads/55vava00.jpg", "/ads/55VAVA00.jpg"}) {
            QDir().mkpath(dir.path() + "/ads");
            QFile f(dir.path() + n);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        DiskFileLookup lookup;
        QCOMPARE(lookup.first(dir.path(), "/ads/55VaVa00.jpg").name, QString("55VAVA00.jpg"));
    }

    void wildcardRules_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("match");
        QTest::newRow("star") << "*.jpg" << "a.JPG" << true;
        QTest::newRow("star needs the suffix") << "*.jpg" << "a.jpeg" << false;
        QTest::newRow("star in the middle") << "55*01.jpg" << "55VaSo01.jpg" << true;
        QTest::newRow("question is one character") << "5?.jpg" << "55.jpg" << true;
        QTest::newRow("question is not zero characters") << "5?.jpg" << "5.jpg" << false;
        QTest::newRow("star dot star matches a name without a dot") << "*.*" << "README" << true;
        QTest::newRow("backtracking") << "*a*b" << "xaxaxb" << true;
        QTest::newRow("non-ASCII is not folded") << "\u00c9.jpg" << "\u00e9.jpg" << false;
    }

    void wildcardRules()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, match);
        QCOMPARE(DiskFileLookup::matches(pattern, name), match);
    }
};

VANTORRA_TEST_MAIN(TestFileLookup)
#include "tst_filelookup.moc"
