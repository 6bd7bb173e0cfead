// Arbitrary bytes from the serial line, one receive event per byte, through the
// console's whole receive handler.
#include "comport.h"
#include "frmmain.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_console_receive";
    static char* argv[] = { name, nullptr };
    static QApplication app(argc, argv);
    static frmMain window(QString(), nullptr);
    static const bool loaded = [] {
        for (int port = 1; port <= ComPort::kPortCount; ++port)
            ComPort::setDevicePath(port, QStringLiteral("/nonexistent/fuzz%1").arg(port));
        window.Form_Load();
        return true;
    }();
    (void)loaded;
    for (size_t i = 0; i < size; ++i)
        window.receiveChunk(QString(QChar(char16_t(data[i]))));
    return 0;
}
