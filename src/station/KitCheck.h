#pragma once

#include "richtext/SheetMeasure.h"

#include "audio/AudioLayer.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

namespace kit {
class MemTable;
}

// The checks of a loaded kit before exam day, for `zunt-tool kit-check` and for the
// station's start-up: every field the stages read is there with a usable type, variants
// 0, 1 and 2 exist, the sheets convert and fit their views, the task-1 audio decodes, the
// option memos have the lines the tasks expect, and the exam date and subject make a folder
// name. Qt Core only: converting and measuring a sheet needs Qt Gui, so the caller passes
// that in; decoding audio is passed in too, so the station can decode the way it plays.
// Runs on the caller's thread; the table's current row is left where it was.
class KitCheck {
public:
    enum class Severity { Info, Warning, Error };

    struct Finding {
        Severity severity = Severity::Error;
        QString field;    // as the station names it; empty for the kit as a whole
        int variant = -1; // VarNo of the row, -1 for the kit as a whole
        QString text;     // English, for the tool
        QString russian;  // for the organiser; set on errors
    };

    // What the Gui side learned of one RTF sheet converted at a given width.
    // Measured by the caller, which has a GUI application: the rules themselves need none.
    using SheetMeasure = richtext::SheetMeasure;
    using MeasureSheet = std::function<SheetMeasure(const QByteArray& rtf, int width)>;

    // What decoding an audio blob gave.
    struct AudioProbe {
        bool decoded = false;
        double seconds = 0;
        QString problem; // English, when not decoded
    };
    using ProbeAudio = std::function<AudioProbe(const QByteArray& bytes)>;

    // A sheet the station shows and the view it is shown in.
    struct Sheet {
        const char* field;
        const char* where; // the stage, in English
        QSize view;        // the view's size at the station's window size
        bool shown;        // false: kept in the kit but never shown (t1Pre)
    };
    static const std::vector<Sheet>& sheets();

    static QList<Finding> check(kit::MemTable& complects, const MeasureSheet& measure, const ProbeAudio& probe);

    // Decodes the bytes to their end (as the station's decoder does), through a temporary file.
    static AudioProbe decodeAudio(const QByteArray& bytes);
    // The same, and the length as the stages take it: the layer's file stream and length calls.
    // A length the layer cannot give, or one far from the decoded sound's, counts as not decoded.
    static AudioProbe decodeAudioWithLayer(audio::AudioLayer& layer, const QByteArray& bytes);

    static int count(const QList<Finding>& findings, Severity severity);
    // "error: FIELD (variant N): TEXT"
    static QString line(const Finding& finding);
    // "kit-check: N errors, M warnings"
    static QString summary(const QList<Finding>& findings);
    // The organiser's message listing the errors, in Russian; empty when there are none.
    static QString refusalText(const QList<Finding>& findings);

    // The variants the station uses.
    static constexpr int kVariantCount = 3;
};
