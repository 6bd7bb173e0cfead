// The display drawn pixel for pixel as the reference renders show it: each
// case is a size and a list of property settings, then one more full
// repaint; pixels outside the window shape are magenta in the reference.
#include "displaytestutil.h"

#include "propertybag.h"

#include <QFile>
#include <QImage>

namespace {

struct RenderCase {
    const char* file;
    int w, h;
    std::vector<std::pair<const char*, const char*>> sets;
    // A stored instance: its bag, loaded before the size is given.
    const char* bag = nullptr;
};

class Renders : public ::testing::TestWithParam<RenderCase> { };

QString describeMismatch(const QImage& got, const QImage& want)
{
    int count = 0;
    QString first;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            if ((got.pixel(x, y) & 0xFFFFFF) != (want.pixel(x, y) & 0xFFFFFF)) {
                if (count++ == 0)
                    first = QStringLiteral("first at (%1,%2): got %3, want %4")
                                .arg(x)
                                .arg(y)
                                .arg(got.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                .arg(want.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
            }
    return QStringLiteral("%1 pixels differ, %2").arg(count).arg(first);
}

TEST_P(Renders, MatchReferencePixelForPixel)
{
    const RenderCase& c = GetParam();
    SegmentDisplay display;
    if (c.bag) {
        QFile file(QStringLiteral(TUVELA_TEST_DATA "/") + QString::fromLatin1(c.bag));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.bag;
        display.ReadProperties(PropertyBag::fromDocument(file.readAll()));
    }
    giveSize(display, c.w, c.h);
    for (const auto& [name, value] : c.sets)
        setText(display, name, value);
    display.RepaintAll();
    const QImage want(QStringLiteral(TUVELA_TEST_DATA "/segdisplay/renders/") + QString::fromLatin1(c.file));
    ASSERT_FALSE(want.isNull()) << c.file;
    const QImage got = surfaceWithinShape(display, 0xFFFF00FF);
    ASSERT_EQ(got.size(), want.size());
    int differing = 0;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            differing += (got.pixel(x, y) & 0xFFFFFF) != (want.pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(differing, 0) << c.file << ": " << describeMismatch(got, want).toStdString();
}

INSTANTIATE_TEST_SUITE_P(SegmentDisplay, Renders,
    ::testing::Values(RenderCase { "defaults.png", 403, 31, {} },
        RenderCase { "outline-rect.png", 403, 31, { { "SegmentFillStyle", "0" }, { "Value", "-3.5E-12" } } },
        RenderCase { "noburnin.png", 403, 31, { { "ShowBurnIn", "False" }, { "Value", "-3.25" } } },
        RenderCase {
            "sep-comma-decimal.png", 403, 31, { { "DecimalSeparator", "0" }, { "Value", "-12.5" } } },
        RenderCase { "grad-90-mid.png", 160, 90,
            { { "NumDigits", "6" }, { "BackAngle", "90" }, { "BackMiddleOut", "True" },
                { "BackColor1", "0x0000FF" }, { "BackColor2", "0xFF8000" } } },
        RenderCase { "seq-sign-change.png", 403, 31, { { "Value", "-12.5" }, { "Value", "12.5" } } },
        RenderCase { "console-25.png", 94, 77, { { "Value", "25" } }, "host/bags/console-mo.json" }),
    [](const ::testing::TestParamInfo<RenderCase>& info) {
        std::string name = info.param.file;
        name = name.substr(0, name.find('.'));
        for (char& ch : name)
            if (ch == '-')
                ch = '_';
        return name;
    });

} // namespace
