#pragma once

#include "richtext/RtfReader.h"
#include "support/RichtextSamples.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>
#include <ostream>

#include <gtest/gtest.h>

// Readable failures: gtest prints QStrings as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Small helpers the reader tests share: read bytes, find formatting by the text it covers.
namespace richtext_test {

constexpr Qt::Alignment kHorizontal = Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify;

// Fixture of the reader tests: fonts and images need an application.
class RtfTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }
};

inline QString text(const QByteArray& rtf) {
    return richtext::RtfReader::plainText(rtf);
}

inline std::unique_ptr<QTextDocument> readRtf(const QByteArray& rtf) {
    auto doc = std::make_unique<QTextDocument>();
    richtext::RtfReader::read(rtf, doc.get());
    return doc;
}

inline QTextCursor findText(const QTextDocument& doc, const QString& text) {
    return doc.find(text);
}

// The character format of the last character of the first occurrence of text.
inline QTextCharFormat formatOf(const QTextDocument& doc, const QString& text) {
    return findText(doc, text).charFormat();
}

inline QTextBlockFormat blockFormatOf(const QTextDocument& doc, const QString& text) {
    return findText(doc, text).blockFormat();
}

} // namespace richtext_test
