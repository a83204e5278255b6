// libFuzzer target for the RTF reader: any bytes must read without a crash, hang or leak.
#include "platform/rtf/RtfReader.h"

#include <QCoreApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Image format plugins are found through the application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTextDocument doc;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    rtf::read(bytes, &doc);
    const QString text = rtf::plainText(doc);
    (void)text;
    return 0;
}
