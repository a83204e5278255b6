// libFuzzer target for the RTF reader: any bytes must read without a crash, hang or leak.
// With RTF_FUZZ_LAYOUT=1 the document is also laid out on pages, as the viewer and printing
// do (inputs up to 16 KB, so a run stays fast).
#include "platform/rtf/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
bool layout = false;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Image format plugins and fonts are found through the application object.
    // The application lives until the process ends: destroying it from an exit handler,
    // after Qt's own statics are gone, crashes.
    layout = std::getenv("RTF_FUZZ_LAYOUT") != nullptr;
    // Qt's warnings about broken pictures would only slow the run down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QCoreApplication* app = nullptr;
    if (layout)
        app = new QGuiApplication(*argc, *argv);
    else
        app = new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTextDocument doc;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    rtf::read(bytes, &doc);
    const QString text = rtf::plainText(doc);
    (void)text;
    if (layout && size <= 16384) {
        doc.setPageSize(QSizeF(624, 864));
        (void)doc.pageCount();
    }
    return 0;
}
