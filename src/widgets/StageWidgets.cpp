#include "widgets/StageWidgets.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

QFont StageWidgets::font(const QString& family, int pixelSize, bool bold) {
    QFont result(family);
    result.setPixelSize(pixelSize);
    result.setBold(bold);
    return result;
}

QFont StageWidgets::arial(int pixelSize, bool bold) {
    return font(QStringLiteral("Arial"), pixelSize, bold);
}

QLabel* StageWidgets::label(const QString& name, const QString& caption, QWidget* parent) {
    auto* result = new QLabel(caption, parent);
    result->setObjectName(name);
    return result;
}

QPushButton* StageWidgets::button(const QString& name, const QString& caption, const QFont& font, QWidget* parent) {
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(name);
    result->setFont(font);
    return result;
}

void StageWidgets::stackSheetOverBar(QWidget* frame, QWidget* sheet, QWidget* bar) {
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(sheet, 1);
    layout->addWidget(bar);
}

void StageWidgets::centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area(QPoint(0, 0), window->size());
    area.moveCenter(screen->geometry().center());
    window->move(area.topLeft());
}
