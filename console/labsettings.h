// The lab link's settings: section MQTT of the settings file and --mqtt, read
// once at start into one value, or the one reason the link stays off.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct LabSettings {
    bool tls = false; // mqtts://
    QString host;
    int port = 1883;
    QString user;
    QString password;
    QString caFile; // "" checks against the system's trusted certificates
    QString certFile;
    QString keyFile;
    QString bench; // only [A-Za-z0-9_-]
    QString topic = QStringLiteral("tuvela");
    QString discovery = QStringLiteral("homeassistant"); // "" turns discovery off
    int keepAlive = 30;
    bool commands = false;
    int setMin = 0;
    int setMax = 99;
    int stale = 0; // the quiet-board limit in seconds (section TEMP), 0 when off

    // "tuvela/bench01/" and so on: the bench's topics start with this.
    QString base() const { return topic + u'/' + bench + u'/'; }
};

// What reading the settings gave: no link (neither a section nor --mqtt),
// a link, or a link refused for the reason given.
struct LabConfig {
    std::optional<LabSettings> settings;
    QString error; // names the value that cannot be read
    bool configured = false;
};

// `ini` is the settings file's content, `commandLineUrl` --mqtt's value,
// `iniFolder` where relative file names start, `hostName` the machine's name.
LabConfig readLabSettings(
    const QByteArray& ini, const QString& commandLineUrl, const QString& iniFolder, const QString& hostName);

// A bench name for topics and ids: every character outside [A-Za-z0-9_-]
// becomes "_".
QString labBenchName(const QString& raw);
