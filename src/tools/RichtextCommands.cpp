#include "tools/RichtextCommands.h"

#include "richtext/RichView.h"
#include "richtext/RtfReader.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <cstdio>
#include <string>

namespace tools {

namespace {

constexpr const char* kTextUsage = "rtf-text FILE            print an RTF document's text as UTF-8";
constexpr const char* kRenderUsage =
    "rtf-render FILE OUT.png [WIDTH]  render an RTF document as the sheet view shows it";

bool readFile(const std::string& path, QByteArray* bytes) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        fail("cannot open " + path + ": " + file.errorString().toStdString());
        return false;
    }
    *bytes = file.readAll();
    return true;
}

int rtfText(const Args& args) {
    if (args.size() != 1)
        return failUsage(kTextUsage);
    QByteArray rtf;
    if (!readFile(args[0], &rtf))
        return 1;
    const QByteArray text = richtext::RtfReader::plainText(rtf).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    return 0;
}

int rtfRender(const Args& args) {
    if (args.size() < 2 || args.size() > 3)
        return failUsage(kRenderUsage);
    int width = 1016;
    if (args.size() == 3) {
        bool ok = false;
        width = QString::fromStdString(args[2]).toInt(&ok);
        if (!ok || width < 16 || width > 10000)
            return fail("WIDTH must be a number of pixels from 16 to 10000: " + args[2], 2);
    }
    QByteArray rtf;
    if (!readFile(args[0], &rtf))
        return 1;
    // The view reads the same way the stages do; render it at the document's full height.
    richtext::RichView view;
    view.setRtf(rtf);
    view.resize(width, 100);
    const int height = std::max(1, std::min(view.documentHeight(), 30000));
    view.resize(width, height);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    view.render(&image);
    if (!image.save(QString::fromStdString(args[1]), "PNG"))
        return fail("cannot write " + args[1]);
    std::printf("%d x %d\n", width, height);
    return 0;
}

} // namespace

std::vector<Command> richtextCommands() {
    return {
        {"rtf-text", kTextUsage, Needs::Core, rtfText},
        {"rtf-render", kRenderUsage, Needs::Widgets, rtfRender},
    };
}

} // namespace tools
