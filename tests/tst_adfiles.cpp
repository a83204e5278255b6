// The naming, counting and stepping rules of the advertisement files.
#include "browser/AdFiles.h"

#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

std::vector<int> run(int from, int to)
{
    std::vector<int> v;
    for (int n = from;; n += from <= to ? 1 : -1) {
        v.push_back(n);
        if (n == to)
            break;
    }
    return v;
}

QSet<int> numbersIn(const QString& list)
{
    QSet<int> s;
    for (const QString& n : list.split(',', Qt::SkipEmptyParts))
        s.insert(n.toInt());
    return s;
}

} // namespace

class TestAdFiles : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("third of 1955") << 55 << "VaSo" << 2 << "/ads/55VaSo02.jpg";
        QTest::newRow("number 10 as it is") << 69 << "KTUl" << 10 << "/ads/69KTUl10.jpg";
        QTest::newRow("number 20") << 50 << "OtIs" << 20 << "/ads/50OtIs20.jpg";
        QTest::newRow("number 30") << 61 << "HaAl" << 30 << "/ads/61HaAl30.jpg";
    }
    void names()
    {
        QFETCH(int, year);
        QFETCH(QString, code);
        QFETCH(int, number);
        QFETCH(QString, name);
        QCOMPARE(adFile(year, code, number), name);
    }

    void yearOfCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("year");
        QTest::newRow("1950") << "1950" << 50;
        QTest::newRow("1969") << "1969" << 69;
        QTest::newRow("two digits first") << "55" << 0;     // characters 3 and 4 missing
        QTest::newRow("no digits first") << "ab61" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void yearOfCaption()
    {
        QFETCH(QString, caption);
        QFETCH(int, year);
        QCOMPARE(yearFromCaption(caption), year);
    }

    // present: numbers whose file exists; failing: the number whose listing fails.
    void count_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<int>("failing");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("valid");
        QTest::newRow("one") << "0" << -1 << 1 << true;
        QTest::newRow("00 to 03") << "0,1,2,3" << -1 << 4 << true;
        QTest::newRow("gap 00 02") << "0,2" << -1 << 3 << true;
        QTest::newRow("01 without 00") << "1" << -1 << 2 << true;
        QTest::newRow("twenty") << "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19" << -1 << 20 << true;
        QTest::newRow("number 20 present") << "0,1,20" << -1 << 21 << false;
        QTest::newRow("none") << "" << -1 << 0 << false;
        QTest::newRow("first listing fails") << "0,1" << 20 << 21 << false;
        QTest::newRow("later listing fails") << "0,1" << 7 << 8 << true;
    }
    void count()
    {
        QFETCH(QString, present);
        QFETCH(int, failing);
        QFETCH(int, count);
        QFETCH(bool, valid);
        const QSet<int> files = numbersIn(present);
        QList<int> asked;
        const int n = countAds([&](int number) {
            asked << number;
            if (number == failing)
                return Probe::Failed;
            return files.contains(number) ? Probe::Found : Probe::Missing;
        });
        QCOMPARE(n, count);
        QCOMPARE(countIsValid(n), valid);
        QCOMPARE(asked.first(), 20);  // counted from the top
        QCOMPARE(asked.last(), qMax(count - 1, 0));
    }

    void counter()
    {
        QCOMPARE(counterText(0, 1), QString("1 of 1"));
        QCOMPARE(counterText(3, 4), QString("4 of 4"));
        QCOMPARE(counterText(19, 20), QString("20 of 20"));
    }

    void ranges_data()
    {
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("adNumber");
        QTest::addColumn<std::vector<int>>("numbers");
        QTest::addColumn<int>("origin");
        QTest::addColumn<int>("pastEnd");
        QTest::newRow("back from 1") << false << 1 << run(0, 0) << -1 << -1;
        QTest::newRow("back from 5") << false << 5 << run(4, 0) << -1 << -1;
        QTest::newRow("back from 29") << false << 29 << run(28, 0) << -1 << -1;
        QTest::newRow("back from first wraps") << false << 0 << run(29, 1) << -1 << 0;
        QTest::newRow("back from 30") << false << 30 << run(9, 1) << -1 << 0;
        QTest::newRow("back from 31") << false << 31 << run(9, 1) << -1 << 0;
        QTest::newRow("on from 0") << true << 0 << run(1, 30) << 0 << 31;
        QTest::newRow("on from 2") << true << 2 << run(3, 30) << 2 << 31;
        QTest::newRow("on from 29") << true << 29 << run(30, 30) << 29 << 31;
        QTest::newRow("on from 30") << true << 30 << run(1, 30) << 0 << 31;
        QTest::newRow("on from 31") << true << 31 << run(1, 30) << 0 << 31;
    }
    void ranges()
    {
        QFETCH(bool, forward);
        QFETCH(int, adNumber);
        QFETCH(std::vector<int>, numbers);
        QFETCH(int, origin);
        QFETCH(int, pastEnd);
        const StepRange r = forward ? nextRange(adNumber) : previousRange(adNumber);
        QCOMPARE(r.numbers, numbers);
        QCOMPARE(r.origin, origin);
        // A backward range that reaches 0 always ends there, so it has no "past the end".
        if (pastEnd >= 0)
            QCOMPARE(::pastEnd(r), pastEnd);
    }

    void wrap()
    {
        const StepRange r = wrapRange();
        QCOMPARE(r.numbers, run(0, 30));
        QCOMPARE(::pastEnd(r), 31);
    }

    void neighbours_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<int>("adNumber");
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("next");
        QTest::newRow("middle") << "0,1,2" << 1 << 0 << 2;
        QTest::newRow("first wraps back") << "0,1,2" << 0 << 2 << 1;
        QTest::newRow("last wraps on") << "0,1,2" << 2 << 1 << 0;
        QTest::newRow("over a gap") << "0,1,3" << 1 << 0 << 3;
        QTest::newRow("single") << "0" << 0 << -1 << -1;
        QTest::newRow("after a failed search") << "0,1" << 31 << 1 << 1;
    }
    void neighbours()
    {
        QFETCH(QString, present);
        QFETCH(int, adNumber);
        QFETCH(int, previous);
        QFETCH(int, next);
        const QSet<int> files = numbersIn(present);
        const Neighbours n = neighboursOf(adNumber, [&](int number) { return files.contains(number); });
        QCOMPARE(n.previous, previous);
        QCOMPARE(n.next, next);
    }

    void stepsAhead_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<int>("adNumber");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("middle of many") << "0,1,2,3,4,5,6" << 3 << QList<int>{4, 2, 5, 6, 1};
        QTest::newRow("first: back wraps to the last") << "0,1,2,3,4,5,6" << 0 << QList<int>{1, 6, 2, 3, 5};
        QTest::newRow("near the end: on wraps to the first") << "0,1,2,3,4,5,6" << 5 << QList<int>{6, 4, 0, 1, 3};
        QTest::newRow("over gaps") << "0,2,5,9" << 0 << QList<int>{2, 9, 5};
        QTest::newRow("three: each once") << "0,1,2" << 0 << QList<int>{1, 2};
        QTest::newRow("two") << "0,1" << 1 << QList<int>{0};
        QTest::newRow("single") << "0" << 0 << QList<int>{};
    }
    void stepsAhead()
    {
        QFETCH(QString, present);
        QFETCH(int, adNumber);
        QFETCH(QList<int>, numbers);
        const QSet<int> files = numbersIn(present);
        QCOMPARE(::stepsAhead(adNumber, [&](int number) { return files.contains(number); }), numbers);
    }

    // The first ads of a make's years decoded ahead: nearest first, within the memory.
    void yearsToReadAhead_data()
    {
        QTest::addColumn<QList<int>>("available");
        QTest::addColumn<int>("near");
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<qint64>("each");
        QTest::addColumn<QList<int>>("years");
        const QList<int> make{69, 50, 55, 57, 60, 65};
        QTest::newRow("no year shown: as the buttons run") << make << 0 << qint64(1000) << qint64(10)
                                                          << QList<int>{50, 55, 57, 60, 65, 69};
        QTest::newRow("nearest first, the later of two as near") << make << 60 << qint64(1000) << qint64(10)
                                                                 << QList<int>{60, 57, 65, 55, 69, 50};
        QTest::newRow("from the first year") << make << 50 << qint64(1000) << qint64(10)
                                             << QList<int>{50, 55, 57, 60, 65, 69};
        QTest::newRow("a year without ads in the middle") << QList<int>{54, 56} << 55 << qint64(1000) << qint64(10)
                                                          << QList<int>{56, 54};
        QTest::newRow("the budget holds the nearest three") << make << 60 << qint64(35) << qint64(10)
                                                            << QList<int>{60, 57, 65};
        QTest::newRow("exactly two") << make << 69 << qint64(20) << qint64(10) << QList<int>{69, 65};
        QTest::newRow("less than one") << make << 60 << qint64(9) << qint64(10) << QList<int>{};
        QTest::newRow("no budget") << make << 60 << qint64(-5) << qint64(10) << QList<int>{};
        QTest::newRow("nothing to read") << QList<int>{} << 60 << qint64(1000) << qint64(10) << QList<int>{};
        // Twenty years of copies of 443 x 563 pixels fit into 48 MiB; at twice the density a dozen.
        QList<int> twenty;
        for (int y = 50; y < 70; ++y)
            twenty << y;
        QTest::newRow("every year at 96 dpi") << twenty << 0 << qint64(48) * 1024 * 1024
                                              << ::viewCopyBytes(QSize(443, 563)) << twenty;
        QTest::newRow("twelve at 192 dpi") << twenty << 0 << qint64(48) * 1024 * 1024
                                           << ::viewCopyBytes(QSize(886, 1126)) << twenty.mid(0, 12);
    }
    void yearsToReadAhead()
    {
        QFETCH(QList<int>, available);
        QFETCH(int, near);
        QFETCH(qint64, budget);
        QFETCH(qint64, each);
        QFETCH(QList<int>, years);
        QCOMPARE(::yearsToReadAhead(available, near, budget, each), years);
    }

    void viewCopyBytes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qint64>("bytes");
        QTest::newRow("the normal view") << QSize(443, 563) << qint64(443 * 563 * 4);
        QTest::newRow("none") << QSize() << qint64(0);
        QTest::newRow("empty") << QSize(0, 563) << qint64(0);
        QTest::newRow("beyond 32 bits") << QSize(40000, 30000) << qint64(40000) * 30000 * 4;
    }
    void viewCopyBytes()
    {
        QFETCH(QSize, size);
        QFETCH(qint64, bytes);
        QCOMPARE(::viewCopyBytes(size), bytes);
    }
};

QTEST_APPLESS_MAIN(TestAdFiles)
#include "tst_adfiles.moc"
