#pragma once
// A user control's designed properties as a table: each row names a property
// and the field of the control's property struct that holds it. The struct's
// own initialisers are the defaults. From one table a control gets its bag
// reads and writes (defaults omitted), its name lookups and the name its
// setters send with the property-changed notice.
#include "propertybag.h"

#include <QImage>
#include <QMetaType>
#include <QString>

#include <cctype>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <variant>

// A shared picture object. nullptr is "no picture"; a null QImage is an
// empty picture. A control keeps the very object it was given.
using PicturePtr = std::shared_ptr<QImage>;
Q_DECLARE_METATYPE(PicturePtr)

// The stored kinds, in the order of the field types of PropertyMember.
enum class PropertyKind { Float32, Colour, Flag, Int16, Int32, Text, Picture };

template <typename P>
using PropertyMember = std::variant<float P::*, std::uint32_t P::*, bool P::*, std::int16_t P::*,
    std::int32_t P::*, QString P::*, PicturePtr P::*>;

template <typename P> struct PropertyField {
    std::string_view name;
    PropertyMember<P> member;
    PropertyKind kind;
};

// A row of a property table; the kind follows from the field's type.
template <typename P, typename T>
constexpr PropertyField<P> propertyField(std::string_view name, T P::*member)
{
    const PropertyMember<P> m = member;
    return { name, m, static_cast<PropertyKind>(m.index()) };
}

namespace propertyfields {

inline QString keyOf(std::string_view name)
{
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

// The bag's reads and writes for each field type.
inline float read(const PropertyBag& b, const QString& k, float d)
{
    return b.readFloat(k, d);
}
inline std::uint32_t read(const PropertyBag& b, const QString& k, std::uint32_t d)
{
    return b.readColour(k, d);
}
inline bool read(const PropertyBag& b, const QString& k, bool d)
{
    return b.readFlag(k, d);
}
inline std::int16_t read(const PropertyBag& b, const QString& k, std::int16_t d)
{
    return b.readInt16(k, d);
}
inline std::int32_t read(const PropertyBag& b, const QString& k, std::int32_t d)
{
    return b.readInt32(k, d);
}
inline QString read(const PropertyBag& b, const QString& k, const QString& d)
{
    return b.readText(k, d);
}
// No picture at all when none is stored.
inline PicturePtr read(const PropertyBag& b, const QString& k, const PicturePtr&)
{
    auto image = b.readPicture(k);
    return image ? std::make_shared<QImage>(std::move(*image)) : nullptr;
}
inline void write(PropertyBag& b, const QString& k, float v, float d)
{
    b.writeFloat(k, v, d);
}
inline void write(PropertyBag& b, const QString& k, std::uint32_t v, std::uint32_t d)
{
    b.writeColour(k, v, d);
}
inline void write(PropertyBag& b, const QString& k, bool v, bool d)
{
    b.writeFlag(k, v, d);
}
inline void write(PropertyBag& b, const QString& k, std::int16_t v, std::int16_t d)
{
    b.writeInt16(k, v, d);
}
inline void write(PropertyBag& b, const QString& k, std::int32_t v, std::int32_t d)
{
    b.writeInt32(k, v, d);
}
inline void write(PropertyBag& b, const QString& k, const QString& v, const QString& d)
{
    b.writeText(k, v, d);
}
inline void write(PropertyBag& b, const QString& k, const PicturePtr& v, const PicturePtr&)
{
    b.writePicture(k, v ? *v : QImage());
}

// Reads one property into its field; an absent or unreadable entry takes
// the field's value in `defaults`.
template <typename P>
void readField(const PropertyBag& bag, const PropertyField<P>& f, P& p, const P& defaults)
{
    std::visit([&](auto m) { p.*m = read(bag, keyOf(f.name), defaults.*m); }, f.member);
}

// Writes one property; a value equal to its default is not stored.
template <typename P>
void writeField(PropertyBag& bag, const PropertyField<P>& f, const P& p, const P& defaults)
{
    std::visit([&](auto m) { write(bag, keyOf(f.name), p.*m, defaults.*m); }, f.member);
}

inline bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Index of the named row: an exact match first, then one ignoring case.
template <typename Table> std::optional<int> find(const Table& table, std::string_view name)
{
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].name == name)
            return int(i);
    for (size_t i = 0; i < table.size(); ++i)
        if (sameIgnoringCase(table[i].name, name))
            return int(i);
    return std::nullopt;
}

// Index of the row that holds `member`; nothing when no row does.
template <typename Table, typename P, typename T> std::optional<int> find(const Table& table, T P::*member)
{
    const PropertyMember<P> m = member;
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].member == m)
            return int(i);
    return std::nullopt;
}

// The row that holds `member`. A field without a row is a fault in the
// control's table, not something a caller can go on from: the program stops
// with a message instead of reading past the table.
template <typename Table, typename P, typename T> const auto& rowOf(const Table& table, T P::*member)
{
    const std::optional<int> row = find(table, member);
    if (!row)
        qFatal("property table: a field of the control has no row");
    return table[size_t(*row)];
}

} // namespace propertyfields
