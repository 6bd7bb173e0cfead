// Error raised by ComPort members: the component's error number and a readable
// text in Chinese.
#pragma once

#include <QString>

struct ComError {
    int number = 0;
    QString text;
};

namespace comerr {
// Numbers the callers test.
inline constexpr int kDeviceUnavailable = 68;
inline constexpr int kInvalidPort = 8002;
inline constexpr int kPortNotOpen = 8012;
// Our own numbers for the other causes.
inline constexpr int kPermissionDenied = 70;
inline constexpr int kDeviceBusy = 8005;
inline constexpr int kOtherFailure = 8020;

// The readable text for an error number ("" for an unknown number).
QString text(int number);
// An error object carrying `number` and its text.
ComError make(int number);
} // namespace comerr
