#pragma once

#include "platform/Services.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeLibraryFiles.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeOutput.h"
#include "platform/fake/FakePlatform.h"

// Owns one set of test stand-ins; every test builds its own, so every test starts fresh.
class FakeServices
{
public:
    FakeServices();
    Services& services() { return m_services; }

    FakeMessageBoxes boxes;
    FakeProgramEnd end;
    FakeFileLookup files;
    FakeProgramFolder folder;
    FakeMediaDrives drives;
    FakeSettingsStore settings;
    FakeInstanceLock instance;
    FakeScreenInfo screen;
    FakeMousePointer pointer;
    FakePictureLoader pictures;
    FakeClock clock;
    FakePrinter printer;
    FakeClipboard clipboard;
    FakePopupMenus popups;
    FakeCommonDialog commonDialog;
    FakeShell shell;
    FakeHelpFile help;
    FakeDiskSpace diskSpace;
    FakeLocalFiles localFiles;

private:
    Services m_services;
};
