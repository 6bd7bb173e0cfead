// Held keys at the main window: the repeat line after a key line, on a clock
// the test moves, and what it does to the display and the setup window.
#include "formfixture.h"
#include "listboxes.h"
#include "mediaplayer.h"

#include "connectionpanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class Form1Held : public FormFixture {
protected:
    Form1& openWithClock(const QStringList& codes)
    {
        Form1& f = open(codes);
        f.setClock([this] { return now; });
        return f;
    }

    // A key held for `holdMs`: its line, then a repeat line every 110 ms.
    void hold(const QString& code, int holdMs)
    {
        key(code);
        for (int t = 110; t <= holdMs; t += 110) {
            now += 110;
            key(QLatin1String(kRepeatCode));
        }
        now += 1000; // let go
    }

    qint64 now = 0;
};

// Held 1 s: the press and the repeats at 440, 550, ..., 990 ms.
TEST_F(Form1Held, VolumeStepsWhileHeldAndTheDisplayShowsTheRepeat)
{
    Form1& f = openWithClock(taught());
    hold(QStringLiteral("K7"), 1000);
    EXPECT_EQ(f.wmp1()->settings.volume(), 50 + 3 * 7);
    EXPECT_EQ(f.txtBarcode()->text(), QLatin1String(kRepeatCode));
    EXPECT_EQ(f.panel()->lblStatus()->text(), QStringLiteral("连接控制器成功！"));
    hold(QStringLiteral("K8"), 300);
    EXPECT_EQ(f.wmp1()->settings.volume(), 50 + 3 * 7 - 3);
    // A held next-song key chooses one song, however long it is held.
    hold(QStringLiteral("K6"), 1000);
    EXPECT_EQ(f.File1()->ListIndex(), 0);
}

TEST_F(Form1Held, TeachingAHeldKeyKeepsItsCode)
{
    Form1& f = openWithClock(taught());
    key(QStringLiteral("X"));
    f.form2()->show();
    f.form2()->Opt(7)->click();
    hold(QStringLiteral("20DF40BF"), 1000);
    EXPECT_EQ(f.form2()->Text7()->text(), QStringLiteral("20DF40BF"));
    EXPECT_EQ(f.form2()->Text1(6)->text(), QStringLiteral("20DF40BF"));
    EXPECT_EQ(f.txtBarcode()->text(), QLatin1String(kRepeatCode));
}

// A receiver whose keys send the repeat code as their own: taught, it is a
// key like any other, and reaches the setup window.
TEST_F(Form1Held, RepeatCodeTaughtAsAKeyIsDispatchedAsOne)
{
    QStringList codes = taught();
    codes[11] = QLatin1String(kRepeatCode); // mute
    Form1& f = openWithClock(codes);
    key(QStringLiteral("K7"));
    now += 500;
    key(QLatin1String(kRepeatCode));
    EXPECT_TRUE(f.wmp1()->settings.mute());
    EXPECT_EQ(f.wmp1()->settings.volume(), 53);
    EXPECT_EQ(f.form2()->Text7()->text(), QLatin1String(kRepeatCode));
}

// The infrared daemon names the held key: only that key's press repeats.
TEST_F(Form1Held, NamedRepeatsRepeatOnlyTheirOwnKey)
{
    Form1& f = openWithClock(taught());
    f.keyText(QStringLiteral("K7"));
    for (const char* held : { "K7", "K7", "K8", "K7", "K7" }) {
        now += 110;
        f.keyHeld(QLatin1String(held));
    }
    EXPECT_EQ(f.wmp1()->settings.volume(), 50 + 3 * 3); // the press, then 440 and 550 ms
    EXPECT_EQ(f.form2()->Text7()->text(), QStringLiteral("K7"));
}

// A key from the daemon while an action's message box is up waits for the
// key before it to finish.
TEST_F(Form1Held, KeyArrivingDuringAnActionRunsAfterIt)
{
    Form1& f = openWithClock(taught());
    f.Drive1()->setDrives({ root, path("gone") }, 0);
    int volumeInsideBox = -1;
    playertest::ModalWatcher watcher([&](QWidget* box) {
        f.keyText(QStringLiteral("K7"));
        volumeInsideBox = f.wmp1()->settings.volume();
        box->close();
    });
    key(QStringLiteral("K2"));
    EXPECT_EQ(volumeInsideBox, 50);
    EXPECT_EQ(f.wmp1()->settings.volume(), 53);
    EXPECT_EQ(f.txtBarcode()->text(), QStringLiteral("K7"));
}

} // namespace
