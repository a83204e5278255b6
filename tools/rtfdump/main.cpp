// rtfdump FILE: prints the plain text of an RTF file as the document viewer holds it.
#include "platform/rtf/RtfReader.h"

#include <QCoreApplication>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: rtfdump FILE\n");
        return 2;
    }
    QTextDocument doc;
    const rtf::ReadResult r = rtf::readFile(args.at(1), &doc);
    if (!r.ok) {
        std::fprintf(stderr, "rtfdump: %s: %s\n", qUtf8Printable(args.at(1)), qUtf8Printable(r.error));
        return 1;
    }
    QByteArray out = rtf::plainText(doc).toUtf8();
    out.append('\n');
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
