#include "main/StationWindow.h"

#include "main/RecordingMonitor.h"

#include "audio/AnswerRecovery.h"

#include "audio/AudioError.h"
#include "kit/Cp1251.h"
#include "kit/KitFile.h"
#include "kit/StationTables.h"
#include "main/DialogService.h"
#include "main/StageFrame.h"
#include "main/StageRegistry.h"
#include "richtext/SheetMeasure.h"
#include "station/KitCheck.h"
#include "station/LogCategories.h"
#include "station/StationLog.h"
#include "station/StationTexts.h"
#include "widgets/StageWidgets.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

class StationWindow::GuardedDialogs : public DialogService {
    template <class Call> auto guarded(Call call) -> decltype(call()) {
        ++m_main.m_modalDepth;
        struct Leave {
            StationWindow& main;
            ~Leave() { main.leaveModal(); }
        } leave{m_main};
        return call();
    }

public:
    GuardedDialogs(StationWindow& main, DialogService& inner) : m_main(main), m_inner(inner) {}

    // Every box goes into the technician's log, errors with their text (the cause).
    bool confirm(const QString& text) override {
        const bool yes = guarded([&] { return m_inner.confirm(text); });
        qCInfo(lcMain).noquote() << "question:" << text << (yes ? "-> yes" : "-> no");
        return yes;
    }
    void message(const QString& text) override {
        qCInfo(lcMain).noquote() << "message box:" << text;
        guarded([&] { m_inner.message(text); });
    }
    void error(const QString& text) override {
        qCWarning(lcMain).noquote() << "error box:" << text;
        guarded([&] { m_inner.error(text); });
    }
    void audioError(const QString& text) override {
        qCWarning(lcAudio).noquote() << "audio error box:" << text;
        guarded([&] { m_inner.audioError(text); });
    }
    void fatal(const QString& text) override {
        qCCritical(lcMain).noquote() << "fatal box:" << text;
        guarded([&] { m_inner.fatal(text); });
    }
    int execModal(QDialog& window) override {
        return guarded([&] { return m_inner.execModal(window); });
    }
    QString chooseFolder(const QString& title, const QString& startFolder) override {
        return guarded([&] { return m_inner.chooseFolder(title, startFolder); });
    }

private:
    StationWindow& m_main;
    DialogService& m_inner;
};

StationWindow::StationWindow(Services services, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), headerBar(new QFrame(this)), phaseLabel(new QLabel(headerBar)),
      progressBar(new QProgressBar(headerBar)), timeLabel(new QLabel(headerBar)), appDir(services.appDir),
      workDir(services.workDir), m_services(std::move(services)), m_layout(new QVBoxLayout(this)),
      m_guardedDialogs(std::make_unique<GuardedDialogs>(*this, *m_services.dialogs)),
      m_recorder(*m_services.audio, [this](const QString& text) { showAudioError(text); }) {
    recordingMonitor = new RecordingMonitor(m_recorder, headerBar, phaseLabel);
    setObjectName(QStringLiteral("stationWindow"));
    setWindowTitle(texts::kAppTitle);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(StageWidgets::font(QStringLiteral("MS Sans Serif"), 11, false));

    headerBar->setObjectName(QStringLiteral("headerBar"));
    headerBar->setFixedHeight(50);
    headerBar->setFrameShape(QFrame::Panel);
    headerBar->setFrameShadow(QFrame::Raised);

    phaseLabel->setObjectName(QStringLiteral("phaseLabel"));
    phaseLabel->setGeometry(326, 14, 128, 24);
    phaseLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    phaseLabel->setFont(StageWidgets::arial(21));
    phaseLabel->setText(QStringLiteral("Подготовка:"));

    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setGeometry(456, 17, 401, 20);
    progressBar->setRange(0, 90);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    progressBar->setAccessibleName(QStringLiteral("Прошедшее время"));

    timeLabel->setObjectName(QStringLiteral("timeLabel"));
    timeLabel->move(872, 11);
    timeLabel->setFont(StageWidgets::arial(24));
    timeLabel->adjustSize();

    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(headerBar);
    m_layout->addStretch(1);
}

// The audio library is named as this platform has it.
#ifdef Q_OS_WIN
const QString StationWindow::kWrongAudioLibraryText =
    QStringLiteral("Была загружена некорректная версия библиотеки BASS.DLL");
#else
const QString StationWindow::kWrongAudioLibraryText =
    QStringLiteral("Была загружена некорректная версия звуковой библиотеки станции");
#endif

StationWindow::~StationWindow() {
    shutDown();
    if (m_recovery.joinable())
        m_recovery.join();
}

bool StationWindow::startUp() {
    answers = kit::makeAnswersTable();
    complects = kit::makeComplectsTable();
    if (!loadKit())
        return false;
    complects.first();

    canExit = false;
    prepTime1 = 25;
    taskTime1 = 2700;
    prepTime2 = 90;
    taskTime2 = 90;
    prepTime3 = 90;
    taskTime3 = 120;
    taskTime4 = 2700;
    taskTime5 = 2700;
    taskTime6 = 2700;
    participantCode = QStringLiteral("0000");

    if ((audio().version() >> 16) != 0x0204) {
        dialogs().fatal(kWrongAudioLibraryText);
        return false;
    }

    audioReady = true;
    // The output device is tried only when the recording device started.
    if (!audio().recordInit(-1) || !audio().init(-1, 44100, 0)) {
        showAudioError(QString::fromUtf8(audio::Recorder::DeviceStartFailedText));
        audioReady = false;
        close(); // refused while canExit is false: the station runs on without sound
    }

    selectVariant(0);
    startStage(StageCode::HardwareCheck);
    return true;
}

bool StationWindow::loadKit() {
    const QDir work(workDir);
    std::string error;
    bool loaded = false;
    {
        // Unpacking a large kit takes a moment; the cursor says so, and is back before any box.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        loaded = kit::loadKit(complects, work.filePath(QStringLiteral("kim.kim")).toStdString(),
                              work.filePath(QStringLiteral("kim.tmp")).toStdString(), &error);
        QGuiApplication::restoreOverrideCursor();
    }
    if (!loaded) {
        qCWarning(lcKit).noquote() << "kit" << work.filePath(QStringLiteral("kim.kim"))
                                   << "not loaded:" << QString::fromStdString(error);
        // A window without a stage that cannot be closed helps nobody: say why and end.
        dialogs().error(QStringLiteral("Не удалось загрузить файл экзаменационного комплекта kim.kim.\n") +
                        QString::fromStdString(error));
        return false;
    }
    qCInfo(lcKit).noquote() << "kit" << work.filePath(QStringLiteral("kim.kim")) << "loaded:" << complects.recordCount()
                            << "variants";
    // What zunt-tool kit-check calls errors would fail an examinee part-way (a missing field
    // or variant, a task audio whose length cannot be read and would make a nonsense
    // countdown): refuse the kit now, before anyone starts. The audio is decoded to its end,
    // as the playback decoder reads it, whatever audio layer the station runs on.
    const QList<KitCheck::Finding> findings =
        KitCheck::check(complects, &richtext::measureSheet, &KitCheck::decodeAudio);
    // Warnings are for the technician's log, never the examinee.
    for (const KitCheck::Finding& finding : findings) {
        if (finding.severity != KitCheck::Severity::Info)
            qCWarning(lcKit).noquote() << KitCheck::line(finding);
    }
    const QString refusal = KitCheck::refusalText(findings);
    if (refusal.isEmpty())
        return true;
    dialogs().error(refusal);
    return false;
}

void StationWindow::shutDown() {
    delete currentStage.data();
    // The long-lived windows may be bound to the kit table, a member, and members go before
    // the children do: the windows go first, while the table still exists.
    const QList<QDialog*> windows = findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    for (QDialog* window : windows) {
        if (window == countdownWindow)
            countdownWindow = nullptr;
        if (window == kitTextViewer)
            kitTextViewer = nullptr;
        delete window;
    }
    if (m_audioReleased)
        return;
    m_audioReleased = true;
    audio().recordFree();
    audio().free();
    audio().stop();
}

void StationWindow::selectVariant(int varNo) {
    complects.locate("VarNo", varNo);
}

void StationWindow::beginExaminee(const QString& studId, const QString& variant, const ExamProgress& progress) {
    participantCode = studId;
    variantNo = variant;
    selectVariant(variantNo.toInt());
    // Nothing of the previous examinee may reach this one's progress or answers file.
    for (int i = 0; i < 6; ++i)
        kit::writeAnswer(answers, kit::kAnswerFields[i], kit::utf8ToCp1251(progress.answers.value(i).toStdString()));
    m_progress = progress;
}

void StationWindow::noteStageEnded(StageCode next) {
    if (!m_currentCode || *m_currentCode == next || !ExamProgress::stepOf(*m_currentCode))
        return;
    m_progress.markDone(*m_currentCode);
    for (int i = 0; i < 6; ++i)
        m_progress.answers[i] = QString::fromStdString(kit::cp1251ToUtf8(answers.asText(kit::kAnswerFields[i])));
    QString error;
    // The answers row stays in memory: the review writes it whatever happens here. Only a
    // resume after a power cut would miss this step, so the technician's log is enough.
    if (!m_progress.save(folders(), &error))
        qCWarning(lcStation).noquote() << "progress of examinee" << participantCode << "not saved:" << error;
}

void StationWindow::fitHeaderLabels() {
    const QRect design(326, 14, 128, 24);
    const int width = std::max(design.width(), phaseLabel->sizeHint().width());
    phaseLabel->setGeometry(design.right() + 1 - width, design.top(), width, design.height());
    timeLabel->adjustSize();
}

void StationWindow::startRecording(const QString& fileName) {
    qCInfo(lcAudio).noquote() << "recording started:" << fileName;
    m_recordingClock.start();
    m_recorder.startRecording(fileName);
    recordingMonitor->watch(fileName);
}

void StationWindow::stopRecording(const QString& fileName) {
    const qint64 ms = m_recordingClock.isValid() ? m_recordingClock.elapsed() : 0;
    m_recordingClock.invalidate();
    qCInfo(lcAudio).noquote() << "recording stopped:" << fileName
                              << QStringLiteral("after %1 s").arg(ms / 1000.0, 0, 'f', 1);
    recordingMonitor->poll(); // the last look at the level: was anything heard at all?
    // The file is completed on the audio layer's threads; the screen goes on meanwhile.
    m_recorder.beginStopRecording(fileName);
    recordingMonitor->finishing();
    recordingMonitor->whenSaved([this] {
        const audio::RecordingOutcome& outcome = m_recorder.lastOutcome;
        qCInfo(lcAudio).noquote() << "recording saved:" << outcome.fileName
                                  << QStringLiteral("%1 s of sound,").arg(outcome.seconds, 0, 'f', 2)
                                  << QFileInfo(outcome.fileName).size() << "bytes, result"
                                  << static_cast<int>(outcome.code);
    });
}

void StationWindow::showAudioError(const QString& text) {
    dialogs().audioError(audio::formatAudioError(text, audio().errorGetCode()));
}

DialogService& StationWindow::dialogs() const {
    return *m_guardedDialogs;
}

void StationWindow::leaveModal() {
    if (--m_modalDepth > 0 || !m_pendingStage)
        return;
    const StageCode code = *m_pendingStage;
    m_pendingStage.reset();
    QTimer::singleShot(0, this, [this, code] { startStage(code); });
}

namespace {

// Stages that record or play the examinee's recordings: they wait until the last
// recording's file is complete. Every other stage may start while it is completed.
bool needsSavedRecordings(StageCode code) {
    switch (code) {
    case StageCode::HardwareCheck:
    case StageCode::CodeRecording:
    case StageCode::SpokenAnswer:
    case StageCode::PhotoAnswer1:
    case StageCode::PhotoAnswer2:
    case StageCode::PhotoAnswer3:
    case StageCode::PhotoAnswerNoPhoto:
    case StageCode::Review:
        return true;
    default:
        return false;
    }
}

} // namespace

void StationWindow::startStage(StageCode code) {
    noteStageEnded(code); // at once: a deferred switch must not lose the note to a power cut
    if (m_modalDepth > 0) {
        // A box opened from the current stage is still on the stack: switch once it has closed.
        m_pendingStage = code;
        return;
    }
    if (needsSavedRecordings(code) && m_recorder.stopPending()) {
        // The old stage stays (its clock has stopped) under the busy cursor until the file is whole.
        recordingMonitor->whenSaved([this, code] { startStage(code); });
        return;
    }
    if (StageFrame* old = currentStage.data()) {
        old->hide();
        currentStage = nullptr;
        delete old; // before the next stage starts: a stage never overlaps the next one
    }
    const StageRegistry::Entry* entry = m_services.stages ? m_services.stages->find(code) : nullptr;
    m_currentCode = code;
    if (!entry) {
        qCWarning(lcStages) << "stage" << static_cast<int>(code) << "is unknown: no stage shown";
        placeFrame(nullptr);
        return;
    }
    StageFrame* frame = entry->create(*this);
    // The station folder exists by name once the hardware check has set the numbers: from
    // then on the technician finds the log beside the answers.
    if (!stationTag.isEmpty() && StationLog::moveCurrentTo(folders().stationFolder()))
        qCInfo(lcStation).noquote() << "station" << stationTag << "- the log continues in" << folders().stationFolder();
    if (!stationTag.isEmpty())
        recoverInterruptedAnswers();
    qCInfo(lcStages).noquote() << "stage" << static_cast<int>(code) << frame->metaObject()->className();
    currentStage = frame;
    placeFrame(frame);
    frame->show();
    entry->start(*frame);
}

void StationWindow::recoverInterruptedAnswers() {
    if (m_recoveryStarted)
        return;
    m_recoveryStarted = true;
    const QStringList interrupted = audio::interruptedAnswers(folders().stationFolder());
    if (interrupted.isEmpty())
        return;
    qCWarning(lcAudio).noquote() << "answers interrupted by a power cut or a crash:"
                                 << interrupted.join(QStringLiteral(", "));
    m_recoveryRunning = true;
    m_recovery = std::thread([this, interrupted, workDir = workDir] {
        for (const QString& answer : interrupted) {
            const audio::ErrorCode result = audio::recoverAnswer(answer, workDir);
            if (result == audio::ErrorCode::Ok)
                qCInfo(lcAudio).noquote() << "answer recovered:" << answer;
            else
                qCWarning(lcAudio).noquote() << "answer not recovered (error" << static_cast<int>(result)
                                             << "), its raw sound is kept beside it:" << answer;
        }
        m_recoveryRunning = false;
    });
}

void StationWindow::placeFrame(QWidget* frame) {
    // Below the header bar when it shows, the whole client area when it does not.
    while (m_layout->count() > 1)
        delete m_layout->takeAt(1); // the layout item only, never the widget
    if (frame)
        m_layout->addWidget(frame, 1);
    else
        m_layout->addStretch(1);
}

void StationWindow::stopExam() {
    if (currentStage)
        currentStage->hide();
    canExit = true;
    close();
}

void StationWindow::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

void StationWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    StageWidgets::centreOnScreen(this);
}
