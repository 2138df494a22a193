#include "stages/review/ReviewStage.h"

#include "kit/Cp1251.h"
#include "kit/TableStream.h"
#include "station/ExamProgress.h"
#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "widgets/VerdictMark.h"
#include "widgets/WrapPushButton.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <system_error>

namespace {

QLabel* answerLabel(QWidget* parent, const char* name, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(StageWidgets::font(QStringLiteral("MS Sans Serif"), 13, false));
    label->move(352, top);
    return label;
}

QPushButton* playButton(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(352, top, 329, 25);
    return button;
}

QLabel* recordingLabel(QWidget* parent, const char* name, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(StageWidgets::font(QStringLiteral("MS Sans Serif"), 13, false));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(689, top, 320, 25); // 8 px right of its play button, to the title's right edge
    return label;
}

// The three recordings in the order of the checks: file suffix, what it is (for screen
// readers) and how the organiser's question names it.
struct RecordingKind {
    const char* suffix;
    const char* accessibleName;
    const char* problemName;
};
constexpr RecordingKind kRecordings[3] = {
    {"_0.ogg", "Запись кода участника", "код участника"},
    {"_2.ogg", "Запись ответа на задание № 2", "ответ на задание № 2"},
    {"_3.ogg", "Запись ответа на задание № 3", "ответ на задание № 3"},
};

// Whole seconds; a sound shorter than half a second still shows as one.
QString secondsText(double seconds) {
    return QString::number(std::max(1L, std::lround(seconds))) + QStringLiteral(" сек.");
}

QString recordingText(const RecordingDecoder::Result& r) {
    switch (r.state) {
    case RecordingDecoder::State::Missing:
    case RecordingDecoder::State::Empty:
        return QStringLiteral("нет записи");
    case RecordingDecoder::State::Unreadable:
        return QStringLiteral("запись повреждена");
    case RecordingDecoder::State::CutShort:
        return secondsText(r.seconds) + QStringLiteral(", запись оборвана");
    case RecordingDecoder::State::Decoded:
        break;
    }
    return secondsText(r.seconds) + (r.silent ? QStringLiteral(", тишина") : QString());
}

constexpr int kDesignWidth = 1024;
constexpr int kTitleLeft = 8;
constexpr int kTitleWidth = 1009;

} // namespace

ReviewStage::ReviewStage(StationWindow& main)
    : StageFrame(main),
      finishButton(new WrapPushButton(QStringLiteral("Завершить выполнение работы участником!"), this)),
      titleLabel(new QLabel(QStringLiteral("Просмотреть и/или воспроизвести ответы участника:"), this)),
      playTask2Button(playButton(this, "playTask2Button", QStringLiteral("Прослушать ответ на задание № 2"), 112)),
      playTask3Button(playButton(this, "playTask3Button", QStringLiteral("Прослушать ответ на задание № 3"), 144)),
      playCodeButton(playButton(this, "playCodeButton", QStringLiteral("Прослушать код участника"), 48)),
      answer1Label(answerLabel(this, "answer1Label", 80)), answer4Label(answerLabel(this, "answer4Label", 184)),
      answer5Label(answerLabel(this, "answer5Label", 216)), answer6Label(answerLabel(this, "answer6Label", 248)),
      codeRecordingLabel(recordingLabel(this, "codeRecordingLabel", 48)),
      task2RecordingLabel(recordingLabel(this, "task2RecordingLabel", 112)),
      task3RecordingLabel(recordingLabel(this, "task3RecordingLabel", 144)),
      continueWithoutAnswersButton(new WrapPushButton(QStringLiteral("Продолжить без файла ответов"), this)) {
    setObjectName(QStringLiteral("reviewStage"));
    tickTimer->setInterval(100);

    finishButton->setObjectName(QStringLiteral("finishButton"));
    finishButton->setGeometry(348, 310, 325, 41);
    finishButton->setFont(StageWidgets::arial(13));
    continueWithoutAnswersButton->setObjectName(QStringLiteral("continueWithoutAnswersButton"));
    continueWithoutAnswersButton->setGeometry(348, 367, 325, 41);
    continueWithoutAnswersButton->setFont(StageWidgets::arial(13));
    continueWithoutAnswersButton->hide();

    const std::array<QLabel*, 3> recordingLabels{codeRecordingLabel, task2RecordingLabel, task3RecordingLabel};
    for (std::size_t i = 0; i < recordingLabels.size(); ++i) {
        recordingLabels[i]->setText(QStringLiteral("проверяется…"));
        recordingLabels[i]->setAccessibleName(QString::fromUtf8(kRecordings[i].accessibleName) +
                                              QStringLiteral(": проверяется"));
    }

    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setFont(StageWidgets::arial(19));
    titleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    titleLabel->setGeometry(kTitleLeft, 16, kTitleWidth, 22);

    // Top to bottom as the examinee's work went: code, task 1, tasks 2 and 3, tasks 4 to 6, finish.
    setTabOrder(playCodeButton, playTask2Button);
    setTabOrder(playTask2Button, playTask3Button);
    setTabOrder(playTask3Button, finishButton);
    setTabOrder(finishButton, continueWithoutAnswersButton);

    connect(playCodeButton, &QPushButton::clicked, this, &ReviewStage::onPlayCodeClicked);
    connect(playTask2Button, &QPushButton::clicked, this, &ReviewStage::onPlayTask2Clicked);
    connect(playTask3Button, &QPushButton::clicked, this, &ReviewStage::onPlayTask3Clicked);
    connect(finishButton, &QPushButton::clicked, this, &ReviewStage::onFinishClicked);
    connect(continueWithoutAnswersButton, &QPushButton::clicked, this, &ReviewStage::onContinueWithoutAnswersClicked);
}

ReviewStage::~ReviewStage() {
    if (m_checker.joinable())
        m_checker.join();
    releasePlaybackStream();
}

void ReviewStage::start() {
    StationWindow& main = mainWindow();
    main.headerBar->hide();
    const auto answer = [&main](const char* field) {
        return QString::fromStdString(kit::cp1251ToUtf8(main.answers.asText(field)));
    };
    answer1Label->setText(QStringLiteral("Ответ на задание № 1: ") + answer("a1"));
    answer4Label->setText(QStringLiteral("Ответ на задание № 4: ") + answer("a4"));
    answer5Label->setText(QStringLiteral("Ответ на задание № 5: ") + answer("a5"));
    answer6Label->setText(QStringLiteral("Ответ на задание № 6: ") + answer("a6"));
    for (QLabel* label : {answer1Label, answer4Label, answer5Label, answer6Label})
        label->adjustSize();
    titleLabel->setText(QStringLiteral("Посмотреть и/или воспроизвести ответы участника с кодом ") +
                        main.participantCode);

    // No recording is still being completed here: the station window starts this stage only
    // once the last one is whole, so none of them looks cut short.
    std::array<QString, 3> paths;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        paths[i] = main.folders().answerFile(QString::fromLatin1(kRecordings[i].suffix));
        m_keptRecordings[i] = ExamProgress::keptRecordings(main.folders(), QString::fromLatin1(kRecordings[i].suffix));
    }
    m_checksStarted = true;
    // Decoding takes about 0.3-0.5 s for the 3.5 minutes of the three answers: not on the UI thread.
    const auto check = [this, paths] {
        for (std::size_t i = 0; i < paths.size(); ++i) {
            try {
                m_checkResults[i] = RecordingDecoder::decode(paths[i]);
            } catch (const std::exception&) {
                m_checkResults[i].state = RecordingDecoder::State::Unreadable;
            }
        }
    };
    try {
        m_checker = std::thread([this, check] {
            check();
            QMetaObject::invokeMethod(this, &ReviewStage::awaitRecordingChecks, Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        check(); // no thread to be had: the wait is short
        showRecordingChecks();
    }
}

void ReviewStage::awaitRecordingChecks() {
    if (!m_checksStarted || m_checksShown)
        return;
    if (m_checker.joinable())
        m_checker.join();
    showRecordingChecks();
}

void ReviewStage::showRecordingChecks() {
    m_checksShown = true;
    const std::array<QLabel*, 3> labels{codeRecordingLabel, task2RecordingLabel, task3RecordingLabel};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const RecordingDecoder::Result& r = m_checkResults[i];
        QString text = recordingText(r);
        if (!m_keptRecordings[i].isEmpty())
            text += QStringLiteral(" (и прерванная запись)");
        labels[i]->setText(text);
        labels[i]->setAccessibleName(QString::fromUtf8(kRecordings[i].accessibleName) + QStringLiteral(": ") + text);
        if (r.state != RecordingDecoder::State::Decoded || r.silent) {
            QPalette palette = labels[i]->palette();
            palette.setColor(QPalette::WindowText, VerdictMark::kRed);
            labels[i]->setPalette(palette);
        }
    }
}

QStringList ReviewStage::recordingProblems() const {
    QStringList problems;
    for (std::size_t i = 0; i < m_checkResults.size(); ++i) {
        const RecordingDecoder::Result& r = m_checkResults[i];
        if (r.state == RecordingDecoder::State::Decoded && !r.silent)
            continue;
        QString problem = QString::fromUtf8(kRecordings[i].problemName) + QStringLiteral(": ");
        if (r.state == RecordingDecoder::State::CutShort)
            problem += QStringLiteral("запись оборвана, слышно ") + secondsText(r.seconds);
        else if (r.state == RecordingDecoder::State::Decoded)
            problem += QStringLiteral("в записи тишина (") + secondsText(r.seconds) +
                       QStringLiteral("), микрофон ничего не услышал");
        else
            problem += recordingText(r);
        if (r.interrupted)
            problem += QStringLiteral(" (звук записи сохранён рядом с ней, его можно восстановить)");
        problems << problem;
    }
    return problems;
}

void ReviewStage::onPlayCodeClicked() {
    play(QStringLiteral("_0.ogg"));
}

void ReviewStage::onPlayTask2Clicked() {
    play(QStringLiteral("_2.ogg"));
}

void ReviewStage::onPlayTask3Clicked() {
    play(QStringLiteral("_3.ogg"));
}

void ReviewStage::play(const QString& suffix) {
    // A missing or unreadable recording gives no stream and no sound; nothing is shown.
    releasePlaybackStream();
    audio::AudioLayer& layer = mainWindow().audio();
    playbackStream = layer.streamCreateFile(mainWindow().folders().answerFile(suffix));
    if (playbackStream != 0)
        layer.channelPlay(playbackStream, true);
}

void ReviewStage::releasePlaybackStream() {
    if (playbackStream == 0)
        return;
    audio::AudioLayer& layer = mainWindow().audio();
    layer.channelStop(playbackStream);
    layer.streamFree(playbackStream);
    playbackStream = 0;
}

void ReviewStage::onFinishClicked() {
    releasePlaybackStream();
    awaitRecordingChecks();
    if (!m_recordingsConfirmed) {
        const QStringList problems = recordingProblems();
        if (!problems.isEmpty() &&
            !mainWindow().dialogs().confirm(QStringLiteral("Не все записи участника можно прослушать полностью:\n— ") +
                                            problems.join(QStringLiteral("\n— ")) +
                                            QStringLiteral("\nВсё равно завершить выполнение работы участником?")))
            return;
        m_recordingsConfirmed = true; // a retry after a failed write does not ask again
    }
    QString error;
    if (!writeAnswersFile(&error)) {
        m_writeError = error;
        mainWindow().dialogs().error(
            error + QStringLiteral("\n\nОтветы участника не сохранены. Устраните причину и нажмите «") +
            finishButton->text() + QStringLiteral("» ещё раз или выберите «") + continueWithoutAnswersButton->text() +
            QStringLiteral("»."));
        continueWithoutAnswersButton->show();
        return;
    }
    continueWithoutAnswersButton->hide();
    tickTimer->start();
}

bool ReviewStage::writeAnswersFile(QString* error) {
    StationWindow& main = mainWindow();
    const StationFolders folders = main.folders();
    // The folder may have gone since the recordings (cleaned up, a stick pulled and put back).
    if (!folders.ensureExist(error))
        return false;
    // Written beside the target and renamed over it: a failed write keeps the previous file.
    std::string reason;
    if (!kit::saveTable(main.answers, QFile::encodeName(folders.answerFile(QStringLiteral("_0.ans"))).toStdString(),
                        &reason)) {
        *error = QString::fromStdString(reason);
        return false;
    }
    // The answers file now says all the progress file said: the folder holds what it always did.
    QFile::remove(ExamProgress::path(folders));
    return true;
}

void ReviewStage::onContinueWithoutAnswersClicked() {
    releasePlaybackStream();
    QStringList answers;
    for (const QLabel* label : {answer1Label, answer4Label, answer5Label, answer6Label})
        answers << label->text();
    if (!mainWindow().dialogs().confirm(
            QStringLiteral("Файл ответов не записан:\n") + m_writeError +
            QStringLiteral("\n\nОтветы участника останутся только на экране, перепишите их:\n") +
            answers.join(QLatin1Char('\n')) + QStringLiteral("\n\nПерейти к завершению без файла ответов?")))
        return;
    tickTimer->start();
}

void ReviewStage::onTick() {
    switchTo(StageCode::Finish);
}

void ReviewStage::resizeEvent(QResizeEvent* event) {
    StageFrame::resizeEvent(event);
    // titleLabel keeps its left and right margins of the design width.
    titleLabel->setGeometry(kTitleLeft, 16, width() - kTitleLeft - (kDesignWidth - kTitleLeft - kTitleWidth), 22);
}
