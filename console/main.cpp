// tempconsole: the temperature-controller console.
#include "closeonsignal.h"
#include "frmmain.h"
#include "programstart.h"

int main(int argc, char** argv)
{
    const ProgramSyntax syntax { QStringLiteral("Temperature-controller console on a serial port."),
        { { QStringLiteral("log"), QStringLiteral("FILE"),
              QStringLiteral("Append every reading and link change to FILE (CSV).") },
            { QStringLiteral("mqtt"), QStringLiteral("URL"),
                QStringLiteral(
                    "Publish to the MQTT broker at URL (mqtt://HOST[:PORT] or mqtts://...).") } } };
    return RunProgram<frmMain>(argc, argv, QStringLiteral("tempconsole"), syntax,
        [](frmMain& window, const ProgramOptions& options) -> ConnectionPanel& {
            window.openReadingsLog(options.value(QStringLiteral("log")));
            window.openLabLink(options.value(QStringLiteral("mqtt")));
            closeOnSignals(window);
            return *window.controls().panel;
        });
}
