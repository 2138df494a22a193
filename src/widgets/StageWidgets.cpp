#include "widgets/StageWidgets.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Debian has no MS Sans Serif, and fontconfig's stand-in (DejaVu Sans) is 40 % wider at the
// lists' 13 px. fonts-wine ships Wine's "MS Sans Serif", made to the Windows face's widths,
// with a 13 px bitmap strike; it lies outside fontconfig's folders, so it is added here.
// Without it, Liberation Sans Narrow comes nearest in width among the other faces.
constexpr const char* kWineSansSerifFile = "/usr/share/wine/fonts/ms_sans_serif.ttf";

bool addWineSansSerif() {
    static const bool added = QFontDatabase::addApplicationFont(QString::fromLatin1(kWineSansSerifFile)) >= 0;
    return added;
}

} // namespace

QFont StageWidgets::font(const QString& family, int pixelSize, bool bold) {
    QFont result(family);
    if (family == msSansSerif()) {
        addWineSansSerif();
        result.setFamilies({family, QStringLiteral("Liberation Sans Narrow")});
    }
    result.setPixelSize(pixelSize);
    result.setBold(bold);
    return result;
}

QString StageWidgets::msSansSerif() {
    return QStringLiteral("MS Sans Serif");
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
    area.moveCenter(screen->availableGeometry().center());
    window->move(area.topLeft());
}

QString StageWidgets::screenTooSmallText(const QSize& windowSize, const QSize& usableArea, const QSize& screenPixels,
                                         double scale) {
    if (usableArea.width() >= windowSize.width() && usableArea.height() >= windowSize.height())
        return QString();
    QString text = QStringLiteral("Окно программы (%1 × %2 точек) не помещается на экране станции: "
                                  "экран %3 × %4 точек")
                       .arg(windowSize.width())
                       .arg(windowSize.height())
                       .arg(screenPixels.width())
                       .arg(screenPixels.height());
    if (scale > 1.0)
        text += QStringLiteral(" при масштабе %1 %").arg(qRound(scale * 100));
    text += QStringLiteral(", свободно от панелей %1 × %2.\n\n").arg(usableArea.width()).arg(usableArea.height());
    text += scale > 1.0 ? QStringLiteral("Установите в настройках экрана операционной системы масштаб 100 % ")
                        : QStringLiteral("Установите в настройках экрана операционной системы ");
    // 1024 x 768, the smallest common mode, leaves room for a panel beside the window.
    text += QStringLiteral("разрешение не меньше 1024 × 768 (или скройте панели), затем перезапустите программу. "
                           "Не начинайте экзамен, пока окно видно не целиком.");
    return text;
}

QString StageWidgets::screenTooSmallText(const QSize& windowSize) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QString();
    const double scale = screen->devicePixelRatio();
    return screenTooSmallText(windowSize, screen->availableGeometry().size(), screen->geometry().size() * scale, scale);
}
