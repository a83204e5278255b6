#pragma once

#include <QString>
#include <QtGlobal>

// The size of a file system in the terms of the old drive query: clusters of sectors.
struct DiskFigures
{
    qint64 sectorsPerCluster = 0;
    qint64 bytesPerSector = 0;
    qint64 freeClusters = 0;     // clusters the user may still fill
    qint64 totalClusters = 0;
};

// Asks the file system that holds a folder how large it is and how much of it is free.
class DiskSpace
{
public:
    virtual ~DiskSpace() = default;
    // False, with the system's reason, when the file system cannot be asked.
    virtual bool diskFreeSpace(const QString& folder, DiskFigures* figures, QString* error) = 0;
};
