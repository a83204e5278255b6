#pragma once

class MessageBoxes;
class ProgramEnd;
class FileLookup;
class ProgramFolder;
class MediaDrives;
class SettingsStore;
class InstanceLock;
class ScreenInfo;
class MousePointer;
class PictureLoader;
class Clock;
class Printer;
class Clipboard;
class PopupMenus;
class CommonDialog;
class Shell;
class HelpFile;
class DiskSpace;
class LocalFiles;

// The platform services a window uses, passed into its constructor. The real program
// fills it from QtServices, the tests from FakeServices.
struct Services
{
    MessageBoxes& boxes;
    ProgramEnd& end;
    FileLookup& files;
    ProgramFolder& folder;
    MediaDrives& drives;
    SettingsStore& settings;
    InstanceLock& instance;
    ScreenInfo& screen;
    MousePointer& pointer;
    PictureLoader& pictures;
    Clock& clock;
    Printer& printer;
    Clipboard& clipboard;
    PopupMenus& popups;
    CommonDialog& commonDialog;
    Shell& shell;
    HelpFile& help;
    DiskSpace& diskSpace;
    LocalFiles& localFiles;
};
