// Arbitrary bytes as a settings file: reading must not crash, and a value set
// through assign() must read back exactly while other entries keep their values.
#include "iniformat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString section = QStringLiteral("TEMP");
    const QString key = QStringLiteral("SETTEMP");
    const std::optional<QString> other
        = ini::lookup(content, QStringLiteral("IRCODE"), QStringLiteral("KEYCODE1"));
    const QByteArray after = ini::assign(content, section, key, QStringLiteral("42"));
    if (ini::lookup(after, section, key) != QStringLiteral("42"))
        std::abort();
    if (section.compare(QStringLiteral("IRCODE"), Qt::CaseInsensitive) != 0
        && ini::lookup(after, QStringLiteral("IRCODE"), QStringLiteral("KEYCODE1")) != other)
        std::abort();
    return 0;
}
