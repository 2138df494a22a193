#include "support/ScriptedDialogService.h"

#include <QDialog>

bool ScriptedDialogService::confirm(const QString& text) {
    shown << QStringLiteral("confirm: ") + text;
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

void ScriptedDialogService::message(const QString& text) {
    shown << QStringLiteral("message: ") + text;
}

void ScriptedDialogService::error(const QString& text) {
    shown << QStringLiteral("error: ") + text;
}

void ScriptedDialogService::audioError(const QString& text) {
    shown << QStringLiteral("audioError: ") + text;
}

void ScriptedDialogService::fatal(const QString& text) {
    shown << QStringLiteral("fatal: ") + text;
}

int ScriptedDialogService::execModal(QDialog& window) {
    shown << QStringLiteral("modal: ") + window.metaObject()->className();
    if (onModal)
        return onModal(window);
    return QDialog::Rejected;
}

QString ScriptedDialogService::chooseFolder(const QString& title, const QString& startFolder) {
    shown << QStringLiteral("chooseFolder: %1 [%2]").arg(title, startFolder);
    if (folderAnswers.empty())
        return QString();
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}
