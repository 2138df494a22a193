#pragma once

#include "main/DialogService.h"

// DialogService on real QMessageBox and QDialog::exec. Button texts are set in
// Russian here so they never depend on an installed translation.
class QtDialogService : public DialogService {
public:
    bool confirm(const QString& text) override;
    void message(const QString& text) override;
    void error(const QString& text) override;
    void audioError(const QString& text) override;
    void fatal(const QString& text) override;
    int execModal(QDialog& window) override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
};
