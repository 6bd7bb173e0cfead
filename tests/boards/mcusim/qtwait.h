// Helpers for the tests that run a program's window against firmware in
// mcusim: waiting on the event loop, and answering message boxes.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <string>

// Waits, running the event loop, until `done` holds or `timeoutMs` passes.
template <class Predicate> bool waitFor(Predicate done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

// Accepts every message box that comes up modally and keeps its text.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        m_timer.start(20);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

// Keeps a settings file out of the way for one test: whatever was there is
// moved aside and put back afterwards.
class SettingsFileGuard {
public:
    explicit SettingsFileGuard(std::string path)
        : m_path(std::move(path))
        , m_backup(m_path + ".before-test")
    {
        std::rename(m_path.c_str(), m_backup.c_str());
    }
    ~SettingsFileGuard()
    {
        std::remove(m_path.c_str());
        std::rename(m_backup.c_str(), m_path.c_str());
    }

private:
    std::string m_path;
    std::string m_backup;
};
