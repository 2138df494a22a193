#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// RTF documents for tests of anything that shows a sheet: put the bytes into a kit
// table's blob field and bind a view to it.
namespace richtext_test {

// A one-paragraph RTF document with the text (any Unicode) written as \uN, the way
// LibreOffice writes it, in Times New Roman 12 pt.
QByteArray sheetRtf(const QString& text);
// Several paragraphs, one per line of text.
QByteArray sheetRtf(const QStringList& paragraphs);
// A fixture from tests/data/richtext (empty when missing).
QByteArray fixture(const QString& name);
// Makes sure a QApplication exists (fonts and images need one); tests call it in SetUp.
void ensureApplication();

} // namespace richtext_test
