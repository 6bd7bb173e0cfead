// Desktop media controls on a private session bus started by the test: a
// client on the bus drives the real player and lists like the remote does.
#include "keyactions.h"
#include "listboxes.h"
#include "mediafiles.h"
#include "mediaplayer.h"
#include "mpris.h"
#include "mprisbus.h"
#include "playertestsupport.h"
#include "privatebus.h"
#include "seekslider.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QMediaPlayer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kWait = 10000;
const QString kPlayerIface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// Records the PropertiesChanged and Seeked signals the client sees.
class SignalLog : public QObject {
    Q_OBJECT
public:
    QList<QVariantMap> changes;
    QList<qlonglong> seeks;
    QVariant lastChange(const QString& name) const
    {
        for (auto it = changes.crbegin(); it != changes.crend(); ++it) {
            if (it->contains(name))
                return it->value(name);
        }
        return {};
    }
public slots:
    void onChanged(const QString& iface, const QVariantMap& changed, const QStringList&)
    {
        if (iface == kPlayerIface)
            changes.append(changed);
    }
    void onSeeked(qlonglong position) { seeks.append(position); }
};

class Mpris : public testing::Test {
protected:
    void SetUp() override
    {
        if (!privateBus.start())
            GTEST_SKIP() << "dbus-daemon is not installed";
        server = std::make_unique<QDBusConnection>(privateBus.connect(QStringLiteral("server")));
        client = std::make_unique<QDBusConnection>(privateBus.connect(QStringLiteral("client")));
        ASSERT_TRUE(server->isConnected() && client->isConnected());

        for (const char* name : { "a.wav", "b.wav", "c.wav" })
            playertest::writeWav(tmp.filePath(QLatin1String(name)), 3000);
        files.setPath(tmp.path());
        // The window's file-selection step, as far as playback goes.
        QObject::connect(&files, &FileListBox::Click, [this] {
            player.setURL(JoinPath(files.Path(), files.FileName()));
            player.controls.play();
        });
        service = std::make_unique<MprisService>(player, files,
            MprisService::Actions {
                [this] { actions.SongNext(); }, [this] { actions.SongPrevious(); }, {}, {} });
        bus = std::make_unique<MprisBus>(*service);
        ASSERT_TRUE(bus->registerOn(*server));
        client->connect(QLatin1String(MprisBus::kServiceName), QLatin1String(MprisBus::kObjectPath),
            kProperties, QStringLiteral("PropertiesChanged"), &log,
            SLOT(onChanged(QString, QVariantMap, QStringList)));
        client->connect(QLatin1String(MprisBus::kServiceName), QLatin1String(MprisBus::kObjectPath),
            kPlayerIface, QStringLiteral("Seeked"), &log, SLOT(onSeeked(qlonglong)));
    }

    void TearDown() override
    {
        bus.reset();
        service.reset();
    }

    // A call as a desktop client makes it, over the bus.
    QDBusMessage send(const QString& iface, const QString& method, const QVariantList& args)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QLatin1String(MprisBus::kServiceName), QLatin1String(MprisBus::kObjectPath), iface, method);
        call.setArguments(args);
        return client->call(call, QDBus::BlockWithGui, 5000);
    }

    QVariant get(const QString& name, const QString& on = kPlayerIface)
    {
        const QDBusReply<QDBusVariant> reply = send(kProperties, QStringLiteral("Get"), { on, name });
        return reply.isValid() ? reply.value().variant() : QVariant();
    }

    bool set(const QString& name, const QVariant& value)
    {
        const QVariantList args { kPlayerIface, name, QVariant::fromValue(QDBusVariant(value)) };
        return send(kProperties, QStringLiteral("Set"), args).type() == QDBusMessage::ReplyMessage;
    }

    bool call(const char* method, const QVariantList& args = {})
    {
        return send(kPlayerIface, QLatin1String(method), args).type() == QDBusMessage::ReplyMessage;
    }

    bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, kWait); }

    playertest::PrivateBus privateBus;
    std::unique_ptr<QDBusConnection> server, client;
    QTemporaryDir tmp;
    DriveListBox drives;
    DirListBox folders;
    FileListBox files;
    MediaPlayer player;
    KeyActions actions { KeyActions::Targets { drives, folders, files, player } };
    std::unique_ptr<MprisService> service;
    std::unique_ptr<MprisBus> bus;
    SignalLog log;
};

TEST_F(Mpris, NamesItselfAndStartsStoppedWithoutATrack)
{
    const QString root = QStringLiteral("org.mpris.MediaPlayer2");
    EXPECT_EQ(get(QStringLiteral("DesktopEntry"), root).toString(), QStringLiteral("io.tuvela.remoteplayer"));
    EXPECT_FALSE(get(QStringLiteral("Identity"), root).toString().isEmpty());
    EXPECT_TRUE(get(QStringLiteral("CanRaise"), root).toBool());
    EXPECT_TRUE(get(QStringLiteral("CanQuit"), root).toBool());
    EXPECT_EQ(get(QStringLiteral("LoopStatus")).toString(), QStringLiteral("None"));
    EXPECT_FALSE(get(QStringLiteral("Shuffle")).toBool());
    EXPECT_FALSE(get(QStringLiteral("HasTrackList"), root).toBool());
    EXPECT_EQ(get(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));
    EXPECT_TRUE(get(QStringLiteral("CanControl")).toBool());
    EXPECT_FALSE(get(QStringLiteral("CanPlay")).toBool());
    EXPECT_TRUE(get(QStringLiteral("CanGoNext")).toBool());
    EXPECT_FALSE(get(QStringLiteral("CanGoPrevious")).toBool());
    EXPECT_DOUBLE_EQ(get(QStringLiteral("Volume")).toDouble(), 0.5);
    // Play with nothing loaded does nothing.
    EXPECT_TRUE(call("Play"));
    EXPECT_EQ(get(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));
}

TEST_F(Mpris, NextAndPreviousAreTheSongKeysAndTheTrackIsAnnounced)
{
    ASSERT_TRUE(call("Next"));
    EXPECT_EQ(files.FileName(), QStringLiteral("a.wav"));
    ASSERT_TRUE(waitFor(
        [&] { return log.lastChange(QStringLiteral("PlaybackStatus")) == QStringLiteral("Playing"); }));
    ASSERT_TRUE(call("Next"));
    EXPECT_EQ(files.FileName(), QStringLiteral("b.wav"));
    ASSERT_TRUE(waitFor([&] { return get(QStringLiteral("Metadata")).isValid(); }));
    ASSERT_TRUE(waitFor([&] { return log.lastChange(QStringLiteral("CanGoPrevious")).toBool(); }));

    const QVariantMap meta = qdbus_cast<QVariantMap>(get(QStringLiteral("Metadata")));
    EXPECT_EQ(meta.value(QStringLiteral("xesam:url")).toString(),
        QStringLiteral("file://") + tmp.filePath("b.wav"));
    EXPECT_EQ(meta.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("b"));
    EXPECT_TRUE(qdbus_cast<QDBusObjectPath>(meta.value(QStringLiteral("mpris:trackid")))
                    .path()
                    .startsWith(QStringLiteral("/org/mpris/MediaPlayer2/Track/")));
    ASSERT_TRUE(waitFor([&] {
        return qdbus_cast<QVariantMap>(get(QStringLiteral("Metadata")))
                   .value(QStringLiteral("mpris:length"))
                   .toLongLong()
            == 3000000;
    }));
    ASSERT_TRUE(call("Previous"));
    EXPECT_EQ(files.FileName(), QStringLiteral("a.wav"));
    EXPECT_NE(service->trackId(), qdbus_cast<QDBusObjectPath>(meta.value(QStringLiteral("mpris:trackid"))));
}

TEST_F(Mpris, TransportAndVolumeFromTheBus)
{
    ASSERT_TRUE(call("Next"));
    ASSERT_TRUE(waitFor([&] { return player.playState() == MediaPlayer::Playing; }));
    ASSERT_TRUE(call("PlayPause"));
    EXPECT_EQ(get(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Paused"));
    ASSERT_TRUE(call("Play"));
    EXPECT_EQ(player.playState(), MediaPlayer::Playing);
    ASSERT_TRUE(call("Pause"));
    EXPECT_EQ(player.playState(), MediaPlayer::Paused);
    ASSERT_TRUE(call("Stop"));
    EXPECT_EQ(get(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));

    EXPECT_TRUE(set(QStringLiteral("Volume"), 0.3));
    EXPECT_TRUE(waitFor([&] { return player.settings.volume() == 30; }));
    EXPECT_TRUE(set(QStringLiteral("Volume"), 1.7));
    EXPECT_TRUE(waitFor([&] { return player.settings.volume() == 100; }));
    player.settings.setVolume(97); // the remote's volume key
    EXPECT_TRUE(waitFor([&] { return log.lastChange(QStringLiteral("Volume")).toDouble() == 0.97; }));
}

TEST_F(Mpris, SeekAndSetPositionFollowTheRules)
{
    ASSERT_TRUE(call("Next"));
    ASSERT_TRUE(waitFor(
        [&] { return player.engine().duration() == 3000 && get(QStringLiteral("CanSeek")).toBool(); }));
    ASSERT_TRUE(call("Pause"));
    ASSERT_TRUE(call("Seek", { qlonglong(1000000) }));
    EXPECT_TRUE(waitFor([&] { return !log.seeks.isEmpty(); }));
    EXPECT_NEAR(double(get(QStringLiteral("Position")).toLongLong()), double(log.seeks.last()), 300000.0);
    ASSERT_TRUE(call("Seek", { qlonglong(-60000000) }));
    EXPECT_TRUE(waitFor([&] { return log.seeks.size() == 2; }));
    EXPECT_EQ(log.seeks.last(), 0);

    const QVariant track = QVariant::fromValue(service->trackId());
    const QVariant otherTrack
        = QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/Track/999")));
    ASSERT_TRUE(call("SetPosition", { otherTrack, qlonglong(2000000) }));
    ASSERT_TRUE(call("SetPosition", { track, qlonglong(4000000) })); // past the end
    ASSERT_TRUE(call("SetPosition", { track, qlonglong(2000000) }));
    EXPECT_TRUE(waitFor([&] { return log.seeks.size() >= 3; }));
    EXPECT_EQ(log.seeks, (QList<qlonglong> { log.seeks.front(), 0, 2000000 }));

    // Past the end acts as the next-song key.
    ASSERT_TRUE(call("Seek", { qlonglong(10000000) }));
    EXPECT_EQ(files.FileName(), QStringLiteral("b.wav"));

    // A seek on the player's own slider is announced too.
    const qsizetype before = log.seeks.size();
    QTest::keyClick(&player.positionSlider(), Qt::Key_Right);
    EXPECT_TRUE(waitFor([&] { return log.seeks.size() == before + 1; }));
    EXPECT_EQ(log.seeks.last(), qlonglong(player.positionSlider().value()) * 1000);
}

// Run in a child process of its own, so the once-per-run notice is fresh.
TEST(MprisWithoutBus, SaysOnceThatMediaControlsAreOffAndGoesOn)
{
    EXPECT_EXIT(
        {
            testing::internal::CaptureStderr();
            MediaPlayer player;
            FileListBox files;
            MprisService service(player, files, {});
            MprisBus first(service);
            MprisBus second(service);
            const QDBusConnection none(QStringLiteral("no such bus"));
            const bool registered = first.registerOn(none) || second.registerOn(none);
            player.settings.setVolume(10);
            const QString said = QString::fromStdString(testing::internal::GetCapturedStderr());
            const bool once
                = said.count(QStringLiteral("remoteplayer: 没有会话总线，桌面媒体控制已关闭\n")) == 1;
            std::exit(once && !registered && player.settings.volume() == 10 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace

#include "mpris_test.moc"
