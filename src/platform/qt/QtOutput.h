#pragma once

// The real printer, clipboard, pop-up menus and printer dialog.

#include "platform/Clipboard.h"
#include "platform/CommonDialog.h"
#include "platform/PopupMenus.h"
#include "platform/Printer.h"

#include <QHash>
#include <memory>

// The default printer's own paper: the page size its driver names as its default, and
// the orientation its default options ask for. Without a default printer, no size.
PrinterPaper defaultPrinterPaper();

// The orientation a printer's CUPS options ask for: "orientation-requested" 4 or 5
// (landscape, reverse landscape), or the "landscape" option; portrait otherwise.
QPageLayout::Orientation paperOrientation(const QHash<QString, QString>& options);

// Puts `printer` on `paper`. A paper without a size leaves the printer as Qt made it.
void putOnPaper(QPrinter& printer, const PrinterPaper& paper);

// QPrinter on the system's default printer (CUPS on Linux), high resolution, made on
// that printer's own paper (Qt by itself starts every printer on A4). The test form
// writes every print as PDF into one file instead, through the same painting code, on
// the paper it is given as if a printer had it as its default.
class QtPrinter : public Printer
{
public:
    QtPrinter();
    explicit QtPrinter(const QString& pdfFile, const PrinterPaper& paper = PrinterPaper());
    ~QtPrinter() override;

    bool installed() override;
    QPrinter& printer() override;
    QString jobError() override;

    QString pdfFile() const { return m_pdfFile; }

private:
    QString m_pdfFile;
    PrinterPaper m_pdfPaper;
    std::unique_ptr<QPrinter> m_printer;
};

// QClipboard: cleared, then the picture put with setImage and read back to make sure it is there.
class QtClipboard : public Clipboard
{
public:
    bool putPicture(const QImage& picture, QString* error) override;
};

class QtPopupMenus : public PopupMenus
{
public:
    void popup(QMenu& menu, const QPoint& globalPos) override;
};

// QPrintDialog; with the set-up flag it offers the printer and its settings only
// (no page range, no print to file) under the title "Print Setup".
class QtCommonDialog : public CommonDialog
{
public:
    bool showPrinter(QPrinter& printer, int flags, QWidget* parent) override;
};
