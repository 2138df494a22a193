#include "widgets/BottomBar.h"

#include "widgets/StageWidgets.h"

#include <QPushButton>

BottomBar::BottomBar(QWidget* parent, int height, const QString& caption) : QLabel(caption, parent) {
    setObjectName(QStringLiteral("bottomBar"));
    setFixedHeight(height);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAlignment(Qt::AlignCenter);
    setFont(StageWidgets::arial(19));
}

void BottomBar::anchorRight(QWidget* widget, int top, int rightMargin) {
    m_anchors.push_back({widget, top, rightMargin});
    place(m_anchors.back());
}

QPushButton* BottomBar::addButton(const QString& caption, QSize size, int top, int rightMargin) {
    auto* button = new QPushButton(caption, this);
    button->setFont(StageWidgets::arial(11));
    button->setFixedSize(size);
    anchorRight(button, top, rightMargin);
    return button;
}

void BottomBar::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    for (const Anchor& anchor : m_anchors)
        place(anchor);
}

void BottomBar::place(const Anchor& anchor) {
    anchor.widget->move(width() - anchor.rightMargin - anchor.widget->width(), anchor.top);
}
