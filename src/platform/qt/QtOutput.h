#pragma once

// The real printer, clipboard, pop-up menus and printer dialog.

#include "platform/Clipboard.h"
#include "platform/CommonDialog.h"
#include "platform/PopupMenus.h"
#include "platform/Printer.h"

#include <memory>

// QPrinter on the system's default printer (CUPS on Linux), high resolution. The test
// form writes every print as PDF into one file instead, through the same painting code.
class QtPrinter : public Printer
{
public:
    QtPrinter();
    explicit QtPrinter(const QString& pdfFile);
    ~QtPrinter() override;

    bool installed() override;
    QPrinter& printer() override;
    QString jobError() override;

    QString pdfFile() const { return m_pdfFile; }

private:
    QString m_pdfFile;
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
