// tempconsole: the temperature-controller console.
#include "cmdline.h"
#include "frmmain.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ProgramOptions options = parseProgramOptionsOrExit(arguments,
        ProgramSyntax { QStringLiteral("Temperature-controller console on a serial port."), true });
    QApplication app(argc, argv);
    frmMain window;
    window.setProgramOptions(options);
    window.Form_Load();
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
