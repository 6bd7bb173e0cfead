// Helpers shared by the player's window and playback tests.
#pragma once

#include "programcontext.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

namespace playertest {

// Writes a mono 16-bit PCM WAV file with a tone of the given length.
void writeWav(const QString& path, int milliseconds, int sampleRate = 8000);

// What the windows under test are made with: a settings file in a folder of
// the test run's own, and the port devices tests choose.
ProgramContext& context();

// Removes the settings file the program under test uses, before and after
// each test, so tests never see each other's codes.
void removeSettingsFile();

// Writes IRCODE/KEYCODE1..12; codes[i] is function i + 1.
void writeKeyCodes(const QStringList& codes);

// Points COM1..COM4 at paths that do not exist, so that probing is quick
// and the same on every machine.
void useAbsentPorts();

// Answers modal windows while it lives: each one that opens is handed to
// the handler (which must close it); message boxes are recorded and closed
// with their default button when no handler is set.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> handler = {});
    QStringList titles;
    QStringList texts;

private:
    void poll();
    std::function<void(QWidget*)> m_handler;
    QTimer m_timer;
    QPointer<QWidget> m_last;
};

} // namespace playertest
