#pragma once

#include "main/DialogService.h"

#include <QStringList>

#include <deque>
#include <functional>

// DialogService for tests: answers confirmations from a script (No when the script is
// empty) and records every box it was asked to show, as "kind: text".
class ScriptedDialogService : public DialogService {
public:
    std::deque<bool> confirmAnswers;
    // Runs instead of a modal window's event loop; returns the window's result.
    std::function<int(QDialog&)> onModal;
    // Answers of the folder dialog, in order (cancelled when the script is empty).
    std::deque<QString> folderAnswers;

    QStringList shown;

    bool confirm(const QString& text) override;
    void message(const QString& text) override;
    void error(const QString& text) override;
    void audioError(const QString& text) override;
    void fatal(const QString& text) override;
    int execModal(QDialog& window) override;
    // Recorded as "chooseFolder: TITLE [START FOLDER]".
    QString chooseFolder(const QString& title, const QString& startFolder) override;
};
