#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QPrinter;

// The paper a printer prints on unless someone chooses another: its size (invalid when
// the printer names none) and its orientation.
struct PrinterPaper
{
    QPageSize size;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

// The program's one printer. It is made on first use on the system's default printer,
// on that printer's own paper; the print set-up changes it, and every later print uses
// it as changed.
class Printer
{
public:
    virtual ~Printer() = default;
    // False when the system has no printer at all (Qt would quietly print into a PDF file).
    virtual bool installed() = 0;
    virtual QPrinter& printer() = 0;
    // Right after a print has ended: empty when the printer took the job, otherwise why not.
    virtual QString jobError() = 0;
};
