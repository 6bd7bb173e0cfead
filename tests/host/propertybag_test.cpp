// Property bag: typed reads and writes, omitted defaults, case-insensitive
// keys, and the conversions of the JSON stored form; the property tables
// controls read and write it through.
#include "propertybag.h"
#include "propertyfields.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

PropertyBag bagOf(const char* json)
{
    return PropertyBag::fromDocument(QByteArray(json));
}

TEST(PropertyBag, WritingTheDefaultStoresNothingAndRemovesAnEarlierEntry)
{
    PropertyBag bag;
    bag.writeInt32("NumDigits", 20, 20);
    bag.writeInt16("BorderWidth", 1, 1);
    bag.writeFloat("BackAngle", 90.0f, 90.0f);
    bag.writeColour("BorderColor", 0xFF0000, 0xFF0000);
    bag.writeFlag("ShowBurnIn", true, true);
    bag.writeText("Value", "1234567890", "1234567890");
    bag.writePicture("Picture", QImage());
    EXPECT_TRUE(bag.isEmpty());

    bag.writeText("Value", "000", "1234567890");
    ASSERT_TRUE(bag.contains("value"));
    bag.writeText("Value", "1234567890", "1234567890");
    EXPECT_FALSE(bag.contains("value"));
}

TEST(PropertyBag, KeysAreStoredLowerCaseAndFoundInAnyCase)
{
    PropertyBag bag;
    bag.writeInt32("SegmentHeight", 20, 8);
    EXPECT_EQ(bag.keys(), QStringList { "segmentheight" });
    EXPECT_EQ(bag.readInt32("SEGMENTHEIGHT", 8), 20);

    const PropertyBag stored = bagOf(R"({"SegmentStyle": 0, "theme": 2})");
    EXPECT_EQ(stored.readInt32("segmentstyle", 2), 0);
    EXPECT_EQ(stored.readInt32("Theme", 5), 2);
    EXPECT_EQ(stored.keys(), (QStringList { "segmentstyle", "theme" }));
}

TEST(PropertyBag, AbsentKeysGiveTheirDefaults)
{
    const PropertyBag bag;
    EXPECT_EQ(bag.readInt32("NumDigits", 20), 20);
    EXPECT_EQ(bag.readInt16("BorderWidth", 1), 1);
    EXPECT_FLOAT_EQ(bag.readFloat("BackAngle", 90.0f), 90.0f);
    EXPECT_EQ(bag.readColour("BackColor", 0x80000012u), 0x80000012u);
    EXPECT_TRUE(bag.readFlag("ShowExponent", true));
    EXPECT_EQ(bag.readText("Value", "1234567890"), "1234567890");
    EXPECT_FALSE(bag.readPicture("Picture").has_value());
}

TEST(PropertyBag, EveryKindSurvivesTheStoredForm)
{
    PropertyBag bag;
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 255));
    picture.setPixel(2, 1, qRgba(200, 100, 0, 255));
    bag.writeInt32("NumDigits", -7, 20);
    bag.writeInt16("BorderWidth", -32768, 1);
    bag.writeFloat("BackAngle", 0.1f, 90.0f);
    bag.writeColour("BackColor", 0x80000012u, 0);
    bag.writeFlag("ShowBurnIn", false, true);
    bag.writeText("Value", QString::fromUtf8("超温 -1.5E3"), "1234567890");
    bag.writePicture("Picture", picture);

    const PropertyBag back = PropertyBag::fromDocument(bag.toDocument());
    EXPECT_EQ(back, bag);
    EXPECT_EQ(back.readInt32("NumDigits", 20), -7);
    EXPECT_EQ(back.readInt16("BorderWidth", 1), -32768);
    EXPECT_EQ(back.readFloat("BackAngle", 90.0f), 0.1f);
    EXPECT_EQ(back.readColour("BackColor", 0), 0x80000012u);
    EXPECT_FALSE(back.readFlag("ShowBurnIn", true));
    EXPECT_EQ(back.readText("Value", ""), QString::fromUtf8("超温 -1.5E3"));
    const auto image = back.readPicture("Picture");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->convertToFormat(QImage::Format_ARGB32), picture);
}

TEST(PropertyBag, StoredFormUsesUnsignedColoursMinusOneFlagsAndPngObjects)
{
    PropertyBag bag;
    bag.writeColour("BackColor", 0x80000012u, 0);
    bag.writeFlag("ShowThousandsSeparator", true, false);
    QImage picture(1, 1, QImage::Format_RGB32);
    picture.fill(Qt::red);
    bag.writePicture("Picture", picture);
    const QJsonObject json = bag.toJson();
    EXPECT_EQ(json.value("backcolor").toDouble(), 2147483666.0);
    EXPECT_EQ(json.value("showthousandsseparator").toInt(), -1);
    EXPECT_TRUE(json.value("picture").toObject().value("png").isString());
}

TEST(PropertyBag, FlagsAndColoursReadTheWaysTheyMayBeStored)
{
    const PropertyBag bag = bagOf(R"({"a": 1, "b": 0, "c": true, "d": false, "e": -2,
                                      "neg": -2147483630, "big": 4294967295})");
    EXPECT_TRUE(bag.readFlag("a", false));
    EXPECT_FALSE(bag.readFlag("b", true));
    EXPECT_TRUE(bag.readFlag("c", false));
    EXPECT_FALSE(bag.readFlag("d", true));
    EXPECT_TRUE(bag.readFlag("e", false));
    EXPECT_EQ(bag.readColour("neg", 0), 0x80000012u);
    EXPECT_EQ(bag.readColour("big", 0), 0xFFFFFFFFu);
}

struct WrongEntry {
    const char* json;
};

class WrongKindOrRange : public ::testing::TestWithParam<WrongEntry> { };

// Each stored value below cannot be the kind asked for, or lies outside its
// range: every read falls back to its default instead of inventing a value.
TEST_P(WrongKindOrRange, EntryTakesItsDefault)
{
    const PropertyBag bag = bagOf(GetParam().json);
    EXPECT_EQ(bag.readInt32("k", 20), 20);
    EXPECT_EQ(bag.readInt16("k", 1), 1);
    EXPECT_EQ(bag.readColour("k", 0x505000u), 0x505000u);
    EXPECT_FALSE(bag.readPicture("k").has_value());
}

INSTANTIATE_TEST_SUITE_P(PropertyBag, WrongKindOrRange,
    ::testing::Values(WrongEntry { R"({"k": "twenty"})" }, WrongEntry { R"({"k": null})" },
        WrongEntry { R"({"k": [1, 2]})" }, WrongEntry { R"({"k": 2.5})" }, WrongEntry { R"({"k": 1e300})" },
        WrongEntry { R"({"k": -1e12})" }, WrongEntry { R"({"k": {"png": "not base64 !"}})" },
        WrongEntry { R"({"k": {"png": "aGVsbG8="}})" }, WrongEntry { R"({"k": {"jpeg": ""}})" }));

TEST(PropertyBag, RangeLimitsOfTheSmallerKinds)
{
    const PropertyBag bag = bagOf(R"({"w": 40000, "f": 1e39, "t": 25, "i": 2147483648})");
    EXPECT_EQ(bag.readInt16("w", 1), 1);
    EXPECT_EQ(bag.readInt32("w", 1), 40000);
    EXPECT_EQ(bag.readFloat("f", 90.0f), 90.0f);
    EXPECT_EQ(bag.readText("t", "x"), "x");
    EXPECT_EQ(bag.readInt32("i", 3), 3);
    EXPECT_EQ(bag.readColour("i", 3), 2147483648u);
}

TEST(PropertyBag, CorruptDocumentGivesAnEmptyBagAndAReason)
{
    for (const char* doc : { "", "{", "[1,2]", "\"text\"", "{\"a\": }" }) {
        QString error;
        const PropertyBag bag = PropertyBag::fromDocument(QByteArray(doc), &error);
        EXPECT_TRUE(bag.isEmpty()) << doc;
        EXPECT_FALSE(error.isEmpty()) << doc;
    }
}

// JSON has no number for NaN or the infinities: they are stored as strings
// and read back as themselves. Whole floats beyond 2^53 are written as whole
// numbers and must still compare equal to the fractions kept in memory.
TEST(PropertyBag, EveryFloatRoundTripsThroughTheStoredForm)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (const float value : { std::numeric_limits<float>::quiet_NaN(), inf, -inf, 1e16f, -3e38f, 0.1f }) {
        PropertyBag bag;
        bag.writeFloat("BackAngle", value, 90.0f);
        ASSERT_TRUE(bag.contains("backangle")) << value;
        const PropertyBag back = PropertyBag::fromDocument(bag.toDocument());
        EXPECT_EQ(back, bag) << value;
        const float read = back.readFloat("BackAngle", 90.0f);
        EXPECT_TRUE(read == value || (std::isnan(read) && std::isnan(value))) << value;
    }
    EXPECT_EQ(bagOf(R"({"k": "-Infinity"})").readFloat("k", 90.0f), -inf);
    EXPECT_EQ(bagOf(R"({"k": "-Infinity"})").readInt32("k", 5), 5);
    EXPECT_EQ(bagOf(R"({"k": "nan"})").readFloat("k", 90.0f), 90.0f);
}

TEST(PropertyBag, NumbersCompareByValueAtAnyDepth)
{
    for (const char* doc : { R"({"a": 1e16})", R"({"a": [1.0, 1e16, {"b": 10000000272564224.5}]})" }) {
        const PropertyBag bag = bagOf(doc);
        EXPECT_EQ(PropertyBag::fromDocument(bag.toDocument()), bag) << doc;
    }
    PropertyBag big;
    big.writeFloat("a", 1e16f, 0);
    EXPECT_EQ(PropertyBag::fromDocument(big.toDocument()), big);
    EXPECT_FALSE(bagOf(R"({"a": 1})") == bagOf(R"({"a": 2})"));
    EXPECT_FALSE(bagOf(R"({"a": [1]})") == bagOf(R"({"a": [1, 1]})"));
    EXPECT_FALSE(bagOf(R"({"a": {"b": 1}})") == bagOf(R"({"a": {"c": 1}})"));
    EXPECT_FALSE(bagOf(R"({"a": 1})") == bagOf(R"({"a": "1"})"));
}

struct Fields {
    float angle = 90.0f;
    std::uint32_t colour = 0x80000012u;
    bool flag = true;
    std::int16_t small = 1;
    std::int32_t count = 20;
    QString text = "x";
    PicturePtr picture;
};

constexpr std::array<PropertyField<Fields>, 7> kFields { {
    propertyField("Angle", &Fields::angle),
    propertyField("Colour", &Fields::colour),
    propertyField("Flag", &Fields::flag),
    propertyField("Small", &Fields::small),
    propertyField("Count", &Fields::count),
    propertyField("Text", &Fields::text),
    propertyField("Picture", &Fields::picture),
} };

TEST(PropertyFields, OneTableNamesKindsReadsAndWritesEveryField)
{
    EXPECT_EQ(kFields[1].kind, PropertyKind::Colour);
    EXPECT_EQ(kFields[6].kind, PropertyKind::Picture);
    EXPECT_EQ(propertyfields::find(kFields, "count"), 4);
    EXPECT_EQ(propertyfields::find(kFields, "Nothing"), std::nullopt);
    EXPECT_EQ(propertyfields::find(kFields, &Fields::text), 5);
    EXPECT_EQ(propertyfields::rowOf(kFields, &Fields::count).name, "Count");

    const Fields defaults;
    PropertyBag empty;
    for (const auto& f : kFields)
        propertyfields::writeField(empty, f, defaults, defaults);
    EXPECT_TRUE(empty.isEmpty());

    Fields changed { -1.5f, 0x123456u, false, -3, 7, "y",
        std::make_shared<QImage>(2, 2, QImage::Format_RGB32) };
    changed.picture->fill(Qt::red);
    PropertyBag bag;
    for (const auto& f : kFields)
        propertyfields::writeField(bag, f, changed, defaults);
    EXPECT_EQ(bag.size(), 7);
    Fields back;
    for (const auto& f : kFields)
        propertyfields::readField(PropertyBag::fromDocument(bag.toDocument()), f, back, defaults);
    EXPECT_EQ(back.angle, -1.5f);
    EXPECT_EQ(back.colour, 0x123456u);
    EXPECT_FALSE(back.flag);
    EXPECT_EQ(back.small, -3);
    EXPECT_EQ(back.count, 7);
    EXPECT_EQ(back.text, "y");
    ASSERT_NE(back.picture, nullptr);
    EXPECT_EQ(back.picture->pixel(1, 1), QColor(Qt::red).rgb());
}

// A setter whose field has no row stops the program instead of reading past
// the end of the table.
TEST(PropertyFieldsDeathTest, FieldWithoutARowStopsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    constexpr std::array<PropertyField<Fields>, 1> partial { { propertyField("Angle", &Fields::angle) } };
    EXPECT_EQ(propertyfields::find(partial, &Fields::count), std::nullopt);
    EXPECT_DEATH(propertyfields::rowOf(partial, &Fields::count), "has no row");
}

} // namespace
