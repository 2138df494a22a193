#pragma once

#include "support/StationHarness.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>

class QDialog;

// A station for the tests of the preparation stages and tasks 1 to 3: every stage of the
// exam registered, one kit row with plain sheets, participant 0042 at a known station,
// the window shown at 1016 x 713 and a countdown window that returns at once.
struct PrepStation {
    PrepStation();

    StationHarness h;
    StationWindow& w;
    QDialog* fiveSec;

    // Sets a field of the current kit row (Windows-1251 text, or bytes of a blob).
    void setKitField(const char* field, const QByteArray& bytes);
    // Fills the row with the sheets and task-1 options of the demo kit's variant 0; false
    // when a file is missing.
    bool loadDemoKit();
    // A small RTF document of the given lines, for the sheets.
    static QByteArray sheet(const QStringList& lines);

    // A path in the working folder.
    QString workFile(const QString& name) const;
    // Says the fake audio layer holds a stream of that length for a file of the working folder.
    void audioOf(const QString& name, double seconds);

    // startStage(code) and the frame it made, as its class (null for another class).
    template <class Frame> Frame* start(StageCode code) {
        w.startStage(code);
        return qobject_cast<Frame*>(w.currentStage.data());
    }
    // The class name of the current frame, empty with none.
    QString currentStage() const;

    // Replaces the stage of code with an idle frame that notes in reached that it started,
    // so a test sees where a stage went without running the next one.
    void probeAt(StageCode code);
    QList<StageCode> reached;
};

// Readable QStrings in the failure messages of GoogleTest.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
