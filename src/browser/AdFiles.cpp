#include "browser/AdFiles.h"

#include "platform/FileLookup.h"

#include <algorithm>

namespace {

constexpr int kHighestCounted = 20;  // the count starts here; finding it means "too many"
constexpr int kHighestStepped = 30;  // stepping tries numbers up to this one
constexpr int kFirstYear = 50;
constexpr int kLastYear = 69;

std::vector<int> span(int from, int to)
{
    std::vector<int> v;
    const int step = from <= to ? 1 : -1;
    for (int n = from;; n += step) {
        v.push_back(n);
        if (n == to)
            break;
    }
    return v;
}

} // namespace

QString twoDigits(int number)
{
    return number >= 0 && number < 10 ? QStringLiteral("0") + QString::number(number) : QString::number(number);
}

QString adFile(int year, const QString& code, int number)
{
    return QStringLiteral("/ads/") + twoDigits(year) + code + twoDigits(number) + QStringLiteral(".jpg");
}

int yearFromCaption(const QString& caption)
{
    auto digitsAt = [&caption](int from) {
        bool ok = false;
        const int v = caption.mid(from, 2).toInt(&ok);
        return ok ? v : -1;
    };
    const int year = digitsAt(0) >= 0 ? digitsAt(2) : digitsAt(0);
    return year < 0 ? 0 : year;
}

Probe probeOf(const Listing& listing)
{
    if (listing.failed)
        return Probe::Failed;
    return listing.name.isEmpty() ? Probe::Missing : Probe::Found;
}

int countAds(const std::function<Probe(int)>& probe)
{
    int n = kHighestCounted;
    for (; n >= 0; --n) {
        if (probe(n) != Probe::Missing)
            break;
    }
    return n + 1;
}

bool countIsValid(int count)
{
    return count >= 1 && count <= kHighestCounted;
}

QString counterText(int adNumber, int count)
{
    return QString::number(adNumber + 1) + QStringLiteral(" of ") + QString::number(count);
}

StepRange previousRange(int adNumber)
{
    if (adNumber < 1)
        return {span(kHighestStepped - 1, 1), -1};
    if (adNumber >= kHighestStepped)
        return {span(9, 1), -1};
    return {span(adNumber - 1, 0), -1};
}

StepRange nextRange(int adNumber)
{
    if (adNumber >= kHighestStepped)
        return {span(1, kHighestStepped), 0};
    return {span(adNumber + 1, kHighestStepped), adNumber};
}

StepRange wrapRange()
{
    return {span(0, kHighestStepped), 0};
}

int pastEnd(const StepRange& range)
{
    const int last = range.numbers.back();
    const int first = range.numbers.front();
    return first <= last ? last + 1 : last - 1;
}

Neighbours neighboursOf(int adNumber, const std::function<bool(int)>& exists)
{
    Neighbours result;
    for (int n : previousRange(adNumber).numbers) {
        if (exists(n)) {
            result.previous = n;
            break;
        }
    }
    const StepRange forward = nextRange(adNumber);
    for (int n : forward.numbers) {
        if (exists(n)) {
            result.next = n;
            break;
        }
    }
    if (result.next < 0 && forward.origin != 0 && exists(0))
        result.next = 0;
    return result;
}

QList<int> stepsAhead(int adNumber, const std::function<bool(int)>& exists)
{
    QList<int> numbers;
    auto add = [&](int n) {
        if (n >= 0 && n != adNumber && !numbers.contains(n))
            numbers << n;
    };
    const Neighbours first = neighboursOf(adNumber, exists);
    const int second = first.next >= 0 ? neighboursOf(first.next, exists).next : -1;
    const int third = second >= 0 ? neighboursOf(second, exists).next : -1;
    const int back = first.previous >= 0 ? neighboursOf(first.previous, exists).previous : -1;
    for (int n : {first.next, first.previous, second, third, back})
        add(n);
    return numbers;
}

QList<int> yearsToReadAhead(const QList<int>& available, int near, qint64 budgetBytes, qint64 bytesEach)
{
    QList<int> years = available;
    std::sort(years.begin(), years.end());
    if (near >= kFirstYear && near <= kLastYear) {
        std::stable_sort(years.begin(), years.end(), [near](int a, int b) {
            const int da = qAbs(a - near);
            const int db = qAbs(b - near);
            return da != db ? da < db : a > b;
        });
    }
    const qint64 fit = bytesEach > 0 ? qMax<qint64>(0, budgetBytes) / bytesEach : years.size();
    if (fit < years.size())
        years.resize(int(fit));
    return years;
}

qint64 viewCopyBytes(const QSize& deviceSize)
{
    return deviceSize.isEmpty() ? 0 : qint64(deviceSize.width()) * deviceSize.height() * 4;
}
