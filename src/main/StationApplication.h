#pragma once

#include <QApplication>

#include <functional>

// The station's application object. An exception that escapes an event handler would end
// the program with no word and take the running examinee with it; here it is caught where
// Qt delivers the event, written to the technician's log and shown to the organiser in
// Russian, and the station goes on: everything already saved stays as it is.
class StationApplication : public QApplication {
public:
    StationApplication(int& argc, char** argv);

    // Shows the text of an unexpected failure (the station window's dialog service, once it
    // exists); until then the failure is only logged.
    void setFailureReporter(std::function<void(const QString& text)> report);

    bool notify(QObject* receiver, QEvent* event) override;

    // What the organiser reads: the failure, and that the answers saved so far are safe.
    static QString failureText(const QString& what);

private:
    void reportFailure(const QString& what);

    std::function<void(const QString& text)> m_report;
    bool m_reporting = false;
};
