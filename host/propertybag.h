#pragma once
// A control instance's property bag: named, typed values that a control writes
// when its window is saved and reads back when the window is created again.
//
// Keys are compared without regard to case and kept in lower case. Every read
// names a default that an absent key (or an entry that cannot be converted to
// the asked kind) yields; every write names a default, and a value equal to it
// is not stored at all: writing it removes an earlier entry under that key.
#include <QImage>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class PropertyBag {
public:
    PropertyBag() = default;

    // Stored form: one JSON object. Numbers for the numeric kinds, colours as
    // the unsigned value of the 32-bit reference, flags as -1 and 0, texts as
    // strings, a picture as {"png": "<base64>"}. A float JSON cannot hold is
    // the string "NaN", "Infinity" or "-Infinity". Keys are lower-cased on the
    // way in; entries are kept as they are and converted only when read.
    static PropertyBag fromJson(const QJsonObject& object);
    QJsonObject toJson() const { return m_entries; }

    // Parses a stored document. A document that is not a JSON object gives an
    // empty bag and, when asked for, a readable reason.
    static PropertyBag fromDocument(const QByteArray& document, QString* error = nullptr);
    QByteArray toDocument() const;

    std::int32_t readInt32(const QString& key, std::int32_t def) const;
    std::int16_t readInt16(const QString& key, std::int16_t def) const;
    float readFloat(const QString& key, float def) const;
    std::uint32_t readColour(const QString& key, std::uint32_t def) const;
    bool readFlag(const QString& key, bool def) const;
    QString readText(const QString& key, const QString& def) const;
    // No picture when the key is absent or its entry holds no readable PNG.
    std::optional<QImage> readPicture(const QString& key) const;

    void writeInt32(const QString& key, std::int32_t value, std::int32_t def);
    void writeInt16(const QString& key, std::int16_t value, std::int16_t def);
    // NaN and the infinities are stored as their strings, so they come back.
    void writeFloat(const QString& key, float value, float def);
    void writeColour(const QString& key, std::uint32_t value, std::uint32_t def);
    void writeFlag(const QString& key, bool value, bool def);
    void writeText(const QString& key, const QString& value, const QString& def);
    // The default is "no picture": a null image, or one without pixels, stores
    // nothing.
    void writePicture(const QString& key, const QImage& picture);

    bool contains(const QString& key) const { return m_entries.contains(key.toLower()); }
    void remove(const QString& key) { m_entries.remove(key.toLower()); }
    QStringList keys() const { return m_entries.keys(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    qsizetype size() const { return m_entries.size(); }

    // Same keys holding the same values; numbers compare by value, so one
    // written as a fraction equals the same number read back as a whole one.
    bool operator==(const PropertyBag& other) const;

private:
    void store(const QString& key, const QJsonValue& value) { m_entries.insert(key.toLower(), value); }
    std::optional<double> number(const QString& key) const;

    QJsonObject m_entries;
};
