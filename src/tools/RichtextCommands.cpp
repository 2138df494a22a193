#include "tools/Commands.h"

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

bool readFile(const std::string& path, QByteArray* bytes) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "не удалось открыть файл %s\n", path.c_str());
        return false;
    }
    *bytes = file.readAll();
    return true;
}

int rtfText(const Args& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zunt-tool rtf-text FILE\n");
        return 2;
    }
    QByteArray rtf;
    if (!readFile(args[0], &rtf))
        return 1;
    const QByteArray text = richtext::RtfReader::plainText(rtf).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    return 0;
}

int rtfRender(const Args& args) {
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: zunt-tool rtf-render FILE OUT.png [WIDTH]\n");
        return 2;
    }
    int width = 1016;
    if (args.size() == 3) {
        bool ok = false;
        width = QString::fromStdString(args[2]).toInt(&ok);
        if (!ok || width < 16 || width > 10000) {
            std::fprintf(stderr, "ширина должна быть от 16 до 10000 пикселей\n");
            return 2;
        }
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
    if (!image.save(QString::fromStdString(args[1]), "PNG")) {
        std::fprintf(stderr, "не удалось записать %s\n", args[1].c_str());
        return 1;
    }
    std::printf("%d x %d\n", width, height);
    return 0;
}

} // namespace

std::vector<Command> richtextCommands() {
    return {
        {"rtf-text", "rtf-text FILE            print an RTF document's text as UTF-8", rtfText},
        {"rtf-render", "rtf-render FILE OUT.png [WIDTH]  render an RTF document as the sheet view shows it", rtfRender},
    };
}

} // namespace tools
