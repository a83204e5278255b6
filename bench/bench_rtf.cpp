// bench_rtf FILE...: for each RTF file, the time rtf::read takes in process and the pages it
// takes laid out on US Letter with one-inch margins. bench-rtf.sh drives it.
#include "platform/rtf/RtfReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    for (const QString& path : app.arguments().mid(1)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: %s\n", qUtf8Printable(path), qUtf8Printable(f.errorString()));
            return 1;
        }
        const QByteArray data = f.readAll();
        QTextDocument doc;
        QElapsedTimer timer;
        timer.start();
        const rtf::ReadResult r = rtf::read(data, &doc);
        const double readMs = timer.nsecsElapsed() / 1e6;
        doc.setDocumentMargin(0);
        doc.setPageSize(QSizeF(6.5 * 96, 9 * 96));
        timer.restart();
        const int pages = doc.pageCount();
        const double layoutMs = timer.nsecsElapsed() / 1e6;
        std::printf("%s: %s, read %.1f ms, %d pages, layout %.1f ms\n", qUtf8Printable(path),
                    r.ok ? "ok" : "failed", readMs, pages, layoutMs);
    }
    return 0;
}
