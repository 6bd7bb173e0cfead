// The property interface: defaults, read-back by name, documentation
// strings, and what each setter tells the host and redraws.
#include "displaytestutil.h"
#include "propertytable.h"

#include <QMetaProperty>

namespace {

QVariant byName(const SegmentDisplay& d, std::string_view name)
{
    return d.property(std::string(name).c_str());
}

TEST(Properties, NewInstanceReadsBackTheDefaultsInInterfaceOrder)
{
    SegmentDisplay d;
    const QMetaObject& meta = SegmentDisplay::staticMetaObject;
    for (int i = 0; i < kPropertyCount; ++i) {
        const PropertyInfo& info = kDisplayProperties[size_t(i)];
        const QMetaProperty mp = meta.property(meta.propertyOffset() + i);
        EXPECT_EQ(std::string_view(mp.name()), info.name) << "interface order at " << i;
        const QVariant v = byName(d, info.name);
        ASSERT_TRUE(v.isValid()) << info.name;
        switch (info.kind) {
        case PropertyKind::Text:
            EXPECT_EQ(v.toString().toStdString(), info.defaultText);
            break;
        case PropertyKind::Picture:
            ASSERT_TRUE(v.value<PicturePtr>()) << "a new instance holds an empty picture";
            EXPECT_TRUE(v.value<PicturePtr>()->isNull());
            break;
        case PropertyKind::Flag:
            EXPECT_EQ(v.toBool(), info.defaultNumber != 0) << info.name;
            break;
        default:
            EXPECT_EQ(v.toDouble(), info.defaultNumber) << info.name;
        }
    }
    EXPECT_EQ(d.Value(), QStringLiteral("1234567890"));
    EXPECT_EQ(d.BackAngle(), 90.0f);
    EXPECT_EQ(d.Theme(), 5);
}

TEST(Properties, DocumentationStringsKeepTheirExactText)
{
    const auto doc
        = [](std::string_view name) { return kDisplayProperties[size_t(*findDisplayProperty(name))].doc; };
    EXPECT_EQ(doc("ShowBurnIn"),
        "If True, unlit segments are displayed with a faint \"burn-in' color to simulate a physical LED/LCD "
        "display.");
    EXPECT_EQ(doc("ShowExponent"),
        "If True, an exponent is shown.  Set to False when using control as a simple counter.");
    EXPECT_NE(doc("BurnInColor").find("segments.  If"), std::string_view::npos);
    for (const PropertyInfo& info : kDisplayProperties)
        EXPECT_FALSE(info.doc.empty()) << info.name;
    EXPECT_EQ(findDisplayProperty("numdigits"), findDisplayProperty("NumDigits"));
    EXPECT_FALSE(findDisplayProperty("NoSuchThing"));
}

TEST(Properties, ValuesAreStoredUncheckedAndReadBack)
{
    auto d = sizedDisplay();
    d->setNumDigits(1000000);
    d->setSegmentHeight(-3);
    d->setBorderWidth(32767);
    d->setBackColor1(0x80000012u);
    d->setBackAngle(-725.5f);
    EXPECT_EQ(d->NumDigits(), 1000000);
    EXPECT_EQ(d->SegmentHeight(), -3);
    EXPECT_EQ(d->BorderWidth(), 32767);
    EXPECT_EQ(d->BackColor1(), 0x80000012u); // the reference, not the resolved colour
    EXPECT_EQ(d->BackAngle(), -725.5f);
}

TEST(Properties, ValueReadsBackNormalised)
{
    auto d = sizedDisplay();
    d->setValue(QStringLiteral(".25"));
    EXPECT_EQ(d->Value(), QStringLiteral("0.25"));
    d->setValue(QStringLiteral("1.5e-3"));
    EXPECT_EQ(d->Value(), QStringLiteral("1.5E-3"));
    d->setValue(QStringLiteral("abc"));
    EXPECT_EQ(d->property("Value").toString(), QStringLiteral("ABC"));
}

TEST(Properties, PictureIsTheVerySameObject)
{
    auto d = sizedDisplay(40, 20);
    auto picture = std::make_shared<QImage>(8, 8, QImage::Format_RGB32);
    picture->fill(Qt::red);
    d->setPicture(picture);
    EXPECT_EQ(d->Picture().get(), picture.get());
    EXPECT_EQ(d->property("Picture").value<PicturePtr>().get(), picture.get());
}

// Which operations a setter ran, seen through the counters.
struct Ran {
    int rebuilds, gradients, repaintAlls;
    bool allCells;
};

Ran runSetter(const char* name, const char* value)
{
    auto d = sizedDisplay();
    const DrawCounters before = d->counters();
    setText(*d, name, value);
    const DrawCounters& after = d->counters();
    return { after.rebuilds - before.rebuilds, after.gradientBuilds - before.gradientBuilds,
        after.repaintAlls - before.repaintAlls, after.cellPaints - before.cellPaints >= 24 };
}

TEST(Properties, EachSetterRunsTheOperationsOfItsRow)
{
    struct Case {
        const char* name;
        const char* value;
        Ran want;
    };
    // A rebuild builds the gradient once itself.
    const Case cases[] = {
        { "BackAngle", "45", { 0, 1, 1, true } },
        { "BackMiddleOut", "False", { 0, 1, 1, true } },
        { "BackColor1", "255", { 0, 1, 1, true } },
        { "BorderColor", "255", { 0, 0, 1, true } },
        { "BorderWidth", "2", { 0, 0, 1, true } },
        { "CurveTopLeft", "5", { 0, 0, 1, true } },
        { "BurnInColor", "255", { 1, 1, 0, true } },
        { "NumDigits", "8", { 1, 1, 0, false } }, // eight cells: fewer than 24 paints
        { "SegmentHeight", "9", { 1, 1, 0, true } },
        { "ThousandsGrouping", "2", { 0, 0, 0, true } },
        { "ThousandsSeparator", "1", { 1, 1, 0, true } },
        { "Theme", "0", { 1, 1, 1, true } },
    };
    for (const Case& c : cases) {
        const Ran r = runSetter(c.name, c.value);
        EXPECT_EQ(r.rebuilds, c.want.rebuilds) << c.name;
        EXPECT_EQ(r.gradients, c.want.gradients) << c.name;
        EXPECT_EQ(r.repaintAlls, c.want.repaintAlls) << c.name;
        EXPECT_EQ(r.allCells, c.want.allCells) << c.name;
    }
}

// The notice and the redraw in order: the notice handler sees the surface
// as it was before or after the redraw.
TEST(Properties, NoticeComesFirstExceptForThousandsSeparatorAndValue)
{
    struct Case {
        const char* name;
        const char* value;
        bool noticeAfterRedraw;
    };
    for (const Case& c : { Case { "SegmentLitColor", "255", false }, Case { "BorderWidth", "3", false },
             Case { "ThousandsSeparator", "1", true }, Case { "Value", "77", true } }) {
        auto d = sizedDisplay();
        int paintsAtNotice = -1;
        QStringList names;
        QObject::connect(d.get(), &SegmentDisplay::propertyChanged, [&](const QString& name) {
            names << name;
            paintsAtNotice = d->counters().cellPaints;
        });
        const int before = d->counters().cellPaints;
        setText(*d, c.name, c.value);
        EXPECT_EQ(names, QStringList { QString::fromLatin1(c.name) });
        EXPECT_EQ(paintsAtNotice > before, c.noticeAfterRedraw) << c.name;
    }
}

TEST(Properties, PictureSetterCapturesThePaintedPicture)
{
    auto d = sizedDisplay(60, 40);
    QStringList names;
    QObject::connect(d.get(), &SegmentDisplay::propertyChanged, [&names](const QString& n) { names << n; });
    auto picture = std::make_shared<QImage>(60, 40, QImage::Format_RGB32);
    picture->fill(QColor(10, 200, 30));
    d->setPicture(picture);
    EXPECT_EQ(names, QStringList { QStringLiteral("Picture") });
    // Erasing restores the picture (border included), not the gradient.
    EXPECT_EQ(d->counters().rebuilds, 2);
    d->setShowBurnIn(false);
    d->setValue(QStringLiteral(" "));
    EXPECT_EQ(pixelAt(*d, 20, 15), 0x0AC81Eu);
    EXPECT_EQ(pixelAt(*d, 0, 0), 0x0000FFu);
}

} // namespace
