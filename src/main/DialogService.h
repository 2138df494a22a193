#pragma once

#include <QString>

class QDialog;

// The platform's modal boxes and windows, behind one interface so that tests can
// answer them without a screen. All calls are made on the UI thread and return
// when the person (or the test's script) has answered.
class DialogService {
public:
    virtual ~DialogService() = default;

    // The confirmation box: no owner, caption "Внимание!", Yes and No, no icon.
    // True only for Yes; every caller acts only on Yes.
    virtual bool confirm(const QString& text) = 0;

    // The plain message dialog for wrong input: OK only, titled with the application title.
    virtual void message(const QString& text) = 0;

    // The application's general error handler for file and stream failures: shows the error's message.
    virtual void error(const QString& text) = 0;

    // The audio error box: caption "Ошибка", OK only, no icon; the text is already formatted.
    virtual void audioError(const QString& text) = 0;

    // A box with the system's default caption and the error icon, shown before the program ends.
    virtual void fatal(const QString& text) = 0;

    // Shows a window modally and returns its result (the countdown window, the kit text viewer).
    virtual int execModal(QDialog& window) = 0;

    // The platform's folder dialog, opened on startFolder: the folder picked, empty when cancelled.
    virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
};
