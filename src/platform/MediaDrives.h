#pragma once

#include <QStringList>

// Stands for the drive letters scanned for the media: the ordered list of candidate
// roots, read anew on every pass so that media mounted meanwhile is seen.
class MediaDrives
{
public:
    virtual ~MediaDrives() = default;
    virtual QStringList candidateRoots() = 0;
};
