#include "main/RecordingMonitor.h"

#include "audio/Recorder.h"
#include "widgets/StageWidgets.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <utility>

namespace {

constexpr int kPollMs = 100;
constexpr int kPollsBetweenStartTries = 20;

} // namespace

const QString RecordingMonitor::kNotRecording =
    QStringLiteral("Запись не идёт: устройство или программа записи не запустились. Повторная попытка...");

RecordingMonitor::RecordingMonitor(audio::Recorder& recorder, QWidget* headerBar, QLabel* phaseLabel)
    : QObject(headerBar), levelMeter(new QProgressBar(headerBar)), problemLabel(new QLabel(headerBar)),
      m_recorder(recorder), m_phaseLabel(phaseLabel), m_timer(new QTimer(this)) {
    // Under the countdown bar, as long as it: slim enough not to draw the eye from the sheet.
    levelMeter->setObjectName(QStringLiteral("levelMeter"));
    levelMeter->setGeometry(456, 40, 401, 5);
    levelMeter->setRange(0, 100);
    levelMeter->setTextVisible(false);
    levelMeter->setAccessibleName(QStringLiteral("Уровень звука с микрофона"));
    levelMeter->hide();

    problemLabel->setObjectName(QStringLiteral("recordingProblem"));
    problemLabel->setGeometry(8, 2, 446, 46);
    problemLabel->setWordWrap(true);
    problemLabel->setFont(StageWidgets::arial(13));
    problemLabel->setStyleSheet(QStringLiteral("color: #b00000"));
    problemLabel->setAccessibleName(QStringLiteral("Сбой записи"));
    problemLabel->hide();

    m_timer->setInterval(kPollMs);
    connect(m_timer, &QTimer::timeout, this, &RecordingMonitor::poll);
}

RecordingMonitor::~RecordingMonitor() {
    if (m_recorder.stopPending())
        QApplication::restoreOverrideCursor();
}

void RecordingMonitor::watch(const QString& fileName) {
    m_fileName = fileName;
    if (m_recorder.RecChannel != 0)
        m_silentSoFar = true; // a new recording: nothing heard yet
    m_pollsSinceStartTry = 0;
    levelMeter->setValue(0);
    levelMeter->show();
    poll();
    updateTimer();
}

void RecordingMonitor::finishing() {
    m_fileName.clear(); // silentSoFar keeps the finished recording's verdict
    levelMeter->hide();
    clearProblem();
    if (m_recorder.stopPending())
        QApplication::setOverrideCursor(Qt::BusyCursor);
    poll();
    updateTimer();
}

void RecordingMonitor::poll() {
    // A finished recording's file is completed by the audio layer's threads; collect it here.
    if (m_recorder.stopPending() && m_recorder.pollStopRecording()) {
        QApplication::restoreOverrideCursor();
        for (const auto& then : std::exchange(m_afterSave, {}))
            then();
    }
    if (m_fileName.isEmpty()) {
        updateTimer();
        return;
    }
    if (m_recorder.RecChannel == 0) {
        showProblem(kNotRecording);
        if (++m_pollsSinceStartTry >= kPollsBetweenStartTries && !m_recorder.stopPending()) {
            m_pollsSinceStartTry = 0;
            m_recorder.startRecording(m_fileName);
        }
        return;
    }
    const audio::RecordingStatus status = m_recorder.liveStatus();
    levelMeter->setValue(static_cast<int>(status.peakLevel * 100.0 + 0.5));
    if (status.valid)
        m_silentSoFar = status.silentSoFar;
    if (status.valid && status.problem == audio::ErrorCode::Ok)
        clearProblem();
    else
        showProblem(audio::recordingProblemText(status.valid ? status.problem : audio::ErrorCode::Device));
}

void RecordingMonitor::whenSaved(std::function<void()> then) {
    if (!m_recorder.stopPending()) {
        then();
        return;
    }
    m_afterSave.push_back(std::move(then));
    updateTimer();
}

void RecordingMonitor::showProblem(const QString& text) {
    // The phase name says "Идет запись": it gives way while that is not true.
    m_phaseLabel->hide();
    problemLabel->setText(text);
    problemLabel->show();
}

void RecordingMonitor::clearProblem() {
    if (problemLabel->isHidden())
        return;
    problemLabel->hide();
    m_phaseLabel->show();
}

void RecordingMonitor::updateTimer() {
    const bool needed = !m_fileName.isEmpty() || m_recorder.stopPending();
    if (needed && !m_timer->isActive())
        m_timer->start();
    else if (!needed)
        m_timer->stop();
}
