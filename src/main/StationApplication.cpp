#include "main/StationApplication.h"

#include "station/LogCategories.h"

#include <QLoggingCategory>

#include <exception>

StationApplication::StationApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void StationApplication::setFailureReporter(std::function<void(const QString& text)> report) {
    m_report = std::move(report);
}

bool StationApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportFailure(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportFailure(QStringLiteral("unknown exception"));
    }
    return false;
}

QString StationApplication::failureText(const QString& what) {
    return QStringLiteral("Непредвиденная ошибка программы (%1).\n"
                          "Уже сохранённые ответы не затронуты, работа станции продолжается.\n"
                          "Сообщите о проблеме организатору в аудитории")
        .arg(what);
}

void StationApplication::reportFailure(const QString& what) {
    qCCritical(lcMain).noquote() << "unexpected exception in an event handler:" << what;
    // A failure inside the box that reports one is logged only: no box upon box.
    if (!m_report || m_reporting)
        return;
    m_reporting = true;
    m_report(failureText(what));
    m_reporting = false;
}
