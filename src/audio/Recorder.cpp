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

namespace {

const char* const CallOrganiser = "\nСообщите о проблеме организатору в аудитории";

} // namespace

QString recordingProblemText(ErrorCode code) {
    const char* text = nullptr;
    switch (code) {
    case ErrorCode::Ok:
        return {};
    case ErrorCode::EncoderNotFound:
        text = "Не найдена программа сжатия аудиозаписи (OGGENC.EXE). Запись продолжается, звук сохраняется.";
        break;
    case ErrorCode::EncoderStart:
    case ErrorCode::EncoderFailed:
    case ErrorCode::EncoderTimeout:
        text = "Процесс сжатия аудиозаписи прервался и запускается заново. Запись продолжается, звук сохраняется.";
        break;
    case ErrorCode::DiskFull:
        text = "На диске нет места для аудиозаписи. Запись продолжается, звук сохраняется в памяти.";
        break;
    case ErrorCode::FolderNotWritable:
        text = "Нет доступа на запись в папку ответов. Запись продолжается, звук сохраняется в памяти.";
        break;
    case ErrorCode::Device:
    case ErrorCode::NoSound:
        text = "Микрофон не передаёт звук. Проверьте подключение гарнитуры.";
        break;
    default:
        text = "Сбой аудиозаписи.";
        break;
    }
    return QString::fromUtf8(text) + QString::fromUtf8(CallOrganiser);
}

QString recordingFailureText(ErrorCode code) {
    switch (code) {
    case ErrorCode::Ok:
        return {};
    case ErrorCode::DiskFull:
        return QString::fromUtf8("Аудиозапись сохранена не полностью: на диске нет места.") +
               QString::fromUtf8(CallOrganiser);
    case ErrorCode::FolderNotWritable:
        return QString::fromUtf8("Аудиозапись сохранена не полностью: нет доступа на запись в папку ответов.") +
               QString::fromUtf8(CallOrganiser);
    case ErrorCode::NoSound:
        return QString::fromUtf8("Аудиозапись пуста или намного короче времени записи: микрофон не передавал звук.") +
               QString::fromUtf8(CallOrganiser);
    default:
        return QString::fromUtf8(Recorder::RecordingIncompleteText);
    }
}

Recorder::Recorder(AudioLayer& layer, std::function<void(const QString& text)> showAudioError)
    : m_layer(layer), m_showAudioError(std::move(showAudioError)) {}

void Recorder::collect(Handle channel, const QString& fileName) {
    lastOutcome = RecordingOutcome{fileName, ErrorCode::Ok, 0};
    // A stop that fails on a live channel means the answer was not saved in
    // full; saying nothing would pass a lost answer off as a saved one.
    const bool ok = m_layer.channelStop(channel);
    lastOutcome.seconds = m_layer.recordingStatus(channel).recordedSeconds;
    if (!ok && m_layer.errorGetCode() != static_cast<int>(ErrorCode::BadHandle)) {
        lastOutcome.code = static_cast<ErrorCode>(m_layer.errorGetCode());
        m_showAudioError(recordingFailureText(lastOutcome.code));
    }
}

void Recorder::finishChannel(const QString& fileName) {
    collect(std::exchange(RecChannel, 0), fileName);
}

void Recorder::startRecording(const QString& fileName) {
    // A recording still being completed goes first: its file may be this one.
    if (m_finishing != 0)
        waitStopRecording();
    // A recording that ended by itself still holds the device; end it before
    // starting the next.
    if (RecChannel != 0)
        finishChannel(fileName);
    if (PlayStream != 0) {
        m_layer.streamFree(PlayStream);
        PlayStream = 0;
    }
    m_layer.recordSetDevice(1);
    // Recording from the moment the device opens: the encoder starting
    // meanwhile loses nothing, the layer holds the sound for it.
    RecChannel = m_layer.recordStart(44100, 2, 0, &Recorder::RecordProc, &m_layer);
    if (RecChannel == 0) {
        m_showAudioError(QString::fromUtf8(RecordStartFailedText));
        return;
    }
    if (m_layer.encodeStart(RecChannel, fileName, EncodeAutoFree)) {
        m_layer.channelPlay(RecChannel, false);
        return;
    }
    m_showAudioError(m_layer.errorGetCode() == static_cast<int>(ErrorCode::EncoderNotFound) ||
                             m_layer.errorGetCode() == static_cast<int>(ErrorCode::EncoderStart)
                         ? QString::fromUtf8(EncoderStartFailedText)
                         : recordingFailureText(static_cast<ErrorCode>(m_layer.errorGetCode())));
    m_layer.channelStop(RecChannel);
    RecChannel = 0;
}

void Recorder::stopRecording(const QString& fileName) {
    if (m_finishing != 0)
        waitStopRecording();
    if (RecChannel != 0)
        finishChannel(fileName);
    PlayStream = m_layer.streamCreateFile(fileName);
}

void Recorder::beginStopRecording(const QString& fileName) {
    if (m_finishing != 0)
        waitStopRecording();
    if (RecChannel == 0) {
        // Nothing records: as stopRecording, open what is there.
        stopRecording(fileName);
        return;
    }
    m_finishing = std::exchange(RecChannel, 0);
    m_finishingFile = fileName;
    m_layer.channelFinish(m_finishing);
}

bool Recorder::pollStopRecording() {
    if (m_finishing == 0 || !m_layer.recordingStatus(m_finishing).finished)
        return false;
    const Handle channel = std::exchange(m_finishing, 0);
    collect(channel, m_finishingFile);
    PlayStream = m_layer.streamCreateFile(m_finishingFile);
    return true;
}

void Recorder::waitStopRecording() {
    if (m_finishing == 0)
        return;
    const Handle channel = std::exchange(m_finishing, 0);
    // channelStop waits for the end under way.
    collect(channel, m_finishingFile);
    PlayStream = m_layer.streamCreateFile(m_finishingFile);
}

RecordingStatus Recorder::liveStatus() {
    return RecChannel != 0 ? m_layer.recordingStatus(RecChannel) : RecordingStatus{};
}

bool Recorder::RecordProc(Handle handle, const void*, std::uint32_t, void* user) {
    return static_cast<AudioLayer*>(user)->encodeIsActive(handle) != 0;
}

} // namespace audio
