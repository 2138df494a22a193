#include "support/RichtextSamples.h"

#include <QApplication>
#include <QFile>
#include <QStringList>

namespace richtext_test {

QByteArray sheetRtf(const QStringList& paragraphs) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\n"
                     "\\pard\\plain\\f0\\fs24 ";
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        if (p > 0)
            rtf += "\\par\n";
        for (QChar c : paragraphs[p]) {
            const ushort u = c.unicode();
            if (u == '\\' || u == '{' || u == '}')
                rtf += '\\' + QByteArray(1, static_cast<char>(u));
            else if (u < 0x80)
                rtf += static_cast<char>(u);
            else
                rtf += "\\u" + QByteArray::number(static_cast<short>(u)) + "\\'3f";
        }
    }
    rtf += "\\par\n}";
    return rtf;
}

QByteArray sheetRtf(const QString& text) {
    return sheetRtf(QStringList{text});
}

QByteArray fixture(const QString& name) {
    QFile file(QStringLiteral(ZUNT_TEST_DATA "/richtext/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void ensureApplication() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "zunt-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

} // namespace richtext_test
