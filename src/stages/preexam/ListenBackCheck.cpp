#include "stages/preexam/ListenBackCheck.h"

#include "widgets/StageWidgets.h"
#include "main/DialogService.h"
#include "main/RecordingMonitor.h"
#include "main/StationWindow.h"
#include "widgets/PictureBox.h"
#include "widgets/VerdictMark.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

ListenBackCheck::ListenBackCheck(StationWindow& main, Controls controls, QString recordCaption, QString stopPlayCaption)
    : m_main(main), m_controls(controls), m_recordCaption(std::move(recordCaption)),
      m_stopPlayCaption(std::move(stopPlayCaption)) {}

PictureBox* ListenBackCheck::microphone(QWidget* parent) {
    auto* picture = new PictureBox(PictureBox::kMicrophone, QStringLiteral("Идёт запись"), parent);
    picture->setObjectName(QStringLiteral("microphonePicture"));
    picture->hide();
    return picture;
}

PictureBox* ListenBackCheck::loudspeaker(QWidget* parent) {
    auto* picture = new PictureBox(PictureBox::kLoudspeaker, QStringLiteral("Воспроизведение записи"), parent);
    picture->setObjectName(QStringLiteral("loudspeakerPicture"));
    picture->hide();
    return picture;
}

ListenBackCheck::QuestionPanel ListenBackCheck::questionPanel(const QuestionNames& names, const QString& text,
                                                              const QFont& questionFont, const QFont& buttonFont,
                                                              QWidget* parent) {
    QuestionPanel result{};
    result.panel = new QFrame(parent);
    result.panel->setObjectName(names.panel);
    result.panel->setFrameShape(QFrame::Panel);
    result.panel->setFrameShadow(QFrame::Raised);
    result.panel->setAutoFillBackground(true);
    result.question = StageWidgets::label(names.question, text, result.panel);
    result.question->setFont(questionFont);
    result.yes = StageWidgets::button(names.yes, QStringLiteral("Да"), buttonFont, result.panel);
    result.no = StageWidgets::button(names.no, QStringLiteral("Нет"), buttonFont, result.panel);
    result.panel->hide();
    return result;
}

void ListenBackCheck::startRecording(const QString& path) {
    m_main.startRecording(path);
    m_controls.button->setText(m_stopPlayCaption);
}

void ListenBackCheck::stopAndPlayBack(const QString& path) {
    m_main.stopRecording(path);
    m_controls.microphone->show();
    m_controls.button->setText(m_recordCaption);
    m_controls.button->setEnabled(false);
    m_controls.panel->show();
    // The file plays once it is complete; the stage may be gone by then.
    const QPointer<QPushButton> alive(m_controls.button);
    m_main.recordingMonitor->whenSaved([this, alive] {
        if (!alive)
            return;
        m_main.audio().channelPlay(m_main.recorder().PlayStream, true);
        m_controls.loudspeaker->show();
        m_controls.microphone->hide();
    });
}

const QString ListenBackCheck::kSilentQuestion =
    QStringLiteral("В записи нет звука: возможно, микрофон не подключён или выключен.\n"
                   "Всё равно подтвердить, что запись слышна?");

bool ListenBackCheck::confirmHeard() {
    return !m_main.recordingMonitor->silentSoFar() || m_main.dialogs().confirm(kSilentQuestion);
}

void ListenBackCheck::giveVerdict(bool ok) {
    m_controls.microphone->hide();
    m_controls.loudspeaker->hide();
    m_main.audio().channelStop(m_main.recorder().PlayStream);
    m_controls.panel->hide();
    m_controls.button->setEnabled(true);
    m_controls.mark->showVerdict(ok);
}
