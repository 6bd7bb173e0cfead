// Messages to the operator on standard error: say() always, sayOnce() the
// first time a text comes up in this process (a fault that would otherwise
// repeat with every reading or every tick).
#pragma once

#include <QString>

void say(const QString& text);
void sayOnce(const QString& text);
