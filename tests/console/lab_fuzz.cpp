// Arbitrary bytes as the lab link's settings section or as a remote command.
// The first byte chooses; for the settings a NUL splits the file from --mqtt,
// for a command it splits the topic's last level from the payload.
#include "labcommand.h"
#include "labsettings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray all(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const qsizetype split = all.indexOf('\0');
    const QByteArray first = split < 0 ? all : all.left(split);
    const QByteArray second = split < 0 ? QByteArray() : all.mid(split + 1);
    if (data[0] & 1) {
        const LabConfig c = readLabSettings(first, QString::fromUtf8(second), "/etc/tuvela", "host");
        // Read or refused, never half: a link's names are always usable in topics.
        if (c.settings
            && (c.settings->bench.isEmpty() || c.settings->bench != labBenchName(c.settings->bench)
                || c.settings->setMin > c.settings->setMax || c.settings->keepAlive < 5))
            __builtin_trap();
        if (c.settings && !c.error.isEmpty())
            __builtin_trap();
        return 0;
    }
    const LabCommandReading r = readLabCommand(QString::fromUtf8(first), second, data[0] & 2, 20, 60);
    if (r.command.has_value() == !r.refusal.isEmpty())
        __builtin_trap();
    if (r.command && r.command->kind == LabCommand::Kind::SetPoint
        && (r.command->target < 20 || r.command->target > 60))
        __builtin_trap();
    return 0;
}
