#include "audio/Recorder.h"

#include <utility>

namespace audio {

const char* const Recorder::RecordStartFailedText =
    "Невозможно начать запись. Возможно работу приложения блокирует антивирус";
const char* const Recorder::EncoderStartFailedText =
    "Невозможно запустить процесс сжатия аудиозаписи...\nПроверьте наличие файла OGGENC.EXE в рабочем каталоге";
const char* const Recorder::DeviceStartFailedText =
    "Невозможно запустить устройство аудиозаписи.\n\rПроверьте подключение гарнитуры с микрофоном";
const char* const Recorder::RecordingIncompleteText =
    "Аудиозапись сохранена не полностью: процесс сжатия аудиозаписи завершился с ошибкой.\n"
    "Сообщите о проблеме организатору в аудитории";

Recorder::Recorder(AudioLayer& layer, std::function<void(const QString& text)> showAudioError)
    : m_layer(layer), m_showAudioError(std::move(showAudioError)) {}

void Recorder::finishChannel() {
    const Handle channel = std::exchange(RecChannel, 0);
    // A stop that fails on a live channel means the answer was not encoded in
    // full; saying nothing would pass a lost answer off as a saved one.
    if (!m_layer.channelStop(channel) && m_layer.errorGetCode() != static_cast<int>(ErrorCode::BadHandle))
        m_showAudioError(QString::fromUtf8(RecordingIncompleteText));
}

void Recorder::startRecording(const QString& fileName) {
    // A recording that ended by itself (its encoder died) still holds the
    // device; end it before starting the next.
    if (RecChannel != 0)
        finishChannel();
    if (PlayStream != 0) {
        m_layer.streamFree(PlayStream);
        PlayStream = 0;
    }
    m_layer.recordSetDevice(1);
    RecChannel = m_layer.recordStart(44100, 2, RecordPaused, &Recorder::RecordProc, &m_layer);
    if (RecChannel == 0) {
        m_showAudioError(QString::fromUtf8(RecordStartFailedText));
        return;
    }
    if (m_layer.encodeStart(RecChannel, fileName, EncodeAutoFree)) {
        m_layer.channelPlay(RecChannel, false);
        return;
    }
    m_showAudioError(QString::fromUtf8(EncoderStartFailedText));
    m_layer.channelStop(RecChannel);
    RecChannel = 0;
}

void Recorder::stopRecording(const QString& fileName) {
    if (RecChannel != 0)
        finishChannel();
    PlayStream = m_layer.streamCreateFile(fileName);
}

bool Recorder::RecordProc(Handle handle, const void*, std::uint32_t, void* user) {
    return static_cast<AudioLayer*>(user)->encodeIsActive(handle) != 0;
}

} // namespace audio
