// A main window that goes while its port is open and the board is talking.
#pragma once

#include "comport.h"
#include "ptypair.h"

#include <QCoreApplication>
#include <memory>

// Opens `window`'s port 1 on `pty`, lets the board send half a line, then
// destroys the window. Tells whether the device was let go. Anything the
// port still touched of the dead window shows under the sanitizer build.
template <typename Window> bool windowLetsGoOfPort(std::unique_ptr<Window>& window, PtyPair& pty)
{
    ComPort& port = window->port();
    port.devices().setPath(1, QString::fromStdString(pty.slavePath()));
    port.setCommPort(1);
    port.setPortOpen(true);
    if (!pty.listenerPresent() || !pty.write("2"))
        return false;
    QCoreApplication::processEvents();
    window.reset();
    return !pty.listenerPresent();
}
