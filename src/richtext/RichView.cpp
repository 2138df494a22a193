#include "richtext/RichView.h"

#include "richtext/FieldSource.h"
#include "richtext/MemTableFieldSource.h"
#include "richtext/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>

namespace richtext {

RichView::RichView(QWidget* parent)
    : QWidget(parent), m_document(std::make_unique<QTextDocument>()), m_scrollBar(new QScrollBar(Qt::Vertical, this)) {
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::PreventContextMenu); // nor does the stage's menu open over the sheet
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Текст задания"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding); // fills the frame above the bottom bar
    m_document->setDocumentMargin(0);
    layoutDocument();
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
    m_scrollBar->setValue(0); // a new sheet is read from its top
    layoutDocument();
    update();
}

void RichView::layoutDocument() {
    m_document->setTextWidth(width());
    const bool tooTall = !m_document->isEmpty() && qCeil(m_document->size().height()) > height();
    if (tooTall) {
        const int bar = m_scrollBar->sizeHint().width();
        m_document->setTextWidth(std::max(1, width() - bar));
        m_scrollBar->setGeometry(width() - bar, 0, bar, height());
        m_scrollBar->setPageStep(std::max(1, height()));
        m_scrollBar->setSingleStep(20);
        m_scrollBar->setRange(0, std::max(0, qCeil(m_document->size().height()) - height()));
    } else {
        m_scrollBar->setRange(0, 0);
    }
    m_scrollBar->setVisible(tooTall);
}

int RichView::documentHeight() const {
    return richtext::documentHeight(*m_document, width());
}

QSize RichView::sizeHint() const {
    return {1015, 671};
}

void RichView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutDocument();
}

void RichView::wheelEvent(QWheelEvent* event) {
    if (m_scrollBar->isHidden()) {
        event->ignore();
        return;
    }
    QCoreApplication::sendEvent(m_scrollBar, event);
}

void RichView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The original control was white with black text whatever the window's palette.
    painter.fillRect(event->rect(), Qt::white);
    const int top = m_scrollBar->value();
    painter.translate(0, -top);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = QRectF(event->rect()).translated(0, top);
    ctx.palette = palette();
    ctx.palette.setCurrentColorGroup(QPalette::Active);
    ctx.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(ctx.clip);
    m_document->documentLayout()->draw(&painter, ctx);
}

} // namespace richtext
