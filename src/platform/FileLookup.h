#pragma once

#include <QString>
#include <QStringList>

// The answer of a listing: failed when the root cannot be read (what an empty disc drive
// does); otherwise the first matching file's name, or empty when nothing matches.
struct Listing
{
    bool failed = false;
    QString name;       // the file's name as stored on disk
    QString path;       // its full path as stored on disk
    QString error;      // the system's reason when failed
    bool found() const { return !failed && !name.isEmpty(); }
};

// Finds files below a root, matching every path component after the root without regard
// to letter case (ASCII). The last component may hold the wildcards * and ?.
class FileLookup
{
public:
    virtual ~FileLookup() = default;
    // relative starts with "/", e.g. "/ads/55VaSo00.jpg" or "/Graphics/*.*".
    virtual Listing first(const QString& root, const QString& relative) = 0;
    // Every matching file, in name order (for copying a whole folder).
    virtual QStringList all(const QString& root, const QString& relative, bool* failed = nullptr,
                            QString* error = nullptr) = 0;
    // The folder root + relative as it is spelled on disk, each component found as the
    // lookups find it; empty when there is none (or the root cannot be read).
    virtual QString folder(const QString& root, const QString& relative) = 0;
};
