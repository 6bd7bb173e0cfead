// Layout files: one bag per control, host size entries, corrupt files named
// in the message, and saves that never leave half a file.
#include "layoutfile.h"
#include "usercontrol.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(LayoutFile, SavesAndLoadsEveryControlsBag)
{
    QTemporaryDir dir;
    LayoutFile layout;
    PropertyBag mo;
    mo.writeInt32("NumDigits", 2, 20);
    mo.writeText("Value", "000", "1234567890");
    extent::store(mo, QSize(94, 77));
    PropertyBag chart;
    chart.writeInt32("Max", 99, 100);
    layout.setBag("Mo", mo);
    layout.setBag("ucHistogram1", chart);

    const QString path = dir.filePath("frmMain.json");
    QString error;
    ASSERT_TRUE(layout.save(path, &error)) << error.toStdString();
    LayoutFile back;
    ASSERT_TRUE(back.load(path, &error)) << error.toStdString();
    EXPECT_EQ(back, layout);
    EXPECT_EQ(back.controls(), (QStringList { "Mo", "ucHistogram1" }));
    EXPECT_EQ(back.bag("Mo").readInt32("_extentx", 0), 2487);
    EXPECT_EQ(back.bag("Mo").readInt32("_extenty", 0), 2037);
    EXPECT_TRUE(back.bag("nobody").isEmpty());
}

TEST(LayoutFile, CorruptOrMissingFileIsReportedWithItsPath)
{
    QTemporaryDir dir;
    const QString corrupt = dir.filePath("broken.json");
    writeFile(corrupt, "{\"Mo\": {\"numdigits\": 2");
    LayoutFile layout;
    layout.setBag("stale", PropertyBag());
    QString error;
    EXPECT_FALSE(layout.load(corrupt, &error));
    EXPECT_TRUE(error.contains(corrupt)) << error.toStdString();
    EXPECT_TRUE(layout.controls().isEmpty());

    const QString missing = dir.filePath("missing.json");
    EXPECT_FALSE(layout.load(missing, &error));
    EXPECT_TRUE(error.contains(missing));
}

TEST(LayoutFile, AControlEntryThatIsNotAnObjectComesUpWithDefaults)
{
    const LayoutFile layout = LayoutFile::fromDocument(R"({"Mo": 5, "ucHistogram1": {"max": 99}})");
    EXPECT_TRUE(layout.contains("Mo"));
    EXPECT_TRUE(layout.bag("Mo").isEmpty());
    EXPECT_EQ(layout.bag("ucHistogram1").readInt32("Max", 100), 99);
}

TEST(LayoutFile, FailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/none/frmMain.json");
    QString error;
    EXPECT_FALSE(LayoutFile().save(path, &error));
    EXPECT_TRUE(error.contains(path));
}

TEST(Extent, ConvertsBetweenPixelsAndHundredthsOfAMillimetre)
{
    PropertyBag bag;
    EXPECT_FALSE(extent::sizeOf(bag).has_value());
    extent::store(bag, QSize(94, 77));
    EXPECT_EQ(extent::sizeOf(bag), QSize(94, 77));
    for (const char* json : { R"({"_extentx": 0, "_extenty": 100})",
             R"({"_extentx": 2147483647, "_extenty": 100})", R"({"_extentx": "wide", "_extenty": 100})" })
        EXPECT_FALSE(extent::sizeOf(PropertyBag::fromDocument(json)).has_value()) << json;
}

class Probe : public UserControl {
public:
    int number = 0;
    int resizes = 0;
    void resizeEvent(QResizeEvent*) override { ++resizes; }
    void InitProperties() override { number = 7; }
    void ReadProperties(const PropertyBag& bag) override { number = bag.readInt32("Number", 7); }
    void WriteProperties(PropertyBag& bag) const override { bag.writeInt32("Number", number, 7); }
    void set(int n)
    {
        number = n;
        PropertyChanged("Number");
    }
};

TEST(UserControl, RestoresPropertiesAndSizeAndStoresThemBack)
{
    Probe probe;
    QStringList notices;
    QObject::connect(&probe, &UserControl::propertyChanged, [&](const QString& n) { notices << n; });
    PropertyBag bag;
    bag.writeInt32("number", 3, 7);
    extent::store(bag, QSize(120, 40));
    probe.restore(bag);
    EXPECT_EQ(probe.number, 3);
    EXPECT_EQ(probe.size(), QSize(120, 40));
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(probe.store(), bag);
    probe.set(7);
    EXPECT_EQ(notices, QStringList { "Number" });
    EXPECT_FALSE(probe.store().contains("number"));
}

// A hidden control handles a new size at once, as a shown one would; asked
// to, it handles the size it already has too.
TEST(UserControl, HiddenControlHearsOfItsSizeAtOnce)
{
    Probe probe;
    probe.giveSize(QSize(120, 40));
    EXPECT_EQ(probe.resizes, 1);
    probe.giveSize(QSize(120, 40));
    EXPECT_EQ(probe.resizes, 1);
    probe.giveSize(QSize(120, 40), UserControl::SizeNotice::Always);
    EXPECT_EQ(probe.resizes, 2);
    EXPECT_EQ(probe.size(), QSize(120, 40));
}

} // namespace
