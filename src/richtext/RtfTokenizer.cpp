#include "richtext/RtfTokenizer.h"

#include <algorithm>
#include <climits>

namespace richtext {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

RtfTokenizer::RtfTokenizer(const QByteArray& data) : m_data(data.constData()), m_size(data.size()) {}

RtfTokenizer::Token RtfTokenizer::next() {
    Token t;
    // Line breaks in the file carry no meaning.
    while (m_pos < m_size && (m_data[m_pos] == '\r' || m_data[m_pos] == '\n'))
        ++m_pos;
    if (m_pos >= m_size)
        return t;
    const char c = m_data[m_pos];
    if (c == '{') {
        ++m_pos;
        t.type = Type::GroupStart;
        return t;
    }
    if (c == '}') {
        ++m_pos;
        t.type = Type::GroupEnd;
        return t;
    }
    if (c != '\\') {
        const qsizetype start = m_pos;
        while (m_pos < m_size) {
            const char d = m_data[m_pos];
            if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n')
                break;
            ++m_pos;
        }
        t.type = Type::Text;
        t.word = std::string_view(m_data + start, static_cast<size_t>(m_pos - start));
        return t;
    }
    ++m_pos;
    if (m_pos >= m_size)
        return t; // a lone backslash at the end
    const char s = m_data[m_pos];
    if (!isLetter(s)) {
        ++m_pos;
        if (s == '\'') {
            const int hi = m_pos < m_size ? hexDigit(m_data[m_pos]) : -1;
            const int lo = m_pos + 1 < m_size ? hexDigit(m_data[m_pos + 1]) : -1;
            if (hi < 0 || lo < 0) {
                // Truncated or bad hex: drop the digit that is there and go on.
                if (hi >= 0)
                    ++m_pos;
                t.type = Type::Symbol;
                t.symbol = 0;
                return t;
            }
            m_pos += 2;
            t.type = Type::HexByte;
            t.symbol = static_cast<char>(hi * 16 + lo);
            return t;
        }
        t.type = Type::Symbol;
        t.symbol = (s == '\r' || s == '\n') ? '\n' : s;
        return t;
    }
    const qsizetype start = m_pos;
    while (m_pos < m_size && isLetter(m_data[m_pos]) && m_pos - start < 32)
        ++m_pos;
    while (m_pos < m_size && isLetter(m_data[m_pos]))
        ++m_pos; // over-long words keep their first 32 letters
    t.type = Type::Word;
    t.word = std::string_view(m_data + start, static_cast<size_t>(qMin<qsizetype>(m_pos - start, 32)));
    bool negative = false;
    if (m_pos < m_size && m_data[m_pos] == '-' && m_pos + 1 < m_size && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_size && isDigit(m_data[m_pos])) {
        long long value = 0;
        while (m_pos < m_size && isDigit(m_data[m_pos])) {
            if (value < INT_MAX)
                value = value * 10 + (m_data[m_pos] - '0');
            ++m_pos;
        }
        value = qMin<long long>(value, INT_MAX);
        t.hasParam = true;
        t.param = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < m_size && m_data[m_pos] == ' ')
        ++m_pos; // the delimiting space belongs to the word
    return t;
}

std::string_view RtfTokenizer::readBinary(int count) {
    const qsizetype n = std::clamp<qsizetype>(count, 0, m_size - m_pos);
    std::string_view bytes(m_data + m_pos, static_cast<size_t>(n));
    m_pos += n;
    return bytes;
}

} // namespace richtext
