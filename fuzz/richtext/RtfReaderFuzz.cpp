// libFuzzer target for the RTF reader: any bytes must read without a crash, a hang or
// undefined behaviour, and the plain-text helper must walk whatever was built.
#include "richtext/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    richtext::RtfReader::read(bytes, &doc);
    richtext::RtfReader::plainText(doc);
    doc.setTextWidth(1016);
    doc.size(); // lays the document out, as the view does
    return 0;
}
