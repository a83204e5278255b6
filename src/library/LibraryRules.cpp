#include "library/LibraryRules.h"

#include "programwide/Texts.h"

#include <algorithm>

QString DropLastChar(const QString& text)
{
    return text.left(std::max<qsizetype>(0, text.size() - 1));
}

qint64 kilobyteScaled(qint64 clusters, qint64 sectorsPerCluster, qint64 bytesPerSector)
{
    return (clusters / 1024) * sectorsPerCluster * bytesPerSector;
}

QString formatFigure(qint64 value)
{
    if (value == 0)
        return QString();
    const bool negative = value < 0;
    QString digits = QString::number(negative ? -value : value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString spaceShortfallText(qint64 freeBytes)
{
    return QStringLiteral("Not enough available hard disk space to copy Ads.") + crlf() + crlf()
        + QStringLiteral("Free some up and try again.") + crlf() + crlf()
        + QStringLiteral("You have:  ") + formatFigure(freeBytes) + QStringLiteral(" bytes") + crlf() + crlf()
        + QStringLiteral("You need:   ") + formatFigure(AdSetBytes - freeBytes) + QStringLiteral(" bytes more")
        + crlf() + crlf() + QStringLiteral("For a total of:   ") + formatFigure(AdSetBytes)
        + QStringLiteral(" bytes free.") + crlf();
}

double filePercent(qint64 chunks, qint64 length)
{
    return double(CopyChunkSize) * double(chunks) / double(length) * 100.0;
}

double overallPercent(qint64 bytesLeft)
{
    return 100.0 - double(bytesLeft) / double(AdSetBytes) * 100.0;
}

void sortByCodeUnits(QStringList& names)
{
    // QString's operator< compares UTF-16 code units, case-sensitively.
    std::sort(names.begin(), names.end());
}

QString copySuccessText()
{
    return QStringLiteral("Ads successfully copied!") + crlf();
}

QString copyFailureText(int notCopied, int total, const QString& firstName, const QString& reason, bool diskFull)
{
    QString text;
    if (diskFull)
        text += QStringLiteral("The hard disk is full. Free some up and try again.") + crlf() + crlf();
    if (notCopied > 0)
        text += QStringLiteral("%1 of %2 Ads could not be copied to the hard drive.").arg(notCopied).arg(total);
    else
        text += QStringLiteral("The copy of the Ads on the hard drive could not be completed.");
    text += crlf() + crlf() + firstName + QStringLiteral(": ") + reason + crlf();
    return text;
}

QString removeQuestionText()
{
    return QStringLiteral("Would you like to remove all Vantorra Ads from your hard drive?");
}

QString removedText()
{
    return QStringLiteral("All Ads Successfully Removed!") + crlf() + crlf()
        + QStringLiteral("You must now exit and re-enter Vantorra Ads of the 50's & 60's to allow ") + crlf()
        + QStringLiteral("the software to find the ads on the cdrom drive.") + crlf() + crlf();
}

QString removeFailureText(int notRemoved, const QString& firstName, const QString& reason)
{
    const QString ads = notRemoved == 1 ? QStringLiteral("1 Ad") : QStringLiteral("%1 Ads").arg(notRemoved);
    return ads + QStringLiteral(" could not be removed from the hard drive.") + crlf() + crlf()
        + firstName + QStringLiteral(": ") + reason + crlf() + crlf()
        + QStringLiteral("You must now exit and re-enter Vantorra Ads of the 50's & 60's to allow ") + crlf()
        + QStringLiteral("the software to find the ads on the cdrom drive.") + crlf() + crlf();
}
