#include "audio/AudioError.h"

namespace audio {

QString formatAudioError(const QString& text, int code) {
    return QStringLiteral("%1\n(Код ошибки: %2)").arg(text).arg(code);
}

} // namespace audio
