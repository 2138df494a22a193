#pragma once

#include <QString>

// Texts of the audio error box.
namespace audio {

// Caption of the audio error box (OK button only, no icon).
inline constexpr const char* AudioErrorCaption = "Ошибка";

// The box's text: the message and, on a second line, the layer's error code.
QString formatAudioError(const QString& text, int code);

} // namespace audio
