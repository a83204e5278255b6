#include "startup/MediaLocation.h"

#include "platform/FileLookup.h"
#include "platform/MediaDrives.h"
#include "platform/ProgramFolder.h"
#include "platform/Services.h"
#include "programwide/MediaPrompt.h"
#include "programwide/ProgramState.h"

namespace {

const QString kProbe = QStringLiteral("/ads/*.jpg");

// A root is accepted when its "ads" folder holds a ".jpg" file; a root that cannot be
// read fails its listing and is a miss.
bool holdsAds(Services& s, const QString& root)
{
    return s.files.first(root, kProbe).found();
}

void probeLocalLibrary(ProgramState& g, Services& s)
{
    const QString folder = s.folder.path();
    if (holdsAds(s, folder))
        g.LocalRoot = folder;   // the probe never clears an earlier value
}

bool scanForMedia(ProgramState& g, Services& s)
{
    const QStringList roots = s.drives.candidateRoots();
    for (const QString& root : roots) {
        if (holdsAds(s, root)) {
            g.MediaRoot = root;
            return true;
        }
    }
    return false;
}

} // namespace

bool LocateMedia(ProgramState& g, Services& s)
{
    for (;;) {
        probeLocalLibrary(g, s);
        if (scanForMedia(g, s))
            break;
        g.ErrorCode = QStringLiteral("ER002");
        if (!ReportMediaError(g, s))
            return false;
        // Retry: the whole location runs again, the local probe included.
    }
    if (g.LocalRoot.isEmpty())
        g.LocalRoot = g.MediaRoot;
    return true;
}
