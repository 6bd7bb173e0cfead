// SIGTERM and SIGINT end a program as closing its main window does, so that
// what the window does on closing (closing the port, saying goodbye on the
// network) also happens when a service manager or Ctrl+C stops it.
#pragma once

class QWidget;

// Installs the handlers; the window closes on the next turn of the event loop.
void closeOnSignals(QWidget& window);
