#include "mediaerror.h"

#include <array>

namespace {

struct ErrorText {
    QMediaPlayer::Error error;
    const char* text;
};

constexpr std::array kErrorTexts {
    ErrorText { QMediaPlayer::ResourceError, "文件无法打开，或缺少该格式的解码器" },
    ErrorText { QMediaPlayer::FormatError, "不支持此格式" },
    ErrorText { QMediaPlayer::NetworkError, "网络错误" },
    ErrorText { QMediaPlayer::AccessDeniedError, "没有读取权限" },
};

} // namespace

QString UnplayableLine(const QString& fileName, const QString& reason)
{
    return QStringLiteral("无法播放：") + fileName + QStringLiteral("（") + reason + QStringLiteral("）\n");
}

QString MediaErrorText(QMediaPlayer::Error error)
{
    for (const ErrorText& e : kErrorTexts) {
        if (e.error == error)
            return QString::fromUtf8(e.text);
    }
    return QStringLiteral("无法解码");
}
