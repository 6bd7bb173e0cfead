// The key-code setup window: its three states, teaching and saving.
#include "form2.h"
#include "formfixture.h"
#include "mediaplayer.h"

#include "inifile.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using SetupWindow = FormFixture;

QString stored(int n)
{
    return GetFromINI(
        QStringLiteral("IRCODE"), QStringLiteral("KEYCODE%1").arg(n), playertest::context().settingsPath);
}

QStringList rows(const Form2& w)
{
    QStringList texts;
    for (int i = 0; i < 12; ++i)
        texts << w.Text1(i)->text();
    return texts;
}

TEST_F(SetupWindow, ReceivedLineLoadsItHiddenWithoutTeachingARow)
{
    Form1& f = open();
    ASSERT_EQ(f.form2(), nullptr);
    key(QStringLiteral("X1"));
    ASSERT_NE(f.form2(), nullptr);
    EXPECT_FALSE(f.form2()->isVisible());
    EXPECT_TRUE(f.form2()->Opt(1)->isChecked());
    EXPECT_EQ(f.form2()->Text7()->text(), QStringLiteral("X1"));
    key(QStringLiteral("X2"));
    EXPECT_EQ(f.form2()->Text7()->text(), QStringLiteral("X2"));
    EXPECT_EQ(rows(*f.form2()), QStringList(12, QString()));
}

// The evening with the remote: all twelve keys taught, the volume key pressed
// in normal use, then row 8 taught anew and saved. Row 1 keeps its code.
TEST_F(SetupWindow, KeysPressedInNormalUseNeverReachTheSavedRows)
{
    Form1& f = open(taught());
    key(QStringLiteral("K7"));
    Form2* hidden = f.form2();
    QStringList shown;
    playertest::ModalWatcher watcher([&](QWidget* w) {
        auto* setup = qobject_cast<Form2*>(w);
        if (!setup)
            return;
        EXPECT_EQ(setup, hidden);
        EXPECT_EQ(setup->Text7()->text(), QStringLiteral("K7"));
        EXPECT_TRUE(setup->Opt(1)->isChecked());
        shown = rows(*setup);
        setup->Opt(8)->click();
        key(QStringLiteral("V-NEW"));
        setup->Command1()->click(); // the success box is answered below
        setup->Command2()->click();
    });
    playertest::ModalWatcher boxes;
    f.Command1_Click();
    EXPECT_EQ(shown, taught());
    EXPECT_EQ(f.form2(), nullptr);
    QStringList expected = taught();
    expected[7] = QStringLiteral("V-NEW");
    form = loadWindow<Form1>(playertest::context());
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(stored(n), expected.at(n - 1)) << n;
        EXPECT_EQ(form->keyTable().code(n), expected.at(n - 1)) << n;
    }
}

// Codes saved elsewhere (another copy of the program, a hand edit) since the
// window was loaded show when it is shown.
TEST_F(SetupWindow, EachShowingReadsTheStoredCodes)
{
    Form1& f = open();
    key(QStringLiteral("X1"));
    playertest::writeKeyCodes(taught());
    QStringList shown;
    playertest::ModalWatcher watcher([&](QWidget* w) {
        if (auto* setup = qobject_cast<Form2*>(w)) {
            shown = rows(*setup);
            setup->Command2()->click();
        }
    });
    f.Command1_Click();
    EXPECT_EQ(shown, taught());
}

TEST_F(SetupWindow, CancelUnloadsAndTheNextLineLoadsItAfresh)
{
    Form1& f = open();
    key(QStringLiteral("X1"));
    playertest::ModalWatcher watcher([&](QWidget* w) {
        auto* setup = qobject_cast<Form2*>(w);
        ASSERT_NE(setup, nullptr);
        EXPECT_EQ(setup->windowTitle(), QStringLiteral("遥控键值设置"));
        setup->Opt(3)->click();
        setup->Command2()->click();
    });
    f.Command1_Click();
    EXPECT_EQ(f.form2(), nullptr);
    key(QStringLiteral("X2"));
    EXPECT_TRUE(f.form2()->Opt(1)->isChecked());
    EXPECT_EQ(f.form2()->Text7()->text(), QStringLiteral("X2"));
}

TEST_F(SetupWindow, KeysAreTaughtAndActWhileTheWindowIsModal)
{
    Form1& f = open(taught());
    QStringList seen;
    playertest::ModalWatcher watcher([&](QWidget* w) {
        auto* setup = qobject_cast<Form2*>(w);
        ASSERT_NE(setup, nullptr);
        setup->Opt(7)->click();
        key(QStringLiteral("K7")); // already the volume-up code
        seen = rows(*setup);
        setup->close(); // the close box unloads it too
    });
    f.Command1_Click();
    QStringList expected = taught();
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(f.wmp1()->settings.volume(), 53);
    EXPECT_EQ(f.form2(), nullptr);
}

TEST_F(SetupWindow, TeachingOneRowOnlyChangesThatRow)
{
    Form2 w(playertest::context().settingsPath);
    w.Form_Load();
    w.show();
    w.Opt(7)->click();
    w.Text7()->setText(QStringLiteral("V+"));
    QStringList expected(12, QString());
    expected[6] = QStringLiteral("V+");
    EXPECT_EQ(rows(w), expected);
}

TEST_F(SetupWindow, SameKeyAgainTeachesTheNewlySelectedRow)
{
    Form1& f = open();
    key(QStringLiteral("--"));
    f.form2()->show();
    key(QStringLiteral("AA"));
    f.form2()->Opt(4)->click();
    key(QStringLiteral("AA"));
    EXPECT_EQ(f.form2()->Text1(0)->text(), QStringLiteral("AA"));
    EXPECT_EQ(f.form2()->Text1(3)->text(), QStringLiteral("AA"));
    EXPECT_TRUE(f.form2()->Text1(1)->text().isEmpty());
}

TEST_F(SetupWindow, SaveWritesAllTwelveRowsAndReportsSuccess)
{
    Form1& f = open(taught());
    key(QStringLiteral("--"));
    Form2& w = *f.form2();
    w.show();
    key(QStringLiteral("NEW"));
    w.Text1(1)->setText(QStringLiteral("typed by hand"));
    w.Text1(11)->clear();
    playertest::ModalWatcher watcher;
    w.Command1()->click();
    EXPECT_EQ(watcher.titles, QStringList { QStringLiteral("成功提示") });
    EXPECT_EQ(watcher.texts, QStringList { QStringLiteral("遥控键值已成功保存！") });
    EXPECT_EQ(stored(1), QStringLiteral("NEW"));
    EXPECT_EQ(stored(2), QStringLiteral("typed by hand"));
    for (int n = 3; n <= 11; ++n)
        EXPECT_EQ(stored(n), QStringLiteral("K%1").arg(n)) << n;
    EXPECT_EQ(stored(12), QString());
    // The window keeps its rows; the running table is unchanged until the
    // next start.
    EXPECT_EQ(w.Text1(1)->text(), QStringLiteral("typed by hand"));
    EXPECT_EQ(f.keyTable().code(1), QStringLiteral("K1"));
    form = loadWindow<Form1>(playertest::context());
    EXPECT_EQ(form->keyTable().code(1), QStringLiteral("NEW"));
}

TEST_F(SetupWindow, SavingRightAfterOpeningKeepsEveryStoredCode)
{
    Form1& f = open(taught());
    playertest::ModalWatcher watcher([&](QWidget* w) {
        if (auto* setup = qobject_cast<Form2*>(w)) {
            setup->Command1()->click(); // opens the success box, answered below
            setup->Command2()->click();
        }
    });
    playertest::ModalWatcher boxes;
    f.Command1_Click();
    EXPECT_EQ(boxes.titles, QStringList { QStringLiteral("成功提示") });
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(stored(n), QStringLiteral("K%1").arg(n));
}

TEST_F(SetupWindow, FailedSaveNamesTheFileAndReason)
{
    Form2 w(playertest::context().settingsPath);
    w.Form_Load();
    w.Text1(0)->setText(QStringLiteral("X"));
    // A folder where the settings file should be: no write can succeed.
    ASSERT_TRUE(QDir().mkpath(playertest::context().settingsPath));
    playertest::ModalWatcher watcher;
    w.Command1()->click();
    ASSERT_EQ(watcher.titles, QStringList { QStringLiteral("错误提示") });
    EXPECT_TRUE(watcher.texts.front().contains(playertest::context().settingsPath));
    EXPECT_TRUE(watcher.texts.front().contains(QStringLiteral("原因：")));
    EXPECT_GT(watcher.texts.front().section(QStringLiteral("原因："), 1).size(), 0);
}

} // namespace
