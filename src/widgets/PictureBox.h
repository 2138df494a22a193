#pragma once

#include <QSvgRenderer>
#include <QWidget>

// A picture laid over a stage (the microphone and loudspeaker pictograms): the image is
// drawn centred at its own size, scaled down proportionally when the box is smaller, with
// its transparency kept. Clicks pass through to the controls beneath. Owned by its parent.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    // resource: a picture of the stages' resources, e.g. kMicrophone.
    PictureBox(const QString& resource, const QString& accessibleName, QWidget* parent);

    static const QString kMicrophone;
    static const QString kLoudspeaker;

    bool isValid() const { return m_renderer.isValid(); }
    QSize pictureSize() const { return m_renderer.defaultSize(); }
    // Where the picture is drawn inside the box.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer m_renderer;
};
