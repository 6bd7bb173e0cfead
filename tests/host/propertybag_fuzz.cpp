// Arbitrary bytes as a stored bag and as a layout file: reading any key in any
// kind must not crash, and what is stored again must read back the same.
#include "layoutfile.h"

#include <cstdlib>

namespace {

void readEveryKind(const PropertyBag& bag)
{
    for (const QString& key : bag.keys()) {
        PropertyBag copy;
        copy.writeInt32(key, bag.readInt32(key, 0), 0);
        copy.writeInt16(key + "16", bag.readInt16(key, 0), 0);
        copy.writeFloat(key + "f", bag.readFloat(key, 0), 0);
        copy.writeColour(key + "c", bag.readColour(key, 0), 0);
        copy.writeFlag(key + "b", bag.readFlag(key, false), false);
        copy.writeText(key + "t", bag.readText(key, {}), {});
        if (const auto picture = bag.readPicture(key))
            copy.writePicture(key + "p", *picture);
        if (!(PropertyBag::fromDocument(copy.toDocument()) == copy))
            std::abort();
    }
    (void)extent::sizeOf(bag);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    readEveryKind(PropertyBag::fromDocument(bytes));
    const LayoutFile layout = LayoutFile::fromDocument(bytes);
    for (const QString& name : layout.controls())
        readEveryKind(layout.bag(name));
    if (!(LayoutFile::fromDocument(layout.toDocument()) == layout))
        std::abort();
    return 0;
}
