#include "stages/TfrmPrepare1.h"

#include "main/DialogService.h"
#include "main/TfrmMain.h"

#include <QDir>

audio::Handle TfrmPrepare1::PrepAudioStream = 0;
const QString TfrmPrepare1::kTempFileName = QStringLiteral("~$t1a.tmp");

TfrmPrepare1::TfrmPrepare1(TfrmMain& main)
    : PrepareStage(main, 1, QString()),
      m_audio(main.audio(), PrepAudioStream, QDir(main.WorkDir).filePath(kTempFileName)) {
    setObjectName(QStringLiteral("frmPrepare1"));
}

void TfrmPrepare1::Start() {
    TfrmMain& main = mainWindow();
    QString error;
    main.PrepTime1 = m_audio.open(QByteArray::fromStdString(main.complects.asBytes("t1AudPrep")), &error);
    // Said before the countdown runs, so the box never outlives the stage; the stage then
    // runs its short time and the exam goes on.
    if (!error.isEmpty())
        main.dialogs().error(error);
    startPreparation(main.PrepTime1);
    m_audio.play();
}

void TfrmPrepare1::finishStage() {
    m_audio.close();
    mainWindow().StartFrame(11);
}
