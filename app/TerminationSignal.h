#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT (session end, logout, Ctrl+C) into a Qt
// signal on the event loop, so the main window can close normally and write
// its settings. A second such signal ends the process with the default
// action. One instance per process.
class TerminationSignal : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;

signals:
    void requested();

private:
    void onReadable();
    QSocketNotifier* notifier_ = nullptr;
};
