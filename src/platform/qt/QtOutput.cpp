#include "platform/qt/QtOutput.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLibrary>
#include <QMenu>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace {

// The few libcups functions the program needs beyond Qt, looked up at run time: libcups
// is already loaded by the print support plugin; without it (no CUPS) there is nothing
// to ask. The two structures are those of <cups/cups.h>, unchanged since CUPS 1.0.
struct CupsLibrary
{
    struct Option
    {
        char* name;
        char* value;
    };
    struct Dest
    {
        char* name;
        char* instance;
        int isDefault;
        int optionCount;
        Option* options;
    };

    using StatusFn = int (*)();
    using TextFn = const char* (*)();
    using GetNamedDestFn = Dest* (*)(void* http, const char* name, const char* instance);
    using FreeDestsFn = void (*)(int count, Dest* dests);

    CupsLibrary()
    {
        QLibrary cups(QStringLiteral("cups"), 2);
        status = reinterpret_cast<StatusFn>(cups.resolve("cupsLastError"));
        text = reinterpret_cast<TextFn>(cups.resolve("cupsLastErrorString"));
        getNamedDest = reinterpret_cast<GetNamedDestFn>(cups.resolve("cupsGetNamedDest"));
        freeDests = reinterpret_cast<FreeDestsFn>(cups.resolve("cupsFreeDests"));
    }

    // Qt's CUPS print engine sends the job with cupsPrintFile and drops its result, so a
    // queue that rejects jobs would look like a successful print. The result is still in
    // libcups' per-thread last error.
    StatusFn status = nullptr;
    TextFn text = nullptr;
    // A queue's default options: the server's "-default" attributes with the user's own
    // lpoptions over them.
    GetNamedDestFn getNamedDest = nullptr;
    FreeDestsFn freeDests = nullptr;
};

const CupsLibrary& cupsLibrary()
{
    static const CupsLibrary cups;
    return cups;
}

// IPP status codes below 0x0400 are successes (0x0000 to 0x00FF) and informational or
// redirection codes; everything from 0x0400 on is a client, server or CUPS error.
constexpr int kFirstIppError = 0x0400;

// The default options of the CUPS queue `printerName` ("queue" or "queue/instance").
QHash<QString, QString> cupsDefaultOptions(const QString& printerName)
{
    QHash<QString, QString> options;
    const CupsLibrary& cups = cupsLibrary();
    if (!cups.getNamedDest || !cups.freeDests || printerName.isEmpty())
        return options;
    const int slash = printerName.indexOf(QLatin1Char('/'));
    const QByteArray name = printerName.left(slash).toLocal8Bit();
    const QByteArray instance = slash < 0 ? QByteArray() : printerName.mid(slash + 1).toLocal8Bit();
    CupsLibrary::Dest* dest = cups.getNamedDest(nullptr, name.constData(),
                                                instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return options;
    for (int i = 0; i < dest->optionCount; ++i) {
        const CupsLibrary::Option& o = dest->options[i];
        if (o.name)
            options.insert(QString::fromLocal8Bit(o.name), o.value ? QString::fromLocal8Bit(o.value) : QString());
    }
    cups.freeDests(1, dest);
    return options;
}

} // namespace

PrinterPaper defaultPrinterPaper()
{
    PrinterPaper paper;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return paper;
    paper.size = info.defaultPageSize();
    paper.orientation = paperOrientation(cupsDefaultOptions(info.printerName()));
    return paper;
}

QPageLayout::Orientation paperOrientation(const QHash<QString, QString>& options)
{
    // IPP's enumeration: 3 portrait, 4 landscape, 5 reverse landscape, 6 reverse portrait.
    const auto requested = options.constFind(QStringLiteral("orientation-requested"));
    if (requested != options.constEnd()) {
        const int value = requested->trimmed().toInt();
        if (value == 4 || value == 5)
            return QPageLayout::Landscape;
        if (value == 3 || value == 6)
            return QPageLayout::Portrait;
    }
    // lpoptions -o landscape: a flag, set without a value or with a true one.
    const auto landscape = options.constFind(QStringLiteral("landscape"));
    if (landscape != options.constEnd()) {
        const QString value = landscape->trimmed().toLower();
        if (value.isEmpty() || value == QLatin1String("true") || value == QLatin1String("yes")
            || value == QLatin1String("on"))
            return QPageLayout::Landscape;
    }
    return QPageLayout::Portrait;
}

void putOnPaper(QPrinter& printer, const PrinterPaper& paper)
{
    if (!paper.size.isValid())
        return;
    printer.setPageSize(paper.size);
    printer.setPageOrientation(paper.orientation);
}

QtPrinter::QtPrinter() = default;

QtPrinter::QtPrinter(const QString& pdfFile, const PrinterPaper& paper) : m_pdfFile(pdfFile), m_pdfPaper(paper) {}

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
        // From here on the paper is the printer's: the print set-up may change it, and
        // every later print of this run keeps what it chose.
        putOnPaper(*m_printer, m_pdfFile.isEmpty() ? defaultPrinterPaper() : m_pdfPaper);
    }
    return *m_printer;
}

QString QtPrinter::jobError()
{
    if (!m_printer || m_printer->outputFormat() != QPrinter::NativeFormat)
        return QString();
    const CupsLibrary& cups = cupsLibrary();
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
    // Accepting Qt's dialog on a CUPS printer puts the printer back on the page size its
    // driver names as default, even when nobody opened the page settings ("Properties"):
    // a second print set-up would quietly undo the paper chosen in the first. Unless the
    // settings were opened or another printer was chosen, the paper stays as it was.
    const QString printerBefore = printer.printerName();
    const QPageLayout layoutBefore = printer.pageLayout();
    auto* properties = dialog.findChild<QPushButton*>(QStringLiteral("properties"));
    bool settingsOpened = !properties;  // without the button, whatever the dialog says holds
    if (properties)
        QObject::connect(properties, &QPushButton::clicked, &dialog, [&settingsOpened] { settingsOpened = true; });
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted && !settingsOpened && printer.printerName() == printerBefore)
        printer.setPageLayout(layoutBefore);
    return accepted;
}
