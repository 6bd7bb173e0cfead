// Whether a main window's port outlives the connection panel that refers to it.
#pragma once

#include "comport.h"

#include <QObject>
#include <memory>

// Destroys `window` and tells whether `port` was still there when `panel`
// went. The port is read as the panel goes, so with the wrong order the
// sanitizer build also reports a use after free.
template <typename Window>
bool portOutlivesPanel(std::unique_ptr<Window>& window, ComPort& port, QObject& panel)
{
    bool portGone = false;
    bool portThereForPanel = false;
    QObject::connect(&port, &QObject::destroyed, [&portGone] { portGone = true; });
    QObject::connect(&panel, &QObject::destroyed, [&] {
        const bool open = port.PortOpen();
        portThereForPanel = !portGone && !open;
    });
    window.reset();
    return portThereForPanel && portGone;
}
