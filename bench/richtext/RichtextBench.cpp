// Prints what reading RTF costs:
// - tables of 1k, 4k and 16k two-cell rows, row definitions before and after the cells: time per
//   1000 rows to convert, and to convert and lay out (the figures stay flat when building is linear);
// - the largest demo-kit sheet, converted and laid out at the view's width;
// - a large sheet (about 1 MB of RTF: a JPEG photo of a few hundred kilobytes, a 40-row table and
//   pages of Cyrillic text), then `unrtf --html` on the same file as a yardstick.
// Usage: richtext-bench [RUNS] [--keep FILE]   (the large sheet is written to FILE when given)
#include "richtext/RtfReader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <utility>
#include <cstdio>
#include <vector>

namespace {

QByteArray photoJpeg() {
    // Noise compresses badly, so a modest image gives a photo-sized JPEG.
    QImage image(1000, 750, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int base = (x * 255 / image.width() + y * 255 / image.height()) / 2;
            line[x] = qRgb(std::clamp(base + random.bounded(-60, 60), 0, 255),
                           std::clamp(base + random.bounded(-60, 60), 0, 255), 200);
        }
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return jpeg;
}

QByteArray unicodeWords(const QString& text) {
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            out += static_cast<char>(c.unicode());
        else
            out += "\\u" + QByteArray::number(static_cast<short>(c.unicode())) + "\\'3f";
    }
    return out;
}

QByteArray largeSheet(qsizetype* jpegBytes) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}"
                     "{\\f1\\fswiss\\fcharset204 Arial;}}{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}\n"
                     "\\pard\\qc\\b\\f1\\fs32 " +
                     unicodeWords(QStringLiteral("Задание 3. Описание фотографии")) + "\\b0\\par\n";
    const QByteArray jpeg = photoJpeg();
    *jpegBytes = jpeg.size();
    rtf += "\\pard\\qc{\\*\\shppict{\\pict\\jpegblip\\picw1000\\pich750\\picwgoal7200\\pichgoal5400\n";
    const QByteArray hex = jpeg.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128)
        rtf += hex.mid(i, 128) + '\n';
    rtf += "}}\\par\n";
    for (int r = 0; r < 40; ++r) {
        rtf +=
            "\\trowd\\trgaph108\\trleft-108\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
            "\\clbrdrr\\brdrs\\brdrw10\\cellx2000\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\cellx6000"
            "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx9000\n";
        rtf += "\\pard\\intbl\\f0\\fs24 " + QByteArray::number(r + 1) + "\\cell ";
        rtf += unicodeWords(QStringLiteral("Пункт плана ответа номер %1").arg(r + 1)) + "\\cell\\cf2 ";
        rtf += "\\'c2\\'f0\\'e5\\'ec\\'ff \\'ee\\'f2\\'e2\\'e5\\'f2\\'e0\\cf0\\cell\\row\n";
    }
    const QByteArray paragraph =
        "\\pard\\qj\\fi360\\sa120\\f0\\fs24 " +
        unicodeWords(QStringLiteral("Опишите фотографию подробно: где и когда она могла быть сделана, кто или что "
                                    "на ней изображено, что происходит, почему вы её выбрали и что вам в ней "
                                    "нравится. ")) +
        "{\\b \\'c2\\'f0\\'e5\\'ec\\'ff}{\\i  \\'ee\\'f2\\'e2\\'e5\\'f2\\'e0} 2 min.\\par\n";
    while (rtf.size() < 1000 * 1000)
        rtf += paragraph;
    rtf += "}";
    return rtf;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QByteArray twoCellTable(int rows, bool definitionAfterCells) {
    const QByteArray definition = "\\trowd\\trgaph108\\clbrdrb\\brdrs\\brdrw10\\cellx3000\\cellx6000";
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251 ";
    for (int r = 0; r < rows; ++r) {
        const QByteArray cells = "\\pard\\intbl \\'cf\\'f3\\'ed\\'ea\\'f2 " + QByteArray::number(r) + "\\cell " +
                                 QByteArray::number(r * 7) + "\\cell";
        rtf += definitionAfterCells ? cells + "{" + definition + "\\row}\n" : definition + cells + "\\row\n";
    }
    return rtf + "\\pard\\par}";
}

// Milliseconds to convert rtf, and to convert and lay it out at width (median of runs).
std::pair<double, double> convertAndLayout(const QByteArray& rtf, int runs, int width, int* height = nullptr) {
    std::vector<double> convert, both;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTextDocument doc;
        richtext::RtfReader::read(rtf, &doc);
        convert.push_back(timer.nsecsElapsed() / 1e6);
        doc.setTextWidth(width);
        const int h = static_cast<int>(doc.size().height()); // lays the whole document out
        both.push_back(timer.nsecsElapsed() / 1e6);
        if (height)
            *height = h;
    }
    return {median(convert), median(both)};
}

void tableScaling(int runs) {
    for (const bool after : {false, true}) {
        for (int rows : {1000, 4000, 16000}) {
            const auto [convert, both] = convertAndLayout(twoCellTable(rows, after), runs, 1016);
            std::printf("table, definition %s cells, %5d rows: per 1000 rows %.1f ms convert, %.1f ms convert+layout\n",
                        after ? "after " : "before", rows, convert * 1000 / rows, both * 1000 / rows);
        }
    }
}

void largestDemoSheet(int runs) {
    const QDir sheets(QStringLiteral(ZUNT_SOURCE_DIR "/demo-kit/sheets"));
    const QFileInfoList files = sheets.entryInfoList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Size);
    if (files.isEmpty()) {
        std::printf("demo-kit sheets: none found in %s\n", qPrintable(sheets.path()));
        return;
    }
    QFile file(files.first().filePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray rtf = file.readAll();
    int height = 0;
    const auto [convert, both] = convertAndLayout(rtf, runs, 1016, &height);
    std::printf("largest demo-kit sheet %s (%lld bytes): median %.2f ms convert, %.2f ms convert+layout at 1016 px "
                "(%d px high)\n",
                qPrintable(files.first().fileName()), static_cast<long long>(rtf.size()), convert, both, height);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int runs = 5;
    QString keep;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--keep") == 0 && i + 1 < argc)
            keep = QString::fromLocal8Bit(argv[++i]);
        else
            runs = std::max(1, atoi(argv[i]));
    }
    tableScaling(std::min(runs, 3));
    largestDemoSheet(runs);

    qsizetype jpegBytes = 0;
    const QByteArray rtf = largeSheet(&jpegBytes);
    QTemporaryDir dir;
    const QString path = keep.isEmpty() ? dir.filePath(QStringLiteral("large-sheet.rtf")) : keep;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    file.close();
    std::printf("sheet: %lld bytes of RTF, %lld bytes of JPEG, 40-row table\n", static_cast<long long>(rtf.size()),
                static_cast<long long>(jpegBytes));

    int height = 0;
    const double ours = convertAndLayout(rtf, runs, 1016, &height).second;
    std::printf("richtext convert+layout: median %.1f ms over %d runs (document %d px high)\n", ours, runs, height);

    std::vector<double> theirs;
    for (int i = 0; i < runs; ++i) {
        QProcess unrtf;
        unrtf.setWorkingDirectory(dir.path()); // unrtf writes the pictures it finds into its folder
        unrtf.setStandardOutputFile(QProcess::nullDevice());
        unrtf.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        unrtf.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
        if (!unrtf.waitForFinished(120000) || unrtf.exitStatus() != QProcess::NormalExit) {
            std::printf("unrtf --html: not available (%s)\n", qPrintable(unrtf.errorString()));
            return 0;
        }
        theirs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("unrtf --html convert:    median %.1f ms over %d runs\n", median(theirs), runs);
    std::printf("ratio: richtext takes %.2f of unrtf's time\n", ours / median(theirs));
    return 0;
}
