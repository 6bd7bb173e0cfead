// The start-up both programs share: the command line first (so --help works
// without a display), then the application object, the settings file, the
// port devices, the main window and its load step, the ports followed while
// the program runs, and the window shown in the middle of the screen.
#pragma once

#include "cmdline.h"
#include "inifile.h"
#include "portfollower.h"
#include "programcontext.h"
#include "serialdevices.h"
#include "tuvelaversion.h"

#include <QApplication>
#include <QStringList>

class ConnectionPanel;

// The program's arguments as texts, the program's path first.
QStringList ProgramArguments(int argc, char** argv);

// Runs a program whose main window is `Window` until it ends; returns its
// exit status. `prepare(window, options)` does what one program does beyond
// the shared steps before the window shows, and returns the window's
// connection panel.
template <typename Window, typename Prepare>
int RunProgram(int argc, char** argv, const QString& name, const ProgramSyntax& syntax, Prepare prepare)
{
    const ProgramOptions options = parseProgramOptionsOrExit(ProgramArguments(argc, argv), syntax);
    QApplication app(argc, argv);
    QApplication::setApplicationName(name);
    QApplication::setApplicationVersion(QStringLiteral(TUVELA_VERSION));
    const QString iniPath = settingsPath();
    const auto window
        = loadWindow<Window>(ProgramContext { iniPath, startingComDevices(options.com, iniPath) });
    ConnectionPanel& panel = prepare(*window, options);
    PortFollower::follow(panel, options, iniPath);
    showCentred(*window);
    return QApplication::exec();
}
