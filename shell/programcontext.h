// What a program hands its windows when it makes them: where the settings
// file is and which device stands for each port. Windows never look these up
// themselves, so a test can give a window its own settings file and devices.
#pragma once

#include "comdevices.h"

#include <QScreen>
#include <QString>
#include <QWidget>

#include <memory>
#include <utility>

struct ProgramContext {
    QString settingsPath;
    ComDevices devices;
};

// Makes a window and runs its load step: every window of both programs is
// opened this way, the program's main window by main() and a secondary window
// by the window that shows it.
template <typename Window, typename... Args> std::unique_ptr<Window> loadWindow(Args&&... args)
{
    auto window = std::make_unique<Window>(std::forward<Args>(args)...);
    window->Form_Load();
    return window;
}

// Shows a program's main window in the middle of its screen.
inline void showCentred(QWidget& window)
{
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
}
