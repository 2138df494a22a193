// Soak run: one station, many examinees, shortened times, on SDL's disk driver with the
// real encoder. Prints the open file descriptors, threads and resident memory after the
// first examinee and after the last (they must stay flat), checks every answer folder and
// exits 0 only when both hold.
//
//   bench_review_soak [EXAMINEES=100] [MANIFEST=demo-kit/manifest.txt]
#include "kit/KitFile.h"
#include "kit/KitManifest.h"
#include "main/StationWindow.h"
#include "app/RehearsalDialogService.h"
#include "app/StationDriver.h"
#include "app/StationRehearsal.h"
#include "station/StationReport.h"
#include "app/StationSession.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

struct Resources {
    int fds = 0;
    int threads = 0;
    long rssKb = 0;
};

long statusValue(const QByteArray& status, const char* key) {
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith(key))
            return line.mid(static_cast<qsizetype>(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

Resources measure() {
    Resources r;
    r.fds = static_cast<int>(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        const QByteArray text = status.readAll();
        r.threads = static_cast<int>(statusValue(text, "Threads:"));
        r.rssKb = statusValue(text, "VmRSS:");
    }
    return r;
}

void print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString resourcesLine(int examinee, const Resources& r) {
    return QStringLiteral("after examinee %1: fds=%2 threads=%3 rss=%4 kB")
        .arg(examinee)
        .arg(r.fds)
        .arg(r.threads)
        .arg(r.rssKb);
}

// A steady tone for the disk driver's microphone, 44100 Hz stereo 16 bits.
bool writeMicrophone(const QString& path, int seconds) {
    QByteArray pcm;
    pcm.resize(static_cast<qsizetype>(seconds) * 44100 * 4);
    auto* out = reinterpret_cast<unsigned char*>(pcm.data());
    for (qsizetype i = 0; i < static_cast<qsizetype>(seconds) * 44100; ++i) {
        const auto s = static_cast<qint16>(8000.0 * std::sin(2 * M_PI * 300.0 * static_cast<double>(i) / 44100.0));
        for (int c = 0; c < 2; ++c) {
            *out++ = static_cast<unsigned char>(s & 0xFF);
            *out++ = static_cast<unsigned char>((s >> 8) & 0xFF);
        }
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(pcm) == pcm.size();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const QString manifest =
        argc > 2 ? QFile::decodeName(argv[2]) : QStringLiteral(ZUNT_SOURCE_DIR "/demo-kit/manifest.txt");

    QTemporaryDir base;
    const QString workDir = QDir(base.path()).filePath(QStringLiteral("station"));
    const QString headset = QDir(base.path()).filePath(QStringLiteral("headset"));
    QDir().mkpath(workDir);
    QDir().mkpath(headset);
    kit::MemTable kit;
    std::string error;
    if (!kit::loadManifest(manifest.toStdString(), &kit, &error) ||
        !kit::saveKit(kit, QDir(workDir).filePath(QStringLiteral("kim.kim")).toStdString(), &error)) {
        std::fprintf(stderr, "demo kit: %s\n", error.c_str());
        return 2;
    }
    const QString mic = QDir(headset).filePath(QStringLiteral("mic-in.raw"));
    if (!writeMicrophone(mic, 10))
        return 2;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(mic));
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(QDir(headset).filePath(QStringLiteral("speaker-out.raw"))));

    QElapsedTimer clock;
    clock.start();
    RehearsalDialogService dialogs([](const QString& line) { print(line); }, 20);
    StationSession session(dialogs, workDir, workDir + QLatin1Char('/'));
    if (!session.start())
        return 1;
    StationWindow& main = session.main();
    main.show();
    main.prepTime2 = main.prepTime3 = 1;
    main.taskTime2 = main.taskTime3 = 1;
    main.taskTime4 = main.taskTime5 = main.taskTime6 = 1;

    StationDriver::Options options;
    options.pace = StationDriver::Pace::Driven;
    options.speakMs = 300;
    options.answerMs = 300;
    int turn = 0;
    options.pick = [&turn](int n) {
        return n > 0 ? (turn++ % (n + 1)) : 0;
    }; // "none" too
    StationDriver driver(main, options);
    bool ok = driver.hardwareTest(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"));
    QList<StationDriver::Outcome> outcomes;
    Resources first;
    for (int i = 1; ok && i <= count; ++i) {
        StationDriver::Examinee e;
        e.code = QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
        e.photo = i % 4;
        StationDriver::Outcome o;
        ok = driver.examinee(e, &o) && (i == count ? driver.endStation() : driver.nextExaminee());
        outcomes << o;
        if (i == 1) {
            first = measure();
            print(resourcesLine(i, first));
        } else if (i % 10 == 0 && i != count) {
            print(resourcesLine(i, measure()));
        }
    }
    if (!ok) {
        print(QStringLiteral("soak stopped: ") + driver.error());
        return 1;
    }
    const Resources last = measure();
    print(resourcesLine(count, last));
    const qint64 ms = clock.elapsed();

    const StationReport report = StationReport::inspect(main.folders().stationFolder());
    const QStringList problems = StationRehearsal::disagreements(report, outcomes);
    for (const QString& p : problems)
        print(QStringLiteral("disagreement: ") + p);
    print(report.lines().constLast());
    // Flat: not one descriptor or thread more, and memory within 8 MB of the first examinee's.
    const bool flat = last.fds <= first.fds && last.threads <= first.threads && last.rssKb - first.rssKb < 8 * 1024;
    print(QStringLiteral("%1 examinees in %2 s; fds %3 -> %4, threads %5 -> %6, rss %7 -> %8 kB: %9")
              .arg(count)
              .arg(ms / 1000.0, 0, 'f', 1)
              .arg(first.fds)
              .arg(last.fds)
              .arg(first.threads)
              .arg(last.threads)
              .arg(first.rssKb)
              .arg(last.rssKb)
              .arg(flat ? QStringLiteral("flat") : QStringLiteral("GROWING")));
    const bool complete = report.exitStatus() == 0 && problems.isEmpty() && report.completeCount() == count;
    return flat && complete && dialogs.failures().isEmpty() ? 0 : 1;
}
