#pragma once

#include <QString>

#include <cstdint>

// The station's audio layer: devices, recording into an external encoder, file
// streams and playback. The interface mirrors the calls the stages make, so a
// stage reads like its description and tests can script failures with a fake.
//
// Threads: every member is called on the user-interface thread. The recording
// callback (RecordProc) runs on the layer's capture thread; from there it may
// call only encodeIsActive(). Playback and encoding run on the layer's own
// threads and processes.
//
// Errors: a call that fails returns 0/false and sets the code errorGetCode()
// reports until the next failing call. Codes are those of ErrorCode.
namespace audio {

// 32-bit handle of a recording channel or a playback stream; 0 means none or
// failure. Handles are never reused within one layer, so a freed handle stays
// harmless: every call on it fails with ErrorCode::BadHandle.
using Handle = std::uint32_t;

// Called on the capture thread once per recorded block (44100 Hz, 2 channels,
// signed 16-bit little-endian). Returning false ends the recording; the handle
// stays valid until channelStop.
using RecordProc = bool (*)(Handle handle, const void* buffer, std::uint32_t length, void* user);

// The codes errorGetCode() returns; the number is what the user sees in the
// audio error box, so existing values never change meaning.
enum class ErrorCode : int {
    Ok = 0,
    Memory = 1,              // out of memory
    FileOpen = 2,            // the file is missing or cannot be read
    Driver = 3,              // the system's audio subsystem cannot be started
    BadHandle = 5,           // unknown, freed or wrong kind of handle
    Format = 6,              // the device refused 44100 Hz, 2 channels, 16 bits
    NotInitialised = 8,      // the device of the call has not been started
    AlreadyInitialised = 14, // the device is started already
    IllegalParameter = 20,   // a parameter is out of range
    Device = 23,             // no such device, or it cannot be opened
    FileFormat = 41,         // the file holds nothing that can be decoded
    Busy = 46,               // a recording is running already
    EncoderNotFound = 60,    // the encoder program is not in the working folder nor on the path
    EncoderStart = 61,       // the encoder program could not be started
    EncoderFailed = 62,      // the encoder ended before the recording did; the file holds what was encoded
    EncoderTimeout = 63,     // the encoder did not finish in time and was killed
    EncoderOverrun = 64,     // the encoder fell behind and recorded sound was dropped
    DiskFull = 65,           // the answer's file cannot grow: the disk (or the user's quota) is full
    FolderNotWritable = 66,  // the answer's file cannot be created or written in its folder
    NoSound = 67,            // the microphone delivered no sound, or far less than the recording lasted
    Unknown = -1,
};

// A recording whose 10 ms blocks all stay below this RMS level (fraction of full
// scale) has heard nothing: -50 dBFS, between headset noise and quiet speech (see
// docs/audio.md for the measurements).
inline constexpr double SilenceFloor = 0.003;

// What a recording is doing, read cheaply and often by the user-interface
// thread (recordingStatus). Failures while recording are repaired by the layer
// (the device keeps capturing, the sound is kept and a new encoder is given
// the whole answer), so a problem here is news for the screen, not a loss.
struct RecordingStatus {
    bool valid = false;                    // the handle is a recording
    bool capturing = false;                // the device delivers sound into the answer now
    bool finishing = false;                // its end was asked for; the file is being completed
    bool finished = false;                 // the file is complete or given up: channelStop returns at once
    ErrorCode problem = ErrorCode::Ok;     // the failure in force now; Ok once repaired
    ErrorCode lastFailure = ErrorCode::Ok; // the latest failure, even if repaired
    std::uint32_t failures = 0;            // failures so far: a change means a new one
    ErrorCode result = ErrorCode::Ok;      // once finished: what channelStop will report
    double recordedSeconds = 0;            // sound kept in the answer so far
    double peakLevel = 0;                  // loudest sample of the last ~100 ms, 0..1 of full scale
    bool silentSoFar = true;               // nothing kept so far rose above the silence floor
};

// Values of channelIsActive().
enum ChannelState : int { Stopped = 0, Playing = 1, Paused = 3 };

// Flags the station passes; other bits are ignored.
constexpr std::uint32_t RecordPaused = 0x8000;    // recordStart: start paused
constexpr std::uint32_t EncodeAutoFree = 0x40000; // encodeStart: encoder ends with its channel

class AudioLayer {
public:
    virtual ~AudioLayer() = default;

    // 0x0204xxxx: the high 16 bits are the interface version the station checks.
    virtual std::uint32_t version() = 0;

    // Starts the recording device; -1 is the default one.
    virtual bool recordInit(int device) = 0;
    // Starts the output device; -1 is the default one. freq must be 44100.
    virtual bool init(int device, int freq, std::uint32_t flags) = 0;
    // Selects the recording device for later recordStart calls.
    virtual bool recordSetDevice(int device) = 0;

    // Opens a recording channel (44100 Hz, 2 channels, 16 bits). With
    // RecordPaused it waits for channelPlay(handle, false). proc may be null.
    virtual Handle recordStart(int freq, int chans, std::uint32_t flags, RecordProc proc, void* user) = 0;
    // Attaches an encoder that writes outputFile from the channel's sound. The
    // layer builds the program and arguments itself (see SdlAudioLayer).
    virtual bool encodeStart(Handle channel, const QString& outputFile, std::uint32_t flags) = 0;
    // Nonzero while the channel's encoder runs. Safe on the capture thread.
    virtual int encodeIsActive(Handle channel) = 0;

    // Starts a paused recording (restart false) or plays a stream, from its
    // start when restart is true.
    virtual bool channelPlay(Handle handle, bool restart) = 0;
    // Stops a stream (it can be played again), or ends a recording: the device
    // is closed, the encoder's input closed, and the call returns once the
    // encoder has exited and the file is complete; the channel is then freed.
    // Returns false when the file is not the whole answer (ErrorCode::NoSound:
    // the device delivered far too little; an encoder, disk or folder failure
    // that could not be repaired); errorGetCode() says why, the file keeps what
    // was encoded and the raw sound stays beside it as <file>.pcm.tmp.
    virtual bool channelStop(Handle handle) = 0;
    // ChannelState of the handle; 0 for 0, a freed handle, a finished stream or
    // a recording that ended by itself.
    virtual int channelIsActive(Handle handle) = 0;

    // Begins the end of a recording and returns at once: the layer keeps what
    // the device captured up to this moment, closes the device and completes
    // the file on its own threads. recordingStatus(handle).finished tells when
    // it is done; channelStop(handle) then returns the outcome at once and
    // frees the channel. A new recording may start meanwhile.
    virtual bool channelFinish(Handle channel) = 0;
    // The state of a recording; valid is false for any other handle. After
    // channelStop it still gives the final state of the recording stopped last.
    virtual RecordingStatus recordingStatus(Handle channel) = 0;

    // Opens a file for playback (MP3, Ogg Vorbis, WAV, FLAC, ...), not playing.
    virtual Handle streamCreateFile(const QString& path) = 0;
    virtual bool streamFree(Handle stream) = 0;
    // Decoded length in bytes of 16-bit samples in the stream's own rate and
    // channels; std::uint64_t(-1) on failure.
    virtual std::uint64_t channelGetLength(Handle handle) = 0;
    // Seconds of the given byte count in the stream's format; -1 on failure.
    virtual double channelBytes2Seconds(Handle handle, std::uint64_t bytes) = 0;

    // Code (an ErrorCode value) of the last failing call.
    virtual int errorGetCode() = 0;

    // Release, called once at exit in this order.
    virtual bool recordFree() = 0;
    virtual bool free() = 0;
    virtual bool stop() = 0;
};

} // namespace audio
