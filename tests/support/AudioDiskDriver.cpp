#include "AudioDiskDriver.h"

#include <QDir>
#include <QFile>

namespace audiotest {

namespace {

const char* const Vars[4] = {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILEIN", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"};

} // namespace

AudioDiskDriver::AudioDiskDriver(const QString& dir)
    : m_input(QDir(dir).filePath(QStringLiteral("mic-in.raw"))),
      m_output(QDir(dir).filePath(QStringLiteral("speaker-out.raw"))) {
    for (int i = 0; i < 4; ++i) {
        m_had[i] = qEnvironmentVariableIsSet(Vars[i]);
        m_saved[i] = qgetenv(Vars[i]);
    }
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(m_input));
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_output));
    qunsetenv("SDL_DISKAUDIODELAY");
    setInput(QByteArray());
}

AudioDiskDriver::~AudioDiskDriver() {
    for (int i = 0; i < 4; ++i) {
        if (m_had[i])
            qputenv(Vars[i], m_saved[i]);
        else
            qunsetenv(Vars[i]);
    }
}

void AudioDiskDriver::setInput(const QByteArray& pcm) {
    QFile f(m_input);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(pcm);
}

void AudioDiskDriver::removeInput() {
    QFile::remove(m_input);
}

void AudioDiskDriver::setDelayMs(int ms) {
    qputenv("SDL_DISKAUDIODELAY", QByteArray::number(ms));
}

QByteArray AudioDiskDriver::output() const {
    QFile f(m_output);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace audiotest
