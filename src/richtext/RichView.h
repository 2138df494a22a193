#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <memory>

class QScrollBar;
class QTextDocument;

namespace kit {
class MemTable;
}

namespace richtext {

class FieldSource;
class MemTableFieldSource;

// The read-only sheet view of the stages: shows the RTF held in a field of the current
// row of a table, drawn from the top-left corner without scaling (controls are laid
// over it at fixed places) and wrapped to the widget's width. A document taller than the
// view gets a vertical scroll bar at the right edge (the text then wraps beside it) and
// scrolls with the mouse wheel over the sheet; controls laid over it, siblings or children,
// keep their places. The view takes no keyboard focus, offers no editing and no context
// menu, and draws black on white whatever the palette.
// A document is converted once per row and field content, never at paint time.
// Ownership: the view owns its document and any adapter it makes for a kit table; it
// does not own the table or FieldSource, which must outlive the binding (call
// setDataSource(nullptr) before destroying them if the view lives longer).
class RichView : public QWidget {
    Q_OBJECT
public:
    explicit RichView(QWidget* parent = nullptr);
    ~RichView() override;

    // The kit table whose current row is shown; nullptr = none (shows nothing).
    void setDataSource(kit::MemTable* table);
    // The same over any FieldSource (tests, other tables); nullptr = none.
    void setFieldSource(FieldSource* source);
    // Binds or rebinds by field name, letter case ignored; empty shows nothing.
    void setDataField(const QString& name);
    QString dataField() const { return m_field; }

    // Shows a document directly (previews, the render tool). A bound view replaces it at
    // the next change of its row or field.
    void setRtf(const QByteArray& rtf);

    const QTextDocument* document() const { return m_document.get(); }
    // How many times a document was converted; lets tests see caching at work.
    int conversions() const { return m_conversions; }

    // Height the whole document needs at the view's width: shown at that height, no scroll bar.
    int documentHeight() const;
    // The scroll bar: hidden while the document fits. Owned by the view.
    QScrollBar* verticalScrollBar() const { return m_scrollBar; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void attach(FieldSource* source);
    void detach();
    void refresh();
    void display(const QByteArray& bytes);
    void layoutDocument(); // wraps the text and shows the scroll bar when it does not fit

    std::unique_ptr<MemTableFieldSource> m_ownedSource;
    FieldSource* m_source = nullptr;
    int m_listenerId = -1;
    QString m_field;
    std::unique_ptr<QTextDocument> m_document;
    QScrollBar* m_scrollBar; // child
    QByteArray m_shownBytes;
    int m_conversions = 0;
};

} // namespace richtext
