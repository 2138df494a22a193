#pragma once

#include "main/StationFolders.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class DialogService;
class QFrame;
class QLabel;
class QProgressBar;
class QVBoxLayout;
class StageFrame;
class StageRegistry;

// The one borderless station window (client area 1016 x 713) and the state shared by the
// stages: the timing settings, the participant and station values, the current stage.
// It owns the stage frame of the moment; the services it is given outlive it.
class TfrmMain : public QWidget {
    Q_OBJECT
public:
    struct Services {
        DialogService* dialogs = nullptr;
        const StageRegistry* stages = nullptr;
        QString workDir; // where the kit is read and every answer is written
        QString appDir;  // the program's folder, with a trailing separator
    };

    static constexpr int kClientWidth = 1016;
    static constexpr int kClientHeight = 713;

    explicit TfrmMain(Services services, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Header bar and its controls.
    QFrame* const Panel1;
    QLabel* const lblProcessName;
    QProgressBar* const ProcessBar;
    QLabel* const lblProcessTime;

    // Timing settings, whole seconds.
    int PrepTime1 = 25;
    int PrepTime2 = 90;
    int PrepTime3 = 90;
    int TaskTime1 = 2700;
    int TaskTime2 = 90;
    int TaskTime3 = 120;
    int TaskTime4 = 2700;
    int TaskTime5 = 2700;
    int TaskTime6 = 2700;

    // Participant and station values.
    QString StudID = QStringLiteral("0000");
    QString VariantNo;
    QString StationCode;
    QString AudCode;
    QString CompCode;
    QString StationTag;
    QString KitSubjID;
    QString KitExamDate;
    QString AppDir;
    QString WorkDir;
    bool CanExit = false;
    bool AudioReady = false;

    // The stage frame now shown; empty before the first stage and after an unknown code.
    QPointer<StageFrame> CurrentFrame;

    // Ends the current stage (hidden, then destroyed) and begins the stage of code.
    void StartFrame(int code);

    // Ends the station's work: hides the frame, allows the close and closes the window.
    void StopExam();

    // The folders and files of the current participant.
    StationFolders folders() const { return StationFolders(WorkDir, StationTag, StudID); }

    DialogService& dialogs() const { return *m_services.dialogs; }

signals:
    // The window has accepted its close; the program entry ends the event loop on it.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool FormCloseQuery() const { return CanExit; }
    void centreOnScreen();
    void placeFrame(QWidget* frame);

    Services m_services;
    QVBoxLayout* m_layout;
};
