#include "comerror.h"

#include <array>

namespace comerr {
namespace {

    struct Entry {
        int number;
        const char* text;
    };

    constexpr std::array kTexts {
        Entry { kDeviceUnavailable, "设备不可用（设备不存在或已被拔出）" },
        Entry { kInvalidPort, "无效的端口号" },
        Entry { kPortNotOpen, "端口没有打开" },
        Entry { kPermissionDenied, "没有权限打开该设备" },
        Entry { kDeviceBusy, "设备正被其他程序使用" },
        Entry { kOtherFailure, "打开或读写串口失败" },
    };

} // namespace

QString text(int number)
{
    for (const Entry& e : kTexts) {
        if (e.number == number)
            return QString::fromUtf8(e.text);
    }
    return {};
}

ComError make(int number, const QString& detail)
{
    return ComError(number, detail.isEmpty() ? text(number) : text(number) + QStringLiteral("：") + detail);
}

} // namespace comerr
