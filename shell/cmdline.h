// The command line shared by both programs: --help and --com1 PATH .. --com4 PATH.
#pragma once

#include "comdevices.h"

#include <QString>
#include <QStringList>

// Parses the arguments (the program's path first; no application object is
// needed, so --help works without a display) and returns the default device
// table with the device of each port given on the command line.
// --help prints the usage and exits with status 0; an unknown option or a
// missing path prints the reason and the usage and exits with status 2.
ComDevices parseProgramOptions(const QStringList& arguments, const QString& description);

// The same without exiting: sets the ports given in `devices` and returns
// true, or returns false and the message to print in `message` (usage for
// --help, with `helpRequested` set).
bool parseProgramOptions(const QStringList& arguments, const QString& description, ComDevices* devices,
    QString* message, bool* helpRequested);
