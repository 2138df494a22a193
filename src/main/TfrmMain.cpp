#include "main/TfrmMain.h"

#include "audio/AudioError.h"
#include "kit/KitFile.h"
#include "kit/StationTables.h"
#include "main/DialogService.h"
#include "main/StageFrame.h"
#include "main/StageRegistry.h"
#include "main/StageWidgets.h"
#include "main/StationTexts.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

class TfrmMain::GuardedDialogs : public DialogService {
    template <class Call> auto guarded(Call call) -> decltype(call()) {
        ++m_main.m_modalDepth;
        struct Leave {
            TfrmMain& main;
            ~Leave() { main.leaveModal(); }
        } leave{m_main};
        return call();
    }

public:
    GuardedDialogs(TfrmMain& main, DialogService& inner) : m_main(main), m_inner(inner) {}

    bool confirm(const QString& text) override {
        return guarded([&] { return m_inner.confirm(text); });
    }
    void message(const QString& text) override {
        guarded([&] { m_inner.message(text); });
    }
    void error(const QString& text) override {
        guarded([&] { m_inner.error(text); });
    }
    void audioError(const QString& text) override {
        guarded([&] { m_inner.audioError(text); });
    }
    void fatal(const QString& text) override {
        guarded([&] { m_inner.fatal(text); });
    }
    int execModal(QDialog& window) override {
        return guarded([&] { return m_inner.execModal(window); });
    }

private:
    TfrmMain& m_main;
    DialogService& m_inner;
};

TfrmMain::TfrmMain(Services services, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), Panel1(new QFrame(this)), lblProcessName(new QLabel(Panel1)),
      ProcessBar(new QProgressBar(Panel1)), lblProcessTime(new QLabel(Panel1)), AppDir(services.appDir),
      WorkDir(services.workDir), m_services(std::move(services)), m_layout(new QVBoxLayout(this)),
      m_guardedDialogs(std::make_unique<GuardedDialogs>(*this, *m_services.dialogs)),
      m_recorder(*m_services.audio, [this](const QString& text) { ShowAudioError(text); }) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(texts::kAppTitle);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(StageWidgets::font(QStringLiteral("MS Sans Serif"), 11, false));

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(50);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);

    lblProcessName->setObjectName(QStringLiteral("lblProcessName"));
    lblProcessName->setGeometry(326, 14, 128, 24);
    lblProcessName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblProcessName->setFont(StageWidgets::arial(21));
    lblProcessName->setText(QStringLiteral("Подготовка:"));

    ProcessBar->setObjectName(QStringLiteral("ProcessBar"));
    ProcessBar->setGeometry(456, 17, 401, 20);
    ProcessBar->setRange(0, 90);
    ProcessBar->setValue(0);
    ProcessBar->setTextVisible(false);
    ProcessBar->setAccessibleName(QStringLiteral("Прошедшее время"));

    lblProcessTime->setObjectName(QStringLiteral("lblProcessTime"));
    lblProcessTime->move(872, 11);
    lblProcessTime->setFont(StageWidgets::arial(24));
    lblProcessTime->adjustSize();

    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(Panel1);
    m_layout->addStretch(1);
}

TfrmMain::~TfrmMain() {
    FormDestroy();
}

bool TfrmMain::FormCreate() {
    answers = kit::makeAnswersTable();
    complects = kit::makeComplectsTable();
    if (!loadKit())
        return false;
    complects.first();

    CanExit = false;
    PrepTime1 = 25;
    TaskTime1 = 2700;
    PrepTime2 = 90;
    TaskTime2 = 90;
    PrepTime3 = 90;
    TaskTime3 = 120;
    TaskTime4 = 2700;
    TaskTime5 = 2700;
    TaskTime6 = 2700;
    StudID = QStringLiteral("0000");

    if ((audio().version() >> 16) != 0x0204) {
        dialogs().fatal(QStringLiteral("Была загружена некорректная версия библиотеки BASS.DLL"));
        return false;
    }

    AudioReady = true;
    // The output device is tried only when the recording device started.
    if (!audio().recordInit(-1) || !audio().init(-1, 44100, 0)) {
        ShowAudioError(QString::fromUtf8(audio::Recorder::DeviceStartFailedText));
        AudioReady = false;
        close(); // refused while CanExit is false: the station runs on without sound
    }

    selectVariant(0);
    StartFrame(1);
    return true;
}

bool TfrmMain::loadKit() {
    const QDir work(WorkDir);
    std::string error;
    if (kit::loadKit(complects, work.filePath(QStringLiteral("kim.kim")).toStdString(),
                     work.filePath(QStringLiteral("kim.tmp")).toStdString(), &error))
        return true;
    // A window without a stage that cannot be closed helps nobody: say why and end.
    dialogs().error(QStringLiteral("Не удалось загрузить файл экзаменационного комплекта kim.kim.\n") +
                    QString::fromStdString(error));
    return false;
}

void TfrmMain::FormDestroy() {
    delete CurrentFrame.data();
    // The long-lived windows may be bound to the kit table, a member, and members go before
    // the children do: the windows go first, while the table still exists.
    const QList<QDialog*> windows = findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    for (QDialog* window : windows) {
        if (window == FiveSec)
            FiveSec = nullptr;
        if (window == frmTestRTF)
            frmTestRTF = nullptr;
        delete window;
    }
    if (m_audioReleased)
        return;
    m_audioReleased = true;
    audio().recordFree();
    audio().free();
    audio().stop();
}

void TfrmMain::selectVariant(int varNo) {
    complects.locate("VarNo", varNo);
}

void TfrmMain::fitHeaderLabels() {
    const QRect design(326, 14, 128, 24);
    const int width = std::max(design.width(), lblProcessName->sizeHint().width());
    lblProcessName->setGeometry(design.right() + 1 - width, design.top(), width, design.height());
    lblProcessTime->adjustSize();
}

void TfrmMain::StartRecording(const QString& fileName) {
    m_recorder.StartRecording(fileName);
}

void TfrmMain::StopRecording(const QString& fileName) {
    m_recorder.StopRecording(fileName);
}

void TfrmMain::ShowAudioError(const QString& text) {
    dialogs().audioError(audio::formatAudioError(text, audio().errorGetCode()));
}

DialogService& TfrmMain::dialogs() const {
    return *m_guardedDialogs;
}

void TfrmMain::leaveModal() {
    if (--m_modalDepth > 0 || !m_pendingFrame)
        return;
    const int code = *m_pendingFrame;
    m_pendingFrame.reset();
    QTimer::singleShot(0, this, [this, code] { StartFrame(code); });
}

void TfrmMain::StartFrame(int code) {
    if (m_modalDepth > 0) {
        // A box opened from the current stage is still on the stack: switch once it has closed.
        m_pendingFrame = code;
        return;
    }
    if (StageFrame* old = CurrentFrame.data()) {
        old->hide();
        CurrentFrame = nullptr;
        delete old; // before the next stage's Start: a stage never overlaps the next one
    }
    const StageRegistry::Entry* entry = m_services.stages ? m_services.stages->find(code) : nullptr;
    if (!entry) {
        placeFrame(nullptr);
        return;
    }
    StageFrame* frame = entry->create(*this);
    CurrentFrame = frame;
    placeFrame(frame);
    frame->show();
    entry->start(*frame);
}

void TfrmMain::placeFrame(QWidget* frame) {
    // Below the header bar when it shows, the whole client area when it does not.
    while (m_layout->count() > 1)
        delete m_layout->takeAt(1); // the layout item only, never the widget
    if (frame)
        m_layout->addWidget(frame, 1);
    else
        m_layout->addStretch(1);
}

void TfrmMain::StopExam() {
    if (CurrentFrame)
        CurrentFrame->hide();
    CanExit = true;
    close();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    StageWidgets::centreOnScreen(this);
}
