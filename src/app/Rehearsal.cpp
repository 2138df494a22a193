#include "app/Rehearsal.h"

#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "app/RehearsalDialogService.h"
#include "app/StartupFacts.h"
#include "app/StationRehearsal.h"
#include "app/StationSession.h"
#include "station/StationLog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace rehearsal {
namespace {

bool hasDisplay() {
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen"))
        return false;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// A voice-like sound for the disk driver's microphone: a low tone with overtones that
// swells and fades a few times a second, as syllables do. 44100 Hz, stereo, 16 bits.
QByteArray murmur(int seconds) {
    constexpr int kRate = 44100;
    QByteArray pcm;
    pcm.resize(static_cast<qsizetype>(seconds) * kRate * 4);
    auto* out = reinterpret_cast<unsigned char*>(pcm.data());
    for (qsizetype i = 0; i < static_cast<qsizetype>(seconds) * kRate; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double pitch = 140.0 + 20.0 * std::sin(2 * M_PI * 0.7 * t);
        const double voice = std::sin(2 * M_PI * pitch * t) + 0.5 * std::sin(4 * M_PI * pitch * t) +
                             0.25 * std::sin(6 * M_PI * pitch * t);
        const double syllables = 0.5 + 0.5 * std::sin(2 * M_PI * 4.0 * t);
        const auto sample = static_cast<qint16>(6000.0 * voice * syllables);
        for (int channel = 0; channel < 2; ++channel) {
            *out++ = static_cast<unsigned char>(sample & 0xFF);
            *out++ = static_cast<unsigned char>((sample >> 8) & 0xFF);
        }
    }
    return pcm;
}

// Points SDL's disk driver at a microphone file and a loudspeaker file in folder.
bool standInHeadset(const QString& folder) {
    const QString input = QDir(folder).filePath(QStringLiteral("microphone.raw"));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly) || file.write(murmur(30)) < 0)
        return false;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(input));
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(QDir(folder).filePath(QStringLiteral("loudspeaker.raw"))));
    return true;
}

} // namespace

int run(int argc, char** argv, const QString& dir) {
    const bool onScreen = hasDisplay();
    if (!onScreen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(texts::kAppTitle);

    const QFileInfo folder(dir);
    if (dir.isEmpty() || !folder.isDir()) {
        std::fprintf(stderr, "zunt-station: error: --rehearsal needs a folder that holds kim.kim\n");
        return 2;
    }
    const QString workDir = folder.absoluteFilePath();
    if (!QFileInfo(QDir(workDir).filePath(QStringLiteral("kim.kim"))).isFile()) {
        std::fprintf(stderr, "zunt-station: error: %s holds no kim.kim\n", QFile::encodeName(workDir).constData());
        return 2;
    }
    QDir::setCurrent(workDir);

    QTemporaryDir headset; // only the stand-in headset's files, never the station's
    // A caller that chose SDL's driver itself (a disk driver with its own files) keeps it.
    const bool standIn = !onScreen && qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER");
    if (standIn && (!headset.isValid() || !standInHeadset(headset.path()))) {
        std::fprintf(stderr, "zunt-station: error: cannot write the sound files that stand in for the headset\n");
        return 1;
    }
    print(QStringLiteral("Репетиция станции в %1: %2")
              .arg(workDir, onScreen ? QStringLiteral("на экране, с гарнитурой")
                                     : QStringLiteral("без экрана, гарнитуру заменяют "
                                                      "файлы SDL")));

    // The rehearsal keeps the technician's log as a station does: it ends up in the station
    // folder, where the report must pass over it.
    QTemporaryDir logStart;
    StationLog log(logStart.path());
    startupfacts::logProgram();
    startupfacts::logAudio(workDir);

    RehearsalDialogService dialogs(print);
    StationSession session(dialogs, workDir,
                           QDir::toNativeSeparators(QApplication::applicationDirPath() + QLatin1Char('/')));
    if (!session.start()) {
        print(QStringLiteral("Станция не запустилась."));
        return 1;
    }
    session.main().show();
    return StationRehearsal::run(session.main(), dialogs, StationRehearsal::Options(), print) ? 0 : 1;
}

} // namespace rehearsal
