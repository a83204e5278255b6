// libFuzzer target for the RTF parser alone: any bytes must parse into the reader's own
// model without a crash, hang or leak. No QTextDocument is built, so a run reaches many
// more inputs than fuzz_rtf, which also builds (and can lay out) the document.
#include "platform/rtf/RtfModel.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Picture formats (JPEG) are plugins, found through the application object; made once
    // and kept until the process ends (see fuzz_rtf.cpp).
    static QCoreApplication* app = new QCoreApplication(*argc, *argv);
    // Qt's warnings about broken pictures (one for nearly every mutated picture) would only
    // slow the run down; crashes and sanitizer reports do not go through them.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    rtf::Model model;
    rtf::parse(bytes, model);
    return 0;
}
