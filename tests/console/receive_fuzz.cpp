// Arbitrary bytes from the serial line, one receive event per byte, through the
// console's whole receive handler.
#include "frmmain.h"
#include "inifile.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_console_receive";
    static char* argv[] = { name, nullptr };
    static QApplication app(argc, argv);
    // The fuzzer's own folder holds the settings file the handler saves to.
    static const std::unique_ptr<frmMain> window = [] {
        ProgramContext context { settingsPath(), {} };
        for (int port = 1; port <= kComPortCount; ++port)
            context.devices.setPath(port, QStringLiteral("/nonexistent/fuzz%1").arg(port));
        return loadWindow<frmMain>(context, QString(), nullptr);
    }();
    for (size_t i = 0; i < size; ++i)
        window->receiveChunk(QString(QChar(char16_t(data[i]))));
    return 0;
}
