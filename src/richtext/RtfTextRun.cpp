#include "richtext/RtfTextRun.h"

#include "richtext/CodePage.h"

namespace richtext {

namespace {

QString withoutControls(const QString& s) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        // C0 and C1 controls (undefined bytes of a code page decode to C1) show nothing.
        if ((c.unicode() >= 0x20 && (c.unicode() < 0x7F || c.unicode() > 0x9F)) || c == u'\t')
            out.append(c);
    }
    return out;
}

} // namespace

void RtfTextRun::appendChars(const QString& text) {
    decodeBytes();
    m_text.append(text);
}

void RtfTextRun::appendBytes(std::string_view bytes, int codePage) {
    if (codePage != m_codePage)
        decodeBytes();
    m_codePage = codePage;
    m_bytes.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void RtfTextRun::appendUnicode(int code, int codePage) {
    if (code < 0)
        code += 65536; // written as a signed 16-bit number
    if (code < 0 || code > 0xFFFF)
        return;
    if (CodePage::isSymbolFont(codePage) && code >= 0xF020 && code <= 0xF0FF) {
        const char byte = static_cast<char>(code & 0xFF);
        appendBytes(std::string_view(&byte, 1), codePage);
        return;
    }
    decodeBytes();
    const QChar ch(static_cast<char16_t>(code));
    if (ch.unicode() >= 0x20 || ch == u'\t')
        m_text.append(ch);
}

QString RtfTextRun::take() {
    decodeBytes();
    QString text;
    text.swap(m_text);
    return text;
}

void RtfTextRun::decodeBytes() {
    if (m_bytes.isEmpty())
        return;
    m_text.append(withoutControls(CodePage::decode(m_bytes, m_codePage)));
    m_bytes.clear();
}

} // namespace richtext
