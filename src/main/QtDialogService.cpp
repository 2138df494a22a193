#include "main/QtDialogService.h"

#include "station/StationTexts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

int showBox(QMessageBox::Icon icon, const QString& caption, const QString& text, bool yesNo) {
    QMessageBox box(icon, caption, text, QMessageBox::NoButton);
    if (yesNo) {
        box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
    } else {
        box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    }
    box.exec();
    return box.buttonRole(box.clickedButton());
}

} // namespace

bool QtDialogService::confirm(const QString& text) {
    return showBox(QMessageBox::NoIcon, texts::kAttention, text, true) == QMessageBox::YesRole;
}

void QtDialogService::message(const QString& text) {
    showBox(QMessageBox::NoIcon, texts::kAppTitle, text, false);
}

void QtDialogService::error(const QString& text) {
    showBox(QMessageBox::Critical, texts::kAppTitle, text, false);
}

void QtDialogService::audioError(const QString& text) {
    showBox(QMessageBox::NoIcon, QStringLiteral("Ошибка"), text, false);
}

void QtDialogService::fatal(const QString& text) {
    showBox(QMessageBox::Critical, QApplication::applicationDisplayName(), text, false);
}

int QtDialogService::execModal(QDialog& window) {
    return window.exec();
}

QString QtDialogService::chooseFolder(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(nullptr, title, startFolder, QFileDialog::ShowDirsOnly);
}
