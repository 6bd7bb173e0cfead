#include "propertybag.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A whole number inside [lo, hi], or nothing.
std::optional<std::int64_t> wholeInRange(std::optional<double> n, double lo, double hi)
{
    if (!n || *n < lo || *n > hi || std::trunc(*n) != *n)
        return std::nullopt;
    return static_cast<std::int64_t>(*n);
}

template <typename T> std::optional<T> integerOf(std::optional<double> n)
{
    const auto v
        = wholeInRange(n, double(std::numeric_limits<T>::min()), double(std::numeric_limits<T>::max()));
    return v ? std::optional<T>(static_cast<T>(*v)) : std::nullopt;
}

// The strings that stand for the floats JSON has no numbers for.
const QString kNaN = QStringLiteral("NaN");
const QString kInfinity = QStringLiteral("Infinity");
const QString kMinusInfinity = QStringLiteral("-Infinity");

std::optional<float> nonFiniteOf(const QJsonValue& v)
{
    if (v == kNaN)
        return std::numeric_limits<float>::quiet_NaN();
    if (v == kInfinity)
        return std::numeric_limits<float>::infinity();
    if (v == kMinusInfinity)
        return -std::numeric_limits<float>::infinity();
    return std::nullopt;
}

QJsonValue storedFloat(float value)
{
    if (std::isnan(value))
        return kNaN;
    if (std::isinf(value))
        return value > 0 ? kInfinity : kMinusInfinity;
    return double(value);
}

bool sameJson(const QJsonValue& a, const QJsonValue& b);

bool sameObject(const QJsonObject& x, const QJsonObject& y)
{
    if (x.keys() != y.keys())
        return false;
    for (auto it = x.begin(); it != x.end(); ++it)
        if (!sameJson(it.value(), y.value(it.key())))
            return false;
    return true;
}

// JSON values alike, numbers by value at any depth: a number kept in memory
// as a fraction (1e16) is read back from its text as a whole number.
bool sameJson(const QJsonValue& a, const QJsonValue& b)
{
    if (a.isDouble() && b.isDouble())
        return a.toDouble() == b.toDouble();
    if (a.isArray() && b.isArray()) {
        const QJsonArray x = a.toArray(), y = b.toArray();
        return x.size() == y.size() && std::equal(x.begin(), x.end(), y.begin(), sameJson);
    }
    if (a.isObject() && b.isObject())
        return sameObject(a.toObject(), b.toObject());
    return a == b;
}

QByteArray pngOf(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

} // namespace

PropertyBag PropertyBag::fromJson(const QJsonObject& object)
{
    PropertyBag bag;
    for (auto it = object.begin(); it != object.end(); ++it)
        bag.store(it.key(), it.value());
    return bag;
}

PropertyBag PropertyBag::fromDocument(const QByteArray& document, QString* error)
{
    QJsonParseError parse {};
    const QJsonDocument doc = QJsonDocument::fromJson(document, &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        if (error)
            *error = parse.error != QJsonParseError::NoError ? parse.errorString()
                                                             : QStringLiteral("not a JSON object");
        return {};
    }
    return fromJson(doc.object());
}

bool PropertyBag::operator==(const PropertyBag& other) const
{
    return sameObject(m_entries, other.m_entries);
}

QByteArray PropertyBag::toDocument() const
{
    return QJsonDocument(m_entries).toJson(QJsonDocument::Indented);
}

std::optional<double> PropertyBag::number(const QString& key) const
{
    const QJsonValue v = m_entries.value(key.toLower());
    if (!v.isDouble() || !std::isfinite(v.toDouble()))
        return std::nullopt;
    return v.toDouble();
}

std::int32_t PropertyBag::readInt32(const QString& key, std::int32_t def) const
{
    return integerOf<std::int32_t>(number(key)).value_or(def);
}

std::int16_t PropertyBag::readInt16(const QString& key, std::int16_t def) const
{
    return integerOf<std::int16_t>(number(key)).value_or(def);
}

float PropertyBag::readFloat(const QString& key, float def) const
{
    if (const auto special = nonFiniteOf(m_entries.value(key.toLower())))
        return *special;
    const auto n = number(key);
    if (!n || std::fabs(*n) > double(std::numeric_limits<float>::max()))
        return def;
    return static_cast<float>(*n);
}

std::uint32_t PropertyBag::readColour(const QString& key, std::uint32_t def) const
{
    // A negative number names the same 32 bits as its unsigned twin.
    const auto v = wholeInRange(number(key), double(std::numeric_limits<std::int32_t>::min()),
        double(std::numeric_limits<std::uint32_t>::max()));
    return v ? static_cast<std::uint32_t>(*v) : def;
}

bool PropertyBag::readFlag(const QString& key, bool def) const
{
    const QJsonValue v = m_entries.value(key.toLower());
    if (v.isBool())
        return v.toBool();
    const auto n = number(key);
    return n ? *n != 0.0 : def;
}

QString PropertyBag::readText(const QString& key, const QString& def) const
{
    const QJsonValue v = m_entries.value(key.toLower());
    return v.isString() ? v.toString() : def;
}

std::optional<QImage> PropertyBag::readPicture(const QString& key) const
{
    const QJsonValue png = m_entries.value(key.toLower()).toObject().value(QLatin1String("png"));
    if (!png.isString())
        return std::nullopt;
    const auto decoded
        = QByteArray::fromBase64Encoding(png.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    QImage image = QImage::fromData(*decoded, "PNG");
    if (image.isNull())
        return std::nullopt;
    return image;
}

void PropertyBag::writeInt32(const QString& key, std::int32_t value, std::int32_t def)
{
    value == def ? remove(key) : store(key, double(value));
}

void PropertyBag::writeInt16(const QString& key, std::int16_t value, std::int16_t def)
{
    value == def ? remove(key) : store(key, double(value));
}

void PropertyBag::writeFloat(const QString& key, float value, float def)
{
    // NaN equals nothing, not even a NaN default: it is always stored.
    value == def ? remove(key) : store(key, storedFloat(value));
}

void PropertyBag::writeColour(const QString& key, std::uint32_t value, std::uint32_t def)
{
    value == def ? remove(key) : store(key, double(value));
}

void PropertyBag::writeFlag(const QString& key, bool value, bool def)
{
    value == def ? remove(key) : store(key, value ? -1 : 0);
}

void PropertyBag::writeText(const QString& key, const QString& value, const QString& def)
{
    value == def ? remove(key) : store(key, value);
}

void PropertyBag::writePicture(const QString& key, const QImage& picture)
{
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0) {
        remove(key);
        return;
    }
    QJsonObject entry;
    entry.insert(QLatin1String("png"), QString::fromLatin1(pngOf(picture).toBase64()));
    store(key, entry);
}
