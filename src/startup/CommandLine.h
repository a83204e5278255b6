#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Parsed before the window system starts, so --help,
// --version and a wrong option work without a display.
struct CommandLine
{
    QStringList mediaRoots;     // --media DIR, in the order given
    QString library;            // --library DIR
    bool exitNow = false;       // help, version or an error: print `output` and exit
    int exitCode = 0;
    QString output;
};

CommandLine parseCommandLine(const QStringList& arguments);
