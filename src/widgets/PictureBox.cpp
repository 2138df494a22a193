#include "widgets/PictureBox.h"

#include <QPainter>

const QString PictureBox::kMicrophone = QStringLiteral(":/widgets/mic.svg");
const QString PictureBox::kLoudspeaker = QStringLiteral(":/widgets/speaker.svg");

// Outside any namespace, as the macro requires. The resources live in a static library:
// nothing would pull them in otherwise.
static void loadWidgetResources() {
    Q_INIT_RESOURCE(widgets);
}

PictureBox::PictureBox(const QString& resource, const QString& accessibleName, QWidget* parent) : QWidget(parent) {
    loadWidgetResources();
    m_renderer.load(resource);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(accessibleName);
}

QRect PictureBox::pictureRect() const {
    QSize size = m_renderer.defaultSize();
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    QRect area(QPoint(0, 0), size);
    area.moveCenter(rect().center());
    return area;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&painter, QRectF(pictureRect()));
}
