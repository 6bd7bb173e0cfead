// The application object the display's fuzz targets need for their widgets:
// made on the first input, offscreen, and kept for every input after it.
#pragma once

#include <QApplication>

#include <memory>
#include <string>

inline void ensureFuzzApplication(const char* name)
{
    static std::string program(name);
    static int argc = 1;
    static char* argv[] = { program.data(), nullptr };
    static const auto app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
}
