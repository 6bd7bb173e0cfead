// The display's public properties as data: name, kind, default, what the
// setter runs after storing, and the documentation string for whoever
// configures the control. Order is the control's interface order.
#pragma once

#include <array>
#include <optional>
#include <string_view>

enum class PropertyKind { Float32, Int32, Int16, Flag, Colour, Text, Picture };

// What a setter runs once the value is stored.
enum class SetterRuns {
    RepaintAll, // RepaintAll only
    GradientRepaint, // BuildGradient, then RepaintAll
    RebuildShow, // RebuildDisplay, then ShowValue over every cell
    ShowOnly, // ShowValue over every cell
    Special, // Picture, Theme and Value have setters of their own
};

struct PropertyInfo {
    std::string_view name;
    PropertyKind kind;
    double defaultNumber; // numeric kinds; flags as -1 / 0
    std::string_view defaultText; // Value only
    SetterRuns runs;
    bool noticeLast; // the notice follows the redraw instead of preceding it
    std::string_view doc;
};

inline constexpr int kPropertyCount = 41;

extern const std::array<PropertyInfo, kPropertyCount> kDisplayProperties;

// Index in kDisplayProperties of the named property (exact, case-sensitive
// match first, then ignoring case), or nothing.
std::optional<int> findDisplayProperty(std::string_view name);
