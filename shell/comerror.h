// Error raised by ComPort members: the component's error number and a readable
// text in Chinese.
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

struct ComError : std::exception {
    ComError(int number, const QString& text)
        : number(number)
        , text(text)
        , m_what(text.toUtf8())
    {
    }
    // The readable text, UTF-8 encoded.
    const char* what() const noexcept override { return m_what.constData(); }

    int number = 0;
    QString text;

private:
    QByteArray m_what;
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
// An error object carrying `number` and its text, followed by `detail` when
// one is given.
ComError make(int number, const QString& detail = {});
} // namespace comerr
