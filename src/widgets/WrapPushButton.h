#pragma once

#include <QPushButton>

// A push button whose caption wraps onto several lines inside the button, as the
// station's large buttons need. text() keeps the whole caption, so the accessible
// name and tests see it unchanged.
class WrapPushButton : public QPushButton {
    Q_OBJECT
public:
    explicit WrapPushButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
