#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The figures and texts of copying the ads to the hard drive and removing them again.

// Bytes the ad set is taken to need, and against which the overall gauge is computed.
constexpr qint64 AdSetBytes = 110000000;
// Bytes read and written per copy step.
constexpr int CopyChunkSize = 25000;

// The text without its last character (empty for one character or none).
QString DropLastChar(const QString& text);

// A size in kilobyte-scaled units, as the drive query gives it: whole 1024-cluster groups
// times the bytes of a cluster.
qint64 kilobyteScaled(qint64 clusters, qint64 sectorsPerCluster, qint64 bytesPerSector);

// The pattern "###,###,###": digits grouped in threes with commas, zero as an empty text.
QString formatFigure(qint64 value);

// The message for a free-byte figure below AdSetBytes.
QString spaceShortfallText(qint64 freeBytes);

// The per-file gauge after `chunks` full chunks of a file of `length` bytes.
double filePercent(qint64 chunks, qint64 length);
// The overall gauge when `bytesLeft` of the set are not yet copied (past 100 when more
// than the set's size was copied).
double overallPercent(qint64 bytesLeft);

// Ascending, comparing code unit by code unit (so "B" comes before "a").
void sortByCodeUnits(QStringList& names);

QString copySuccessText();
// One message for a run that did not copy everything: how many files were not copied,
// which came first and why; `diskFull` when the run stopped on a full disk.
QString copyFailureText(int notCopied, int total, const QString& firstName, const QString& reason, bool diskFull);

QString removeQuestionText();
QString removedText();
// Some ads stayed on the disk: how many, the first (or their folder, when none could go) and why.
QString removeFailureText(int notRemoved, const QString& firstName, const QString& reason);
