#pragma once

class QPrinter;
class QWidget;

// The common dialogs the main window shows. A test cannot drive a modal dialog, so it
// scripts this instead.
class CommonDialog
{
public:
    // Flag of showPrinter: the print set-up dialog rather than the print dialog.
    enum Flags { PrintSetup = 0x40 };

    virtual ~CommonDialog() = default;
    // Shows the printer dialog, modal, on `printer`; accepting it changes the printer.
    // Returns whether it was accepted.
    virtual bool showPrinter(QPrinter& printer, int flags, QWidget* parent) = 0;
};
