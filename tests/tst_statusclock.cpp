// The status panels: the texts of the day, the date and the time, and the clock that
// rewrites them.
#include "TestProgram.h"

#include "mainwindow/ShellRules.h"
#include "platform/ThreeDPanel.h"

#include <QSignalSpy>
#include <QTimer>

class TestStatusClock : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // The panels follow the default locale; these tests fix it.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void cleanup()
    {
        QLocale::setDefault(QLocale::system());
    }

    // ---- texts ----

    void timeText_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("afternoon") << QTime(13, 5, 9) << "01:05:09 pm";
        QTest::newRow("half past midnight") << QTime(0, 30, 0) << "12:30:00 am";
        QTest::newRow("midnight") << QTime(0, 0, 0) << "12:00:00 am";
        QTest::newRow("noon") << QTime(12, 0, 0) << "12:00:00 pm";
        QTest::newRow("before noon") << QTime(11, 59, 59) << "11:59:59 am";
        QTest::newRow("before midnight") << QTime(23, 59, 59, 999) << "11:59:59 pm";
        QTest::newRow("morning") << QTime(9, 7, 3) << "09:07:03 am";
        QTest::newRow("ten at night") << QTime(22, 10, 0) << "10:10:00 pm";
    }

    void timeText()
    {
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QCOMPARE(clockTimeText(time), text);
    }

    void dateSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "/";
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << ".";
        QTest::newRow("sv_SE") << QLocale(QLocale::Swedish, QLocale::Sweden) << "-";
        QTest::newRow("nl_NL") << QLocale(QLocale::Dutch, QLocale::Netherlands) << "-";
        QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France) << "/";
    }

    void dateSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        QCOMPARE(::dateSeparator(locale), separator);
    }

    void dateText_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("1 March 2002") << QDate(2002, 3, 1) << us << "03/01/02";
        QTest::newRow("new year's eve 2000") << QDate(2000, 12, 31) << us << "12/31/00";
        QTest::newRow("1969") << QDate(1969, 7, 20) << us << "07/20/69";
        QTest::newRow("German separator") << QDate(2002, 3, 1) << QLocale(QLocale::German, QLocale::Germany)
                                          << "03.01.02";
        QTest::newRow("Swedish separator") << QDate(2002, 3, 1) << QLocale(QLocale::Swedish, QLocale::Sweden)
                                           << "03-01-02";
    }

    void dateText()
    {
        QFETCH(QDate, date);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(clockDateText(date, locale), text);
    }

    void dayText_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("Friday") << QDate(2002, 3, 1) << us << "Friday";
        QTest::newRow("Saturday") << QDate(2002, 3, 2) << us << "Saturday";
        QTest::newRow("Sunday") << QDate(2002, 3, 3) << us << "Sunday";
        QTest::newRow("German") << QDate(2002, 3, 1) << QLocale(QLocale::German, QLocale::Germany) << "Freitag";
        QTest::newRow("French") << QDate(2002, 3, 1) << QLocale(QLocale::French, QLocale::France) << "vendredi";
    }

    void dayText()
    {
        QFETCH(QDate, date);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(clockDayText(date, locale), text);
    }

    // ---- the panels ----

    void designCaptionsUntilTheFirstTick()
    {
        TestProgram p;
        Form1* f = p.make();
        QCOMPARE(f->StatusDay->caption(), QString("StatusDay"));
        QCOMPARE(f->StatusDate->caption(), QString("StatusDate"));
        QCOMPARE(f->StatusTime->caption(), QString("StatusTime"));
        QCOMPARE(f->PnlCoStar->caption(), QString("Vantorra Ads of the '50s and '60s"));
        QVERIFY(f->Timer1->isActive());
        QCOMPARE(f->Timer1->interval(), 100);
        QCOMPARE(p.fake.clock.reads, 0);

        QSignalSpy ticks(f->Timer1, &QTimer::timeout);
        QVERIFY(ticks.wait(2000));
        QCOMPARE(f->StatusTime->caption(), QString("01:05:09 pm"));
        QCOMPARE(f->StatusDate->caption(), QString("03/01/02"));
        QCOMPARE(f->StatusDay->caption(), QString("Friday"));
        QCOMPARE(f->PnlCoStar->caption(), QString("Vantorra Ads of the '50s and '60s"));
    }

    void everyTickReadsTheClockForEachPanel()
    {
        TestProgram p;
        Form1* f = p.make();
        QSignalSpy ticks(f->Timer1, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 3);
        QCOMPARE(p.fake.clock.reads, 3 * ticks.count());
        // A new time shows from the next tick on.
        p.fake.clock.current = QDateTime(QDate(2002, 3, 4), QTime(0, 30, 0));
        QTRY_COMPARE(f->StatusTime->caption(), QString("12:30:00 am"));
        QCOMPARE(f->StatusDay->caption(), QString("Monday"));
        QCOMPARE(f->StatusDate->caption(), QString("03/04/02"));
        // Rewritten even when nothing changes: a caption set in between is overwritten.
        f->StatusDay->setCaption("x");
        QTRY_COMPARE(f->StatusDay->caption(), QString("Monday"));
    }

    void eachPanelReadsTheClockAnewInOrder()
    {
        // Across midnight the time comes from before, the day from after: time, date, day.
        TestProgram p;
        Form1* f = p.make();
        f->Timer1->stop();
        p.fake.clock.current = QDateTime(QDate(2002, 3, 1), QTime(23, 59, 59, 996));
        p.fake.clock.stepMs = 2;
        p.fake.clock.reads = 0;
        f->Timer1_Timer();
        QCOMPARE(p.fake.clock.reads, 3);
        QCOMPARE(f->StatusTime->caption(), QString("11:59:59 pm"));   // 23:59:59.996
        QCOMPARE(f->StatusDate->caption(), QString("03/01/02"));      // 23:59:59.998
        QCOMPARE(f->StatusDay->caption(), QString("Saturday"));       // 00:00:00.000
    }

    void panelsFollowTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TestProgram p;
        Form1* f = p.make();
        f->Timer1_Timer();
        QCOMPARE(f->StatusDate->caption(), QString("03.01.02"));
        QCOMPARE(f->StatusDay->caption(), QString("Freitag"));
        QCOMPARE(f->StatusTime->caption(), QString("01:05:09 pm"));   // lower case in every language
    }
};

VANTORRA_TEST_MAIN(TestStatusClock)
#include "tst_statusclock.moc"
