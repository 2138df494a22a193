#include "richtext/RtfCellContent.h"

#include <QTextCursor>

#include <iterator>

namespace richtext {

void RtfCellContent::insertText(const QString& text, const QTextCharFormat& format) {
    m_steps.push_back({Kind::Text, text, format, {}});
}

void RtfCellContent::insertBlock() {
    m_steps.push_back({Kind::Block, {}, {}, {}});
}

void RtfCellContent::setBlockFormat(const QTextBlockFormat& block, const QTextCharFormat& chars) {
    m_steps.push_back({Kind::BlockFormat, {}, block, chars});
}

void RtfCellContent::insertImage(const QTextImageFormat& format) {
    m_steps.push_back({Kind::Image, {}, format, {}});
}

void RtfCellContent::append(RtfCellContent&& other) {
    if (other.isEmpty())
        return;
    if (!isEmpty())
        insertBlock();
    m_steps.insert(m_steps.end(), std::make_move_iterator(other.m_steps.begin()),
                   std::make_move_iterator(other.m_steps.end()));
    other.m_steps.clear();
}

void RtfCellContent::writeTo(QTextCursor& cursor, double maxImageWidth) const {
    for (const Step& step : m_steps) {
        switch (step.kind) {
        case Kind::Text:
            cursor.insertText(step.text, step.format.toCharFormat());
            break;
        case Kind::Block:
            cursor.insertBlock();
            break;
        case Kind::BlockFormat:
            cursor.setBlockFormat(step.format.toBlockFormat());
            // Merge: in a cell's first block the character format also carries the cell's own properties.
            cursor.mergeBlockCharFormat(step.chars);
            break;
        case Kind::Image: {
            QTextImageFormat image = step.format.toImageFormat();
            if (maxImageWidth >= 1 && image.width() > maxImageWidth) {
                image.setHeight(image.height() * maxImageWidth / image.width());
                image.setWidth(maxImageWidth);
            }
            cursor.insertImage(image);
            break;
        }
        }
    }
}

} // namespace richtext
