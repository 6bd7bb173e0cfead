// tempconsole: the temperature-controller console.
#include "cmdline.h"
#include "frmmain.h"
#include "inifile.h"
#include "programcontext.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ComDevices devices
        = parseProgramOptions(arguments, QStringLiteral("Temperature-controller console on a serial port."));
    QApplication app(argc, argv);
    const auto window = loadWindow<frmMain>(ProgramContext { settingsPath(), devices });
    showCentred(*window);
    return QApplication::exec();
}
