// tempconsole: the temperature-controller console.
#include "cmdline.h"
#include "frmmain.h"
#include "inifile.h"
#include "portfollower.h"
#include "programcontext.h"
#include "serialdevices.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ProgramOptions options = parseProgramOptionsOrExit(arguments,
        ProgramSyntax { QStringLiteral("Temperature-controller console on a serial port."), true });
    QApplication app(argc, argv);
    const QString iniPath = settingsPath();
    const auto window
        = loadWindow<frmMain>(ProgramContext { iniPath, startingComDevices(options.com, iniPath) });
    PortFollower::follow(*window->controls().panel, options, iniPath);
    window->openReadingsLog(options.log);
    showCentred(*window);
    return QApplication::exec();
}
