#include "app/RehearsalDialogService.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

namespace {

QString oneLine(QString text) {
    return text.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QLatin1String(" / "));
}

} // namespace

RehearsalDialogService::RehearsalDialogService(std::function<void(const QString& line)> print, int closeAfterMs)
    : m_print(std::move(print)), m_closeAfterMs(closeAfterMs) {}

bool RehearsalDialogService::confirm(const QString& text) {
    m_print(QStringLiteral("  вопрос «%1» — Да").arg(oneLine(text)));
    return true;
}

void RehearsalDialogService::message(const QString& text) {
    fail(QStringLiteral("сообщение"), text);
}

void RehearsalDialogService::error(const QString& text) {
    fail(QStringLiteral("ошибка"), text);
}

void RehearsalDialogService::audioError(const QString& text) {
    fail(QStringLiteral("ошибка звука"), text);
}

void RehearsalDialogService::fatal(const QString& text) {
    fail(QStringLiteral("отказ"), text);
}

void RehearsalDialogService::fail(const QString& kind, const QString& text) {
    const QString line = kind + QStringLiteral(": ") + oneLine(text);
    m_failures << line;
    m_print(QStringLiteral("  ") + line);
}

int RehearsalDialogService::execModal(QDialog& window) {
    // The countdown window closes by itself; the text viewer waits for "Закрыть".
    const QPointer<QDialog> guard(&window);
    QTimer::singleShot(m_closeAfterMs, &window, [guard] {
        if (guard && guard->isVisible())
            guard->accept();
    });
    return window.exec();
}

QString RehearsalDialogService::chooseFolder(const QString& title, const QString& startFolder) {
    fail(QStringLiteral("выбор папки"), title + QStringLiteral(" [") + startFolder + QLatin1Char(']'));
    return QString();
}
