// tempconsole: the temperature-controller console.
#include "frmmain.h"
#include "programstart.h"

int main(int argc, char** argv)
{
    const ProgramSyntax syntax { QStringLiteral("Temperature-controller console on a serial port."),
        { { QStringLiteral("log"), QStringLiteral("FILE"),
            QStringLiteral("Append every reading and link change to FILE (CSV).") } } };
    return RunProgram<frmMain>(argc, argv, QStringLiteral("tempconsole"), syntax,
        [](frmMain& window, const ProgramOptions& options) -> ConnectionPanel& {
            window.openReadingsLog(options.value(QStringLiteral("log")));
            return *window.controls().panel;
        });
}
