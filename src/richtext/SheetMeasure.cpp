#include "richtext/SheetMeasure.h"

#include "richtext/RtfReader.h"

#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>

namespace richtext {
namespace {

bool pictureShows(const QTextDocument& doc, const QString& name) {
    const QVariant data = doc.resource(QTextDocument::ImageResource, QUrl(name));
    if (data.canConvert<QImage>() && !data.value<QImage>().isNull())
        return true;
    if (data.canConvert<QPixmap>() && !data.value<QPixmap>().isNull())
        return true;
    return !QImage::fromData(data.toByteArray()).isNull();
}

} // namespace

SheetMeasure measureSheet(const QByteArray& rtf, int width) {
    SheetMeasure result;
    QTextDocument doc;
    result.converted = RtfReader::read(rtf, &doc);
    // As the sheet view lays it out: no margin, wrapped to the view's width.
    doc.setDocumentMargin(0);
    result.height = documentHeight(doc, width);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                result.textLength += static_cast<int>(fragment.text().trimmed().size());
                continue;
            }
            ++result.pictures;
            if (!pictureShows(doc, fragment.charFormat().toImageFormat().name()))
                ++result.brokenPictures;
        }
    }
    return result;
}

} // namespace richtext
