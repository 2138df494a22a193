#pragma once

#include <QByteArray>

#include <string_view>

namespace richtext {

// Splits RTF bytes into groups, control words, control symbols, hex bytes and text runs.
// Works on a borrowed buffer that must outlive it. Numbers are clamped to the int range,
// control words to 32 letters, so absurd input only yields odd tokens.
class RtfTokenizer {
public:
    enum class Type { End, GroupStart, GroupEnd, Word, Symbol, HexByte, Text };

    struct Token {
        Type type = Type::End;
        std::string_view word; // control word name, or the text run
        bool hasParam = false;
        int param = 0;
        char symbol = 0; // control symbol, or the byte of \'hh
    };

    explicit RtfTokenizer(const QByteArray& data);

    // 0..15, or -1 for a character that is no hex digit.
    static constexpr int hexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    Token next();
    // Raw bytes after \binN; fewer when the data ends early.
    std::string_view readBinary(int count);
    qsizetype position() const { return m_pos; }

private:
    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

} // namespace richtext
