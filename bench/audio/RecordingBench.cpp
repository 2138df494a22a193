// Records a long test signal through the station's recording path with SDL's
// disk driver reading it as fast as it goes, and compares with the encoder
// alone on the same signal.
//
//   bench_audio_recording [SECONDS=2700] [FOLDER=temporary]
//   bench_audio_recording live RUNS [SECONDS=2]
#include "audio/EncoderCommand.h"
#include "audio/Recorder.h"
#include "audio/SdlAudioLayer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Rate = 44100;
constexpr int FrameBytes = 4;

double secondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

long residentKiB(const QString& process = QStringLiteral("self")) {
    QFile f(QStringLiteral("/proc/%1/status").arg(process));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Resident memory of the running encoder, a child of this process.
long encoderResidentKiB() {
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks.filePath(task + QStringLiteral("/children")));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& pid : f.readAll().split(' ')) {
            QFile comm(QStringLiteral("/proc/%1/comm").arg(QString::fromLatin1(pid.trimmed())));
            if (!pid.trimmed().isEmpty() && comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "oggenc")
                return residentKiB(QString::fromLatin1(pid.trimmed()));
        }
    }
    return -1;
}

// A tone gliding between 200 and 2000 Hz with a little noise: something the
// encoder has to work on, unlike silence or one pure tone.
bool writeSignal(const QString& raw, const QString& wav, qint64 frames) {
    QFile r(raw), w(wav);
    if (!r.open(QIODevice::WriteOnly) || !w.open(QIODevice::WriteOnly))
        return false;
    QByteArray header = audio::streamingWavHeader(Rate, 2);
    qToLittleEndian<quint32>(static_cast<quint32>(36 + frames * FrameBytes), header.data() + 4);
    qToLittleEndian<quint32>(static_cast<quint32>(frames * FrameBytes), header.data() + 40);
    w.write(header);
    std::vector<std::int16_t> block(2 * Rate);
    double phase = 0;
    std::uint32_t noise = 12345;
    for (qint64 f = 0; f < frames;) {
        const qint64 n = std::min<qint64>(Rate, frames - f);
        for (qint64 i = 0; i < n; ++i, ++f) {
            const double t = static_cast<double>(f) / Rate;
            const double freq = 1100 + 900 * std::sin(2 * std::numbers::pi * t / 7.0);
            phase += 2 * std::numbers::pi * freq / Rate;
            noise = noise * 1664525u + 1013904223u;
            const double v = 9000 * std::sin(phase) + static_cast<double>(noise >> 20) - 2048;
            block[static_cast<std::size_t>(2 * i)] = static_cast<std::int16_t>(v);
            block[static_cast<std::size_t>(2 * i + 1)] = static_cast<std::int16_t>(v * 0.7);
        }
        const auto bytes = static_cast<qint64>(n * FrameBytes);
        const char* data = reinterpret_cast<const char*>(block.data());
        if (r.write(data, bytes) != bytes || w.write(data, bytes) != bytes)
            return false;
    }
    return true;
}

double cpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Two encodings of the same samples differ only in the stream's random serial
// number and so in each page's checksum.
bool sameOggApartFromSerial(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    const QByteArray x = fa.readAll(), y = fb.readAll();
    if (x.size() != y.size())
        return false;
    for (qsizetype page = 0; page < x.size();) {
        if (x.size() - page < 27 || x.mid(page, 4) != "OggS")
            return false;
        const int segments = static_cast<unsigned char>(x[page + 26]);
        qsizetype length = 27 + segments;
        for (int i = 0; i < segments && page + 27 + i < x.size(); ++i)
            length += static_cast<unsigned char>(x[page + 27 + i]);
        for (qsizetype i = 0; i < length && page + i < x.size(); ++i) {
            const bool serialOrCrc = (i >= 14 && i < 18) || (i >= 22 && i < 26);
            if (!serialOrCrc && x[page + i] != y[page + i])
                return false;
        }
        page += length;
    }
    return true;
}

struct Limit {
    std::uint64_t bytes;
    audio::AudioLayer* layer;
    std::uint64_t seen = 0;
    // The station's callback, plus an end at the input's last frame: after it
    // the disk driver only delivers silence.
    static bool proc(audio::Handle h, const void* buf, std::uint32_t len, void* user) {
        auto* self = static_cast<Limit*>(user);
        self->seen += len;
        return audio::Recorder::RecordProc(h, buf, len, self->layer) && self->seen < self->bytes;
    }
};

// Start-to-stop length of short recordings at the disk driver's own pace,
// against the frames the driver delivered between the two moments: a thread
// notes when each block arrives, and the moments are placed between blocks.
// Prints the error of each run; returns the largest, in milliseconds.
// With live false, records from the sound server SDL finds (SDL_AUDIODRIVER)
// instead of the disk driver.
double lengthErrors(const QString& dir, int runs, double seconds, bool disk = true) {
    const QString raw = QDir(dir).filePath(QStringLiteral("speech.raw"));
    {
        QFile r(raw);
        if (!r.open(QIODevice::WriteOnly))
            return 1e9;
        std::vector<std::int16_t> s(static_cast<std::size_t>(2 * Rate * (seconds + 2)));
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = static_cast<std::int16_t>(8000 *
                                             std::sin(2 * std::numbers::pi * 440 * static_cast<double>(i / 2) / Rate));
        r.write(reinterpret_cast<const char*>(s.data()), static_cast<qint64>(s.size() * 2));
    }
    if (disk) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(raw));
        qputenv("SDL_DISKAUDIOFILE", "/dev/null");
        qunsetenv("SDL_DISKAUDIODELAY");
    }
    audio::SdlAudioLayerOptions options;
    options.workingDir = dir;
    audio::SdlAudioLayer layer(options);
    if (!layer.recordInit(-1))
        return 1e9;
    int empty = 0;
    int failed = 0;
    audio::Recorder recorder(layer, [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    double worst = 0;
    for (int run = 0; run < runs; ++run) {
        const QString out = QDir(dir).filePath(QStringLiteral("length %1.ogg").arg(run));
        struct Block {
            Clock::time_point at;
            std::uint64_t frames;
        };
        std::vector<Block> blocks;
        std::atomic<audio::Handle> watched{0};
        std::atomic<bool> done{false};
        std::thread watcher([&] {
            std::uint64_t last = 0;
            while (!done) {
                const std::uint64_t f = layer.framesDelivered(watched.load());
                if (f != last) {
                    blocks.push_back({Clock::now(), f});
                    last = f;
                }
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
        const auto start = Clock::now();
        recorder.startRecording(out);
        watched = recorder.RecChannel;
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        const auto stop = Clock::now();
        recorder.beginStopRecording(out);
        while (!recorder.pollStopRecording())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        done = true;
        watcher.join();
        // Frames the driver delivered by a moment: its blocks, the one under
        // way counted in proportion.
        auto framesAt = [&](Clock::time_point t) {
            double before = 0;
            Clock::time_point beforeAt = start;
            for (const Block& b : blocks) {
                if (b.at >= t) {
                    const double share = std::chrono::duration<double>(t - beforeAt).count() /
                                         std::chrono::duration<double>(b.at - beforeAt).count();
                    return before + share * (static_cast<double>(b.frames) - before);
                }
                before = static_cast<double>(b.frames);
                beforeAt = b.at;
            }
            return before;
        };
        const double expected = framesAt(stop) - framesAt(start);
        const double recorded = recorder.lastOutcome.seconds * Rate;
        const double errorMs = (recorded - expected) * 1000.0 / Rate;
        worst = std::max(worst, std::abs(errorMs));
        empty += recorded <= 0 ? 1 : 0;
        failed += recorder.lastOutcome.code == audio::ErrorCode::Ok ? 0 : 1;
        std::printf("length run %d: %.3f s between start and stop in the driver's frames, recorded %.3f s: error "
                    "%+.1f ms%s\n",
                    run + 1, expected / Rate, recorded / Rate, errorMs,
                    recorder.lastOutcome.code == audio::ErrorCode::Ok ? "" : " (reported as failed)");
    }
    std::printf("%d runs: %d empty, %d reported as failed, worst length error %.1f ms\n", runs, empty, failed, worst);
    return worst;
}

} // namespace

int main(int argc, char** argv) {
    // bench_audio_recording live RUNS [SECONDS=2]: short recordings from the
    // system's sound server, for the manual check in docs/audio.md.
    if (argc > 2 && std::strcmp(argv[1], "live") == 0) {
        QTemporaryDir live;
        const double worst = lengthErrors(live.path(), std::atoi(argv[2]), argc > 3 ? std::atof(argv[3]) : 2.0, false);
        return worst <= 30 ? 0 : 1;
    }
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2700.0;
    QTemporaryDir tmp;
    const QString dir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
    const qint64 frames = std::llround(seconds * Rate);
    const QString raw = QDir(dir).filePath(QStringLiteral("signal.raw"));
    const QString wav = QDir(dir).filePath(QStringLiteral("signal.wav"));
    const QString out = QDir(dir).filePath(QStringLiteral("recorded answer.ogg"));
    const QString ref = QDir(dir).filePath(QStringLiteral("reference.ogg"));
    const QString oggenc = QStandardPaths::findExecutable(QStringLiteral("oggenc"));
    if (oggenc.isEmpty()) {
        std::fprintf(stderr, "oggenc is needed (Debian: vorbis-tools)\n");
        return 1;
    }
    std::printf("input signal: %.3f s, %lld frames, 44100 Hz, 2 channels, 16 bits\n", seconds,
                static_cast<long long>(frames));
    if (!writeSignal(raw, wav, frames)) {
        std::fprintf(stderr, "cannot write the signal into %s\n", qPrintable(dir));
        return 1;
    }

    // The encoder alone, reading the same signal as a WAV file: once before
    // and once after the recording, the faster run counts (the machine is shared).
    double aloneSeconds = 1e9;
    double aloneCpu = 1e9;
    auto encodeAlone = [&] {
        const double cpu0 = cpuSeconds(RUSAGE_CHILDREN);
        const auto start = Clock::now();
        if (QProcess::execute(oggenc, {QStringLiteral("-Q"), QStringLiteral("-o"), ref, wav}) != 0)
            return false;
        aloneSeconds = std::min(aloneSeconds, secondsSince(start));
        aloneCpu = std::min(aloneCpu, cpuSeconds(RUSAGE_CHILDREN) - cpu0);
        return true;
    };
    if (!encodeAlone()) {
        std::fprintf(stderr, "oggenc failed on the reference\n");
        return 1;
    }
    auto t0 = Clock::now();

    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(raw));
    qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    qputenv("SDL_DISKAUDIODELAY", "0");
    audio::SdlAudioLayerOptions options;
    options.workingDir = dir;
    audio::SdlAudioLayer layer(options);
    if (!layer.recordInit(-1)) {
        std::fprintf(stderr, "no capture device (code %d)\n", layer.errorGetCode());
        return 1;
    }
    bool reported = false;
    audio::Recorder recorder(layer, [&](const QString& text) {
        reported = true;
        std::fprintf(stderr, "%s (code %d)\n", qPrintable(text), layer.errorGetCode());
    });

    // startRecording's steps, with the station's callback wrapped in the limit.
    Limit limit{static_cast<std::uint64_t>(frames) * FrameBytes, &layer};
    const long rssBefore = residentKiB();
    const double childCpu0 = cpuSeconds(RUSAGE_CHILDREN);
    const double selfCpu0 = cpuSeconds(RUSAGE_SELF);
    t0 = Clock::now();
    recorder.RecChannel = layer.recordStart(Rate, 2, 0, &Limit::proc, &limit);
    if (recorder.RecChannel == 0 || !layer.encodeStart(recorder.RecChannel, out, audio::EncodeAutoFree) ||
        !layer.channelPlay(recorder.RecChannel, false)) {
        std::fprintf(stderr, "recording did not start (code %d)\n", layer.errorGetCode());
        return 1;
    }
    struct Sample {
        double done;
        long station;
        long encoder;
    };
    std::vector<Sample> rss;
    int nextTenth = 1;
    while (layer.channelIsActive(recorder.RecChannel) != 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const double done = static_cast<double>(layer.recordedBytes(recorder.RecChannel)) / limit.bytes;
        if (done * 10 >= nextTenth) {
            rss.push_back({done, residentKiB(), encoderResidentKiB()});
            ++nextTenth;
        }
    }
    const auto stopStart = Clock::now();
    recorder.stopRecording(out);
    const double stopSeconds = secondsSince(stopStart);
    const double pathSeconds = secondsSince(t0);
    const double pathEncoderCpu = cpuSeconds(RUSAGE_CHILDREN) - childCpu0;
    const double pathStationCpu = cpuSeconds(RUSAGE_SELF) - selfCpu0;
    // Peaks now, before the comparison below reads both files into memory.
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    const bool same = sameOggApartFromSerial(out, ref);
    encodeAlone();

    const std::uint64_t bytes = layer.channelGetLength(recorder.PlayStream);
    const auto recordedFrames = static_cast<qint64>(bytes / FrameBytes);
    std::printf("recorded: %.3f s, %lld frames; lost %lld, extra %lld%s\n",
                layer.channelBytes2Seconds(recorder.PlayStream, bytes), static_cast<long long>(recordedFrames),
                static_cast<long long>(std::max<qint64>(frames - recordedFrames, 0)),
                static_cast<long long>(std::max<qint64>(recordedFrames - frames, 0)),
                reported ? " (the recording was reported incomplete)" : "");
    std::printf("encoded stream identical to oggenc alone on the same signal: %s\n", same ? "yes" : "NO");
    std::printf(
        "recording path (start to stopRecording returned): %.2f s wall; encoder %.2f s CPU, station %.2f s CPU\n",
        pathSeconds, pathEncoderCpu, pathStationCpu);
    std::printf("oggenc alone on the WAV file (best of two):       %.2f s wall; encoder %.2f s CPU\n", aloneSeconds,
                aloneCpu);
    std::printf("ratio path / encoder alone: %.3f wall, %.3f CPU (encoder + station against encoder)\n",
                pathSeconds / aloneSeconds, (pathEncoderCpu + pathStationCpu) / aloneCpu);
    std::printf("stopRecording took: %.1f ms\n", stopSeconds * 1000);
    std::printf("resident memory, KiB, station / encoder: before %ld", rssBefore);
    for (const auto& r : rss)
        std::printf(", %.0f%% %ld / %ld", r.done * 100, r.station, r.encoder);
    std::printf("\npeak resident memory of the station process: %ld KiB\n", self.ru_maxrss);
    const double worstMs = lengthErrors(dir, 5, 2.0);
    std::printf("start-to-stop length error, worst of 5 recordings of 2 s: %.1f ms\n", worstMs);
    return recordedFrames == frames && same && !reported && worstMs <= 30 ? 0 : 1;
}
