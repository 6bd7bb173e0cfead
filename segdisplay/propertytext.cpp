#include "propertytext.h"

#include "segmentdisplay.h"

#include <cmath>
#include <limits>

namespace {

std::optional<qint64> parseInteger(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    qint64 v = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = qint64(t.mid(2).toULongLong(&ok, 16));
    else if (t.startsWith(QLatin1String("-0x"), Qt::CaseInsensitive))
        v = -qint64(t.mid(3).toULongLong(&ok, 16));
    else
        v = t.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<QVariant> parseInRange(const QString& text, qint64 lo, qint64 hi)
{
    const auto v = parseInteger(text);
    if (!v || *v < lo || *v > hi)
        return std::nullopt;
    return QVariant::fromValue(*v);
}

std::optional<QVariant> parseFlag(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return QVariant(true);
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return QVariant(false);
    const auto v = parseInteger(t);
    if (!v)
        return std::nullopt;
    return QVariant(*v != 0);
}

std::optional<QVariant> parsePicture(const QString& text)
{
    if (text.isEmpty())
        return QVariant::fromValue(std::make_shared<QImage>());
    QImage image(text);
    if (image.isNull())
        return std::nullopt;
    return QVariant::fromValue(std::make_shared<QImage>(std::move(image)));
}

} // namespace

std::optional<QVariant> parsePropertyValue(PropertyKind kind, const QString& text)
{
    switch (kind) {
    case PropertyKind::Float32: {
        bool ok = false;
        const float v = text.trimmed().toFloat(&ok);
        return ok ? std::optional<QVariant>(QVariant(v)) : std::nullopt;
    }
    case PropertyKind::Int32:
        return parseInRange(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    case PropertyKind::Int16:
        return parseInRange(text, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    case PropertyKind::Colour: {
        // A negative number stands for the same 32 bits.
        const auto v
            = parseInRange(text, std::numeric_limits<qint32>::min(), std::numeric_limits<quint32>::max());
        return v ? std::optional<QVariant>(QVariant(uint(quint32(v->toLongLong())))) : std::nullopt;
    }
    case PropertyKind::Flag:
        return parseFlag(text);
    case PropertyKind::Text:
        return QVariant(text);
    case PropertyKind::Picture:
        return parsePicture(text);
    }
    return std::nullopt;
}

bool setPropertyFromText(SegmentDisplay& display, const QString& name, const QString& text, QString* error)
{
    const QByteArray key = name.toLatin1();
    const auto index = findDisplayProperty(std::string_view(key.constData(), size_t(key.size())));
    if (!index) {
        if (error)
            *error = QStringLiteral("unknown property: %1").arg(name);
        return false;
    }
    const PropertyInfo& info = kDisplayProperties[size_t(*index)];
    const auto value = parsePropertyValue(info.kind, text);
    const QByteArray exact(info.name.data(), qsizetype(info.name.size()));
    if (!value || !display.setProperty(exact.constData(), *value)) {
        if (error)
            *error = QStringLiteral("value not accepted for %1: %2").arg(name, text);
        return false;
    }
    return true;
}

QImage surfaceWithinShape(const SegmentDisplay& display, QRgb outside)
{
    QImage out = display.surfaceImage().convertToFormat(QImage::Format_ARGB32);
    QImage inside(out.size(), QImage::Format_Mono);
    inside.fill(0);
    display.windowShape().forEachSpan([&](int y, int x0, int x1) {
        if (y < 0 || y >= out.height())
            return;
        for (int x = std::max(x0, 0); x < std::min(x1, out.width()); ++x)
            inside.setPixel(x, y, 1);
    });
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (inside.pixelIndex(x, y) == 0)
                line[x] = outside;
    }
    return out;
}
