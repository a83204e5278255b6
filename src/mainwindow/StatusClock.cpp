#include "mainwindow/Form1.h"

#include "mainwindow/ShellRules.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "platform/ThreeDPanel.h"

QString clockTimeText(const QTime& time)
{
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

QString dateSeparator(const QLocale& locale)
{
    // The first character of the short date format that is neither a field letter, a blank
    // nor inside quotes: "/" in "M/d/yy", "." in "dd.MM.yy", "-" in "yyyy-MM-dd".
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted || c.isLetter() || c.isSpace())
            continue;
        return QString(c);
    }
    return QStringLiteral("/");
}

QString clockDateText(const QDate& date, const QLocale& locale)
{
    auto twoDigits = [](int n) { return QStringLiteral("%1").arg(n % 100, 2, 10, QLatin1Char('0')); };
    const QString sep = dateSeparator(locale);
    return twoDigits(date.month()) + sep + twoDigits(date.day()) + sep + twoDigits(date.year());
}

QString clockDayText(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QStringLiteral("dddd"));
}

void Form1::Timer1_Timer()
{
    // Each panel reads the clock anew; across midnight one tick may show two days, the next
    // one makes them agree.
    StatusTime->setCaption(clockTimeText(m_s.clock.now().time()));
    StatusDate->setCaption(clockDateText(m_s.clock.now().date(), QLocale()));
    StatusDay->setCaption(clockDayText(m_s.clock.now().date(), QLocale()));
}
