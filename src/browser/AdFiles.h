#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

struct Listing;

// How advertisement files are named and counted, and the stepping ranges. Plain rules,
// apart from the widgets that use them.

// A sequence number or a year in two digits: 0 to 9 get a leading "0", 10 on as they are.
QString twoDigits(int number);

// "/ads/" + YY + code + NN + ".jpg", relative to a root.
QString adFile(int year, const QString& code, int number);

// The two-digit model year of a year button's caption: characters 3 and 4 when the first two
// are digits ("1955" gives 55), otherwise characters 1 and 2. 0 when neither is a number.
int yearFromCaption(const QString& caption);

// What one listing of a counted file answered.
enum class Probe { Found, Missing, Failed };
Probe probeOf(const Listing& listing);

// The count of a year's ads: the highest number from 20 down to 0 whose listing finds the
// file, plus one. The scan also stops at the first listing that fails. 0 when nothing
// stops it; 21 when number 20 is present (both are refused by the caller).
int countAds(const std::function<Probe(int number)>& probe);

// True when a count can be shown (1 to 20).
bool countIsValid(int count);

// "n of count".
QString counterText(int adNumber, int count);

// The numbers a step tries, in order, and where a forward search started from.
struct StepRange
{
    std::vector<int> numbers;
    int origin = -1;            // the forward search's origin; -1 for a backward search
};
StepRange previousRange(int adNumber);
StepRange nextRange(int adNumber);
// After a forward search from a non-zero origin found nothing: 0 up to 30.
StepRange wrapRange();
// AdNumber after a search that found nothing: one past the end of the range tried.
int pastEnd(const StepRange& range);

// The neighbours worth decoding ahead of a step from adNumber: the first number of each
// direction's search (the wrap included) for which exists() is true; -1 when none.
struct Neighbours
{
    int previous = -1;
    int next = -1;
};
Neighbours neighboursOf(int adNumber, const std::function<bool(int number)>& exists);

// The ads worth decoding ahead of the steps from adNumber, most wanted first: the ones the
// next step and a step back show, then the two after the next (quick presses mostly go
// on), then the second step back. The one on show and repeats are left out.
QList<int> stepsAhead(int adNumber, const std::function<bool(int number)>& exists);

// The years whose first ad is decoded ahead, most wanted first: the available years
// nearest to the year `near` first (of two as near, the later), as many as budgetBytes
// holds at bytesEach a year. With `near` outside 50 to 69 (no year shown yet) they come
// in the order of the buttons.
QList<int> yearsToReadAhead(const QList<int>& available, int near, qint64 budgetBytes, qint64 bytesEach);

// The memory a copy of that many device pixels takes (four bytes a pixel).
qint64 viewCopyBytes(const QSize& deviceSize);
