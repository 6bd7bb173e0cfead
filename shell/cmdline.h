// The command line shared by both programs: --help and --com1 PATH .. --com4 PATH.
#pragma once

#include <QString>
#include <QStringList>

// Parses the arguments (the program's path first; no application object is
// needed, so --help works without a display), sets the device of each port given, and returns true.
// --help prints the usage and exits with status 0; an unknown option or a
// missing path prints the reason and the usage and exits with status 2.
bool parseProgramOptions(const QStringList& arguments, const QString& description);

// The same without exiting: returns false and the message to print in `message`
// (usage for --help, with `helpRequested` set).
bool parseProgramOptions(
    const QStringList& arguments, const QString& description, QString* message, bool* helpRequested);
