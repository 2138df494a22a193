#include "stages/tasks/ListeningPreparationStage.h"

#include "main/DialogService.h"
#include "main/StationWindow.h"

#include <QDir>

audio::Handle ListeningPreparationStage::prepAudioStream = 0;
const QString ListeningPreparationStage::kTempFileName = QStringLiteral("~$t1a.tmp");

ListeningPreparationStage::ListeningPreparationStage(StationWindow& main)
    : PreparationStage(main, 1, QString()),
      m_audio(main.audio(), prepAudioStream, QDir(main.workDir).filePath(kTempFileName)) {
    setObjectName(QStringLiteral("listeningPreparationStage"));
}

void ListeningPreparationStage::start() {
    StationWindow& main = mainWindow();
    QString error;
    main.prepTime1 = m_audio.open(QByteArray::fromStdString(main.complects.asBytes("t1AudPrep")), &error);
    // Said before the countdown runs, so the box never outlives the stage; the stage then
    // runs its short time and the exam goes on.
    if (!error.isEmpty())
        main.dialogs().error(error);
    startPreparation(main.prepTime1);
    m_audio.play();
}

void ListeningPreparationStage::finishStage() {
    m_audio.close();
    mainWindow().startStage(StageCode::ListeningTask);
}
