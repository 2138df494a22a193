#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextFormat>

#include <vector>

class QTextCursor;

namespace richtext {

// One table cell's content as the parser produced it, kept until the row ends: writers may give
// the row's definition (and so the cell's column) after its cells. Written into the cell once.
class RtfCellContent {
public:
    void insertText(const QString& text, const QTextCharFormat& format);
    void insertBlock();
    // The current block's format; chars are merged into its character format.
    void setBlockFormat(const QTextBlockFormat& block, const QTextCharFormat& chars);
    void insertImage(const QTextImageFormat& format);
    // other's content as further paragraphs of this cell.
    void append(RtfCellContent&& other);
    bool isEmpty() const { return m_steps.empty(); }

    // Pictures wider than maxImageWidth (pixels) are shown scaled down to it.
    void writeTo(QTextCursor& cursor, double maxImageWidth) const;

private:
    enum class Kind { Text, Block, BlockFormat, Image };
    struct Step {
        Kind kind;
        QString text;
        QTextFormat format;
        QTextCharFormat chars;
    };
    std::vector<Step> m_steps;
};

} // namespace richtext
