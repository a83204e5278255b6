#include "library/LocalLibrary.h"

#include "library/LibraryRules.h"
#include "platform/DiskSpace.h"
#include "platform/FileLookup.h"
#include "platform/LocalFiles.h"
#include "platform/MessageBoxes.h"
#include "programwide/Texts.h"
#include "platform/ProgramFolder.h"
#include "platform/Services.h"

QString localAdsFolder(Services& s, const QString& programFolder)
{
    const QString existing = s.files.folder(programFolder, QStringLiteral("/ads"));
    return existing.isEmpty() ? programFolder + QStringLiteral("/ads") : existing;
}

QString libraryMarkPath(const QString& adsFolder)
{
    return adsFolder + QStringLiteral("/.copy-complete");
}

bool libraryComplete(Services& s, const QString& programFolder)
{
    return s.localFiles.fileExists(libraryMarkPath(localAdsFolder(s, programFolder)));
}

void GetDiskSpace(Services& s, qint64& total, qint64& freeSpace, QString& root)
{
    // The copy goes to the program's folder: its file system is the one asked about.
    root = s.folder.path();
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root = DropLastChar(root);
    DiskFigures figures;
    QString error;
    if (!s.diskSpace.diskFreeSpace(root, &figures, &error)) {
        s.boxes.show(QStringLiteral("Internal GetDisk error!"), MsgBox::OkOnly, MsgBox::NoIcon, applicationTitle());
        return;
    }
    total = kilobyteScaled(figures.totalClusters, figures.sectorsPerCluster, figures.bytesPerSector);
    freeSpace = kilobyteScaled(figures.freeClusters, figures.sectorsPerCluster, figures.bytesPerSector);
}
