#pragma once

#include <QValidator>

#include <functional>

class QLineEdit;

// Keeps a number field to decimal digits however text arrives. Typed characters go
// through the field's key handler (which may discard them); pasted, dropped or
// composed text is refused as a whole unless it is all digits. The validator is owned
// by the edit it guards (Qt parent) and runs on the UI thread.
class DigitsOnlyValidator : public QValidator {
    Q_OBJECT
public:
    // The field's key handler: sets key to a null QChar to discard it.
    using KeyHandler = std::function<void(QChar& key)>;

    // Installs itself on edit as its validator and key filter.
    DigitsOnlyValidator(QLineEdit* edit, KeyHandler keyHandler);

    // The key rule of every number field: decimal digits and backspace pass.
    static bool passesKey(QChar key);
    // Sets key to a null QChar unless it passes.
    static void filterKey(QChar& key);

    State validate(QString& input, int& pos) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyHandler m_keyHandler;
};
