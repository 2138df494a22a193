#include "richtext/RichView.h"

#include "richtext/FieldSource.h"
#include "richtext/MemTableFieldSource.h"
#include "richtext/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QTextDocument>
#include <QtMath>

namespace richtext {

RichView::RichView(QWidget* parent) : QWidget(parent), m_document(std::make_unique<QTextDocument>()) {
    setEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Текст задания"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding); // fills the frame above the bottom bar
    m_document->setDocumentMargin(0);
    m_document->setTextWidth(width());
}

RichView::~RichView() {
    detach();
}

void RichView::setDataSource(kit::MemTable* table) {
    if (table && m_ownedSource && m_ownedSource->table() == table)
        return;
    detach();
    if (table) {
        m_ownedSource = std::make_unique<MemTableFieldSource>(table);
        attach(m_ownedSource.get());
    }
    refresh();
}

void RichView::setFieldSource(FieldSource* source) {
    if (source == m_source)
        return;
    detach();
    attach(source);
    refresh();
}

void RichView::setDataField(const QString& name) {
    m_field = name;
    refresh();
}

void RichView::attach(FieldSource* source) {
    m_source = source;
    if (m_source)
        m_listenerId = m_source->addRowListener([this] { refresh(); });
}

void RichView::detach() {
    if (m_source && m_listenerId >= 0)
        m_source->removeRowListener(m_listenerId);
    m_listenerId = -1;
    m_source = nullptr;
    m_ownedSource.reset();
}

void RichView::refresh() {
    QByteArray bytes;
    if (m_source && !m_field.isEmpty() && m_source->hasField(m_field))
        bytes = m_source->fieldBytes(m_field);
    // Listeners fire on every row move; a row or field with the same content keeps its document.
    if (bytes == m_shownBytes)
        return;
    display(bytes);
}

void RichView::setRtf(const QByteArray& rtf) {
    display(rtf);
}

void RichView::display(const QByteArray& bytes) {
    m_shownBytes = bytes;
    m_document->clear();
    if (!bytes.isEmpty()) {
        RtfReader::read(bytes, m_document.get());
        ++m_conversions;
    }
    m_document->setDocumentMargin(0);
    m_document->setTextWidth(width());
    update();
}

int RichView::documentHeight() const {
    return qCeil(m_document->size().height());
}

QSize RichView::sizeHint() const {
    return {1015, 671};
}

void RichView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_document->setTextWidth(width());
}

void RichView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The original control was white with black text whatever the window's palette.
    painter.fillRect(event->rect(), Qt::white);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = QRectF(event->rect());
    ctx.palette = palette();
    ctx.palette.setCurrentColorGroup(QPalette::Active);
    ctx.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(event->rect());
    m_document->documentLayout()->draw(&painter, ctx);
}

} // namespace richtext
