// rtfprint FILE.rtf OUT.pdf: reads an RTF file as the document viewer does and prints it to
// a PDF on US Letter through PrintRichText, with the viewer's one-inch margins. Prints the
// number of pages on standard output.
#include "documents/RichTextPrinting.h"
#include "platform/rtf/RtfReader.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: rtfprint FILE.rtf OUT.pdf\n");
        return 2;
    }
    QTextDocument doc;
    const rtf::ReadResult r = rtf::readFile(args.at(1), &doc);
    if (!r.ok) {
        std::fprintf(stderr, "rtfprint: %s: %s\n", qUtf8Printable(args.at(1)), qUtf8Printable(r.error));
        return 1;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(args.at(2));
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(), QPageLayout::Point);
    constexpr qint32 kInch = 1440;
    const RichTextPrint print = PrintRichText(printer, doc, kInch, kInch, kInch, kInch);
    if (!print.error.isEmpty()) {
        std::fprintf(stderr, "rtfprint: %s: %s\n", qUtf8Printable(args.at(2)), qUtf8Printable(print.error));
        return 1;
    }
    std::printf("%d\n", print.pages);
    return 0;
}
