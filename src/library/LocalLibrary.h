#pragma once

#include <QString>
#include <QtGlobal>

struct Services;

// Where the local ad library lives, and whether it may be used.
//
// A copy run deletes the completion mark first and writes it last, once every file has
// been copied whole; removing the library deletes it first. So a library without the mark
// may have holes and is never used for counting a year's ads. The mark is a hidden file,
// which the file lookup never lists.

// The program's folder + "/ads", in whatever letter case that folder exists (the one the
// year lookups find), so that the copy, the years and the removal use one folder.
QString localAdsFolder(Services& s, const QString& programFolder);
// The completion mark in the library folder.
QString libraryMarkPath(const QString& adsFolder);
// Whether the last copy run into the program's folder completed.
bool libraryComplete(Services& s, const QString& programFolder);

// The size and free space of the file system that holds the program's folder (`root`, the
// folder asked about), kilobyte-scaled as the drive query gives them. When the query fails
// it says "Internal GetDisk error!" and leaves total and freeSpace as they were.
void GetDiskSpace(Services& s, qint64& total, qint64& freeSpace, QString& root);
