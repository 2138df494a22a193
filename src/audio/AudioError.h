#pragma once

#include <QString>

// Texts of the audio error box.
namespace audio {

// The box's text: the message and, on a second line, the layer's error code.
QString formatAudioError(const QString& text, int code);

} // namespace audio
