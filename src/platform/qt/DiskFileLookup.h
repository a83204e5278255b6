#pragma once

#include "platform/FileLookup.h"

#include <QHash>
#include <QMutex>
#include <QVector>

#include <sys/types.h>
#include <ctime>

// Looks files up on disk through a per-folder index. A folder is read once and read
// again only when its modification time (or identity) changes, so many probes of one
// folder cost one directory read plus one stat per probe.
class DiskFileLookup : public FileLookup
{
public:
    Listing first(const QString& root, const QString& relative) override;
    QStringList all(const QString& root, const QString& relative, bool* failed = nullptr,
                    QString* error = nullptr) override;
    QString folder(const QString& root, const QString& relative) override;

    // Number of directory reads so far (for tests and benchmarks of the index).
    int directoryReads() const;

    // ASCII case folding, as the lookup compares names.
    static QString foldCase(const QString& name);
    // Wildcard match without regard to case; "*.*" matches every name.
    static bool matches(const QString& pattern, const QString& name);

private:
    struct Entry
    {
        QString name;
        bool isDir = false;
    };
    struct Index
    {
        dev_t device = 0;
        ino_t inode = 0;
        timespec mtime{};
        timespec ctime{};
        QVector<Entry> entries;              // visible entries, sorted
        QHash<QString, int> firstFile;       // folded name -> first file entry
        QHash<QString, int> firstDir;        // folded name -> first folder entry
    };
    enum class Read { Ok, Missing, Failed };

    // Walks to the folder that holds the last component. On success `folder` is its path.
    Read walk(const QString& root, const QStringList& components, QString* folder, const Index** last,
              QString* error);
    const Index* index(const QString& folder, Read* state, QString* error);
    static bool hasWildcards(const QString& s);

    mutable QMutex m_mutex;
    QHash<QString, Index> m_cache;
    int m_reads = 0;
};
