#include "widgets/WrapPushButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

WrapPushButton::WrapPushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAccessibleName(text);
}

void WrapPushButton::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear(); // the bevel and focus frame from the style, the caption wrapped by us
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, option.palette, isEnabled(), caption,
                         QPalette::ButtonText);
}
