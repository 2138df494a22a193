#pragma once

#include "main/DialogService.h"

#include <QStringList>

#include <functional>

// The organiser of a rehearsal: answers every confirmation with Yes, shows the long-lived
// windows for real (the countdown closes itself; any other window is closed after
// closeAfterMs) and, instead of boxes nobody would click, reports every message through
// the print callback and keeps the failures. UI thread only.
class RehearsalDialogService : public DialogService {
public:
    explicit RehearsalDialogService(std::function<void(const QString& line)> print, int closeAfterMs = 3000);

    bool confirm(const QString& text) override;
    void message(const QString& text) override;
    void error(const QString& text) override;
    void audioError(const QString& text) override;
    void fatal(const QString& text) override;
    int execModal(QDialog& window) override;
    // The rehearsal is given its folder: a question for one is a failure, answered by cancelling.
    QString chooseFolder(const QString& title, const QString& startFolder) override;

    // Errors, audio errors and fatal boxes, in order: a clean rehearsal has none.
    const QStringList& failures() const { return m_failures; }

private:
    void fail(const QString& kind, const QString& text);

    std::function<void(const QString& line)> m_print;
    int m_closeAfterMs;
    QStringList m_failures;
};
