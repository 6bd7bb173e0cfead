// Arbitrary bytes as a song file's start: the picture reader must neither
// crash nor read out of bounds.
#include "embeddedcover.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    EmbeddedPicture(buffer);
    return 0;
}
