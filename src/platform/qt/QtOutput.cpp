#include "platform/qt/QtOutput.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLibrary>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace {

// Qt's CUPS print engine sends the job with cupsPrintFile and drops its result, so a
// queue that rejects jobs would look like a successful print. The result is still in
// libcups' per-thread last error, which is read here. libcups is already loaded by the
// print support plugin; without it (no CUPS) there is nothing to ask.
struct CupsLastError
{
    using StatusFn = int (*)();
    using TextFn = const char* (*)();

    CupsLastError()
    {
        QLibrary cups(QStringLiteral("cups"), 2);
        status = reinterpret_cast<StatusFn>(cups.resolve("cupsLastError"));
        text = reinterpret_cast<TextFn>(cups.resolve("cupsLastErrorString"));
    }

    StatusFn status = nullptr;
    TextFn text = nullptr;
};

// IPP status codes below 0x0400 are successes (0x0000 to 0x00FF) and informational or
// redirection codes; everything from 0x0400 on is a client, server or CUPS error.
constexpr int kFirstIppError = 0x0400;

} // namespace

QtPrinter::QtPrinter() = default;

QtPrinter::QtPrinter(const QString& pdfFile) : m_pdfFile(pdfFile) {}

QtPrinter::~QtPrinter() = default;

bool QtPrinter::installed()
{
    return !m_pdfFile.isEmpty() || !QPrinterInfo::availablePrinterNames().isEmpty();
}

QPrinter& QtPrinter::printer()
{
    // A QPrinter made while no printer was installed is a PDF printer without a file;
    // once a printer has appeared, start again on it.
    const bool stale = m_printer && m_pdfFile.isEmpty() && m_printer->outputFormat() != QPrinter::NativeFormat
                       && !QPrinterInfo::availablePrinterNames().isEmpty();
    if (!m_printer || stale) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(QStringLiteral("Vantorra Ad"));
        if (!m_pdfFile.isEmpty()) {
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            m_printer->setOutputFileName(m_pdfFile);
        }
    }
    return *m_printer;
}

QString QtPrinter::jobError()
{
    if (!m_printer || m_printer->outputFormat() != QPrinter::NativeFormat)
        return QString();
    static const CupsLastError cups;
    if (!cups.status)
        return QString();
    if (cups.status() < kFirstIppError)
        return QString();
    const char* text = cups.text ? cups.text() : nullptr;
    return text && *text ? QString::fromLocal8Bit(text) : QStringLiteral("the print system gave no reason");
}

bool QtClipboard::putPicture(const QImage& picture, QString* error)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        if (error)
            *error = QStringLiteral("There is no clipboard to copy to.");
        return false;
    }
    clipboard->clear();
    clipboard->setImage(picture);
    // On X11 the clipboard needs the selection's ownership; when another program holds
    // on to it, what reads back is not the picture.
    if (clipboard->image().size() != picture.size()) {
        if (error)
            *error = QStringLiteral("The clipboard did not take the picture. Another program may be using it.");
        return false;
    }
    return true;
}

void QtPopupMenus::popup(QMenu& menu, const QPoint& globalPos)
{
    menu.exec(globalPos);
}

bool QtCommonDialog::showPrinter(QPrinter& printer, int flags, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    if (flags & PrintSetup) {
        dialog.setWindowTitle(QStringLiteral("Print Setup"));
        dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
        // The set-up dialog only chooses; it does not print.
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
}
