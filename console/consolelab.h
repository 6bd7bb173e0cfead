// Opens the console's lab link when the settings or --mqtt ask for one
// (frmMain::openLabLink, defined with it).
#pragma once

#include <QString>

#include <memory>

class frmMain;
class LabLink;

// The link for `window`, or nothing: neither section MQTT nor --mqtt (the
// console then opens no socket), or a value that cannot be read (named once
// on standard error; never a half-configured link).
std::unique_ptr<LabLink> labLinkFor(frmMain& window, const QString& commandLineUrl);
