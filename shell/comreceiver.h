// The receive plumbing both main windows share: a handler step skipped when it fails,
// and the adapter from the port's OnComm to the window's receive handler.
#pragma once

#include <QString>

#include <exception>
#include <functional>

class ComPort;
class QObject;

// Runs one step of an event handler. A step that fails with an error of the
// serial port, the settings file or the display (all standard exceptions) is
// abandoned without a word, so the handler goes on with its next step; returns
// whether the step completed. Anything else is a fault and surfaces.
template <typename Error, typename Step> bool runOrSkip(Step&& step)
{
    try {
        step();
        return true;
    } catch (const Error&) {
        return false;
    }
}

// On each receive event of `port` (while `context` lives), reads the waiting
// characters and hands them to `receive`; a read that fails hands over "".
void connectReceiver(ComPort& port, QObject* context, std::function<void(const QString&)> receive);
