#pragma once

#include <QString>

class PictureBox;
class QFont;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;
class StationWindow;
class VerdictMark;

// The record-and-listen check of the headset test and of the spoken participant code: one
// button starts a recording and, pressed again, ends it and plays it back while a question
// panel asks for "Да" or "Нет"; the verdict shows as a mark beside the button. The frame
// owns every control (Qt parents) and keeps its own handlers, flags and geometry; this
// drives the controls the two checks share. UI thread only.
class ListenBackCheck {
public:
    struct Controls {
        QPushButton* button;
        VerdictMark* mark;
        QFrame* panel;
        PictureBox* microphone;
        PictureBox* loudspeaker;
    };

    // A hidden raised panel with the question and "Да" / "Нет"; the caller places them.
    struct QuestionPanel {
        QFrame* panel;
        QLabel* question;
        QPushButton* yes;
        QPushButton* no;
    };
    struct QuestionNames {
        QString panel, question, yes, no;
    };

    ListenBackCheck(StationWindow& main, Controls controls, QString recordCaption, QString stopPlayCaption);

    // The microphone and loudspeaker pictures, hidden. Make them before the other controls:
    // they lie beneath.
    static PictureBox* microphone(QWidget* parent);
    static PictureBox* loudspeaker(QWidget* parent);
    static QuestionPanel questionPanel(const QuestionNames& names, const QString& text, const QFont& questionFont,
                                       const QFont& buttonFont, QWidget* parent);

    // Records into path; the button now ends the recording.
    void startRecording(const QString& path);
    // Ends the recording into path and plays it back from its start; the button is disabled
    // and the panel asks for the verdict.
    void stopAndPlayBack(const QString& path);
    // "Да" (ok) or "Нет": stops the playback, hides the pictures and the panel, enables the
    // button and shows the mark.
    void giveVerdict(bool ok);
    // Before "Да" counts: a recording that stayed below the silence floor the whole time
    // means a microphone that hears nothing, whatever the examinee believes to have heard.
    // Asks the organiser then; true when the recording had sound or the organiser insists.
    bool confirmHeard();

    static const QString kSilentQuestion;

private:
    StationWindow& m_main;
    Controls m_controls;
    QString m_recordCaption;
    QString m_stopPlayCaption;
};
