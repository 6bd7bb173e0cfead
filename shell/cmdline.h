// The command line shared by both programs: --help, --version, --com1 PATH .. --com4 PATH,
// --connect, and Qt's standard options, which pass through to the application
// object. Each program adds options of its own (the console --log FILE, the
// player --lirc SOCKET).
#pragma once

#include "comdevices.h"
#include "portresolver.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct ProgramOptions {
    PortPaths com; // --comN PATH; "" where not given
    bool connect = false; // --connect: connect the first selectable port at start
    QHash<QString, QString> values; // the program's own options, by name

    // The value of the program's own option `name`; "" when not given.
    QString value(const QString& name) const { return values.value(name); }
};

// An option of one program: --NAME VALUE.
struct ValueOption {
    QString name;
    QString valueName; // FILE, SOCKET, ...
    QString help; // its line in the usage
};

// What a program accepts beyond the shared options.
struct ProgramSyntax {
    QString description;
    QList<ValueOption> own;
};

// Parses the arguments (the program's path first; no application object is
// needed, so --help works without a display). Returns the options, or nothing
// with the text to print in `message` (the usage for --help or the version
// for --version, with `helpRequested` set; otherwise the reason and the usage).
std::optional<ProgramOptions> parseProgramOptions(
    const QStringList& arguments, const ProgramSyntax& syntax, QString* message, bool* helpRequested);

// The same, printing and exiting on failure: --help prints the usage and
// --version the version, and exit with status 0; an unknown option or a missing value exits with status 2.
ProgramOptions parseProgramOptionsOrExit(const QStringList& arguments, const ProgramSyntax& syntax);

// The same for a fixed table: sets the ports given in `devices` and returns
// true, or returns false and the message to print in `message`.
bool parseProgramOptions(const QStringList& arguments, const QString& description, ComDevices* devices,
    QString* message, bool* helpRequested);
