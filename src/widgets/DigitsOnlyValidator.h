#pragma once

#include <QValidator>

#include <functional>

class QLineEdit;

// Keeps a number field to decimal digits however text arrives. Typed characters go
// through the form's KeyPress handler (which may discard them); pasted, dropped or
// composed text is refused as a whole unless it is all digits. The validator is owned
// by the edit it guards (Qt parent) and runs on the UI thread.
class DigitsOnlyValidator : public QValidator {
    Q_OBJECT
public:
    // The form's KeyPress handler: sets Key to a null QChar to discard it.
    using KeyPress = std::function<void(QChar& Key)>;

    // Installs itself on edit as its validator and key filter.
    DigitsOnlyValidator(QLineEdit* edit, KeyPress keyPress);

    // The key rule of every number field: decimal digits and backspace pass.
    static bool passesKey(QChar key);
    // Sets Key to a null QChar unless it passes.
    static void filterKey(QChar& Key);

    State validate(QString& input, int& pos) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyPress m_keyPress;
};
