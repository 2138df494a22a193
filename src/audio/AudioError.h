#pragma once

#include <QString>

// The text of the audio error box; its caption and button are the dialog service's.
namespace audio {

// The box's text: the message and, on a second line, the layer's error code.
QString formatAudioError(const QString& text, int code);

} // namespace audio
