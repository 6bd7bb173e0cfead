// The display's public properties as data: name, field, kind, default, what
// the setter runs after storing, and the documentation string for whoever
// configures the control. Order is the control's interface order, which is
// also the order the properties are written in.
#pragma once

#include "displayproperties.h"
#include "propertyfields.h"

#include <array>
#include <optional>
#include <string_view>

// What a setter runs once the value is stored.
enum class SetterRuns {
    RepaintAll, // RepaintAll only
    GradientRepaint, // BuildGradient, then RepaintAll
    RebuildShow, // RebuildDisplay, then ShowValue over every cell
    ShowOnly, // ShowValue over every cell
    Special, // Picture, Theme and Value have setters of their own
};

// Name, field and kind come from the host's row; the defaults are those of
// DisplayProperties, repeated here as numbers and text for tools.
struct PropertyInfo : PropertyField<DisplayProperties> {
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
