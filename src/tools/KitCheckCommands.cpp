#include "tools/KitCheckCommands.h"

#include "audio/SdlAudioLayer.h"
#include "kit/KitDump.h"
#include "kit/MemTable.h"
#include "richtext/RtfReader.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

namespace tools {

namespace {

constexpr const char* kCheckUsage =
    "kit-check KIT                check a kit before exam day (exit 0 clean, 1 warnings, 2 errors)";

bool pictureShows(const QTextDocument& doc, const QString& name) {
    const QVariant data = doc.resource(QTextDocument::ImageResource, QUrl(name));
    if (data.canConvert<QImage>() && !data.value<QImage>().isNull())
        return true;
    if (data.canConvert<QPixmap>() && !data.value<QPixmap>().isNull())
        return true;
    return !QImage::fromData(data.toByteArray()).isNull();
}

void print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
}

int kitCheck(const Args& args) {
    if (args.size() != 1)
        return failUsage(kCheckUsage);
    kit::MemTable table;
    int version = 0;
    std::string error;
    if (!kit::loadKitOrStream(args[0], false, &table, &version, &error)) {
        print(QStringLiteral("error: kit: cannot be loaded: ") + QString::fromStdString(error));
        print(QStringLiteral("kit-check: 1 error, 0 warnings"));
        return 2;
    }
    auto layer = audio::createSdlAudioLayer(QDir::currentPath());
    const QList<KitCheck::Finding> findings = KitCheck::check(
        table, &measureSheet, [&](const QByteArray& bytes) { return KitCheck::decodeAudioWithLayer(*layer, bytes); });
    for (const KitCheck::Finding& f : findings)
        print(KitCheck::line(f));
    print(KitCheck::summary(findings));
    std::fflush(stdout);
    if (KitCheck::count(findings, KitCheck::Severity::Error) > 0)
        return 2;
    return KitCheck::count(findings, KitCheck::Severity::Warning) > 0 ? 1 : 0;
}

} // namespace

KitCheck::SheetMeasure measureSheet(const QByteArray& rtf, int width) {
    KitCheck::SheetMeasure result;
    QTextDocument doc;
    result.converted = richtext::RtfReader::read(rtf, &doc);
    // As the sheet view lays it out: no margin, wrapped to the view's width.
    doc.setDocumentMargin(0);
    result.height = richtext::documentHeight(doc, width);
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

std::vector<Command> kitCheckCommands() {
    return {{"kit-check", kCheckUsage, Needs::Gui, &kitCheck}};
}

} // namespace tools
