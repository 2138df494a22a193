#include "widgets/PositionComboBox.h"

#include "station/ChoiceRules.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWheelEvent>

#include <algorithm>

// The read-only edit field: shows the chosen option from its start and, when it is wider
// than the field, cut with "…" (a plain line edit would scroll to the text's end).
class PositionComboBox::ChosenTextField : public QLineEdit {
public:
    explicit ChosenTextField(QWidget* parent) : QLineEdit(parent) { setReadOnly(true); }

    QString shownText() const { return fontMetrics().elidedText(text(), Qt::ElideRight, textArea().width()); }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (fontMetrics().horizontalAdvance(text()) <= textArea().width()) {
            QLineEdit::paintEvent(event);
            return;
        }
        QPainter painter(this);
        QStyleOptionFrame option;
        initStyleOption(&option);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        painter.drawText(textArea(), Qt::AlignLeft | Qt::AlignVCenter, shownText());
    }

private:
    // Where QLineEdit draws its text: the style's contents rectangle less the margins and
    // the two-pixel side gap of the line edit.
    QRect textArea() const {
        QStyleOptionFrame option;
        initStyleOption(&option);
        constexpr int kSideGap = 2;
        return style()
            ->subElementRect(QStyle::SE_LineEditContents, &option, this)
            .marginsRemoved(textMargins())
            .adjusted(kSideGap, 0, -kSideGap, 0);
    }
};

PositionComboBox::PositionComboBox(QWidget* parent) : QComboBox(parent), m_field(new ChosenTextField(this)) {
    setEditable(true);
    setLineEdit(m_field);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    setCompleter(nullptr);
    // QComboBox picks the first option whose text equals the field's on Enter and when the
    // field loses focus: with equal or empty options that would change the choice.
    disconnect(m_field, SIGNAL(editingFinished()), this, nullptr);
    disconnect(m_field, SIGNAL(returnPressed()), this, nullptr);
    // The field is read-only; a click on it opens the list, as on a list without a field.
    m_field->installEventFilter(this);
    // Keep the start of a long option in sight whatever set the text.
    connect(this, &QComboBox::currentIndexChanged, this, [this] { m_field->setCursorPosition(0); });
}

void PositionComboBox::setOptions(const QStringList& options) {
    clear();
    addItems(options);
    for (int i = 0; i < count(); ++i)
        setItemData(i, QSize(width(), kItemHeight), Qt::SizeHintRole);
    setCurrentIndex(-1); // adding to an empty list made the first option current
    setEditText(QString());
}

int PositionComboBox::position() const {
    return ChoiceRules::positionOf(currentIndex());
}

QString PositionComboBox::shownText() const {
    return m_field->shownText();
}

void PositionComboBox::showPopup() {
    // No option cut: the opened list is as wide as the longest, within the window.
    const QFontMetrics metrics(view()->font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    const int margins =
        2 * view()->frameWidth() + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8 +
        (count() * kItemHeight > view()->maximumHeight() ? view()->verticalScrollBar()->sizeHint().width() : 0);
    const int wanted = std::max(width(), widest + margins);
    view()->setMinimumWidth(std::min(wanted, window()->width()));
    QComboBox::showPopup();
    // The popup's frame comes on top of the view: keep the whole popup inside the window.
    QWidget* popup = view()->window();
    const QRect inside(window()->mapToGlobal(QPoint(0, 0)), window()->size());
    QRect place = popup->geometry();
    if (place.width() > inside.width()) {
        view()->setMinimumWidth(view()->minimumWidth() - (place.width() - inside.width()));
        place.setWidth(inside.width());
        if (popup->layout() != nullptr)
            popup->layout()->activate();
    }
    if (place.right() > inside.right())
        place.moveRight(inside.right());
    if (place.left() < inside.left())
        place.moveLeft(inside.left());
    popup->setGeometry(place);
}

void PositionComboBox::wheelEvent(QWheelEvent* event) {
    // The wheel never chooses: it belongs to the sheet behind the list (a sibling laid
    // under it, or the parent, which gets the event as soon as it is ignored here).
    event->ignore();
    QWidget* parent = parentWidget();
    if (parent == nullptr)
        return;
    const QPoint inParent = mapToParent(event->position().toPoint());
    const QObjectList& siblings = parent->children();
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
        auto* sibling = qobject_cast<QWidget*>(*it);
        if (sibling == nullptr || sibling == this || sibling->isWindow() || !sibling->isVisible() ||
            qobject_cast<PositionComboBox*>(sibling) != nullptr || !sibling->geometry().contains(inParent))
            continue;
        QWidget* target = sibling->childAt(sibling->mapFromParent(inParent));
        if (target == nullptr)
            target = sibling;
        QWheelEvent behind(target->mapFrom(parent, QPointF(inParent)), event->globalPosition(), event->pixelDelta(),
                           event->angleDelta(), event->buttons(), event->modifiers(), event->phase(), event->inverted(),
                           event->source());
        QApplication::sendEvent(target, &behind);
        event->setAccepted(behind.isAccepted());
        return;
    }
}

bool PositionComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        QWheelEvent overList(m_field->mapToParent(wheel->position()), wheel->globalPosition(), wheel->pixelDelta(),
                             wheel->angleDelta(), wheel->buttons(), wheel->modifiers(), wheel->phase(),
                             wheel->inverted(), wheel->source());
        wheelEvent(&overList);
        return true;
    }
    if (watched == m_field && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && isEnabled()) {
        showPopup();
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}
