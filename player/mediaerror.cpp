#include "mediaerror.h"

#include <array>

namespace {

template <typename Error> struct ErrorText {
    Error error;
    const char* text;
};

constexpr std::array kMediaErrorTexts {
    ErrorText<QMediaPlayer::Error> { QMediaPlayer::ResourceError, "文件无法打开，或缺少该格式的解码器" },
    ErrorText<QMediaPlayer::Error> { QMediaPlayer::FormatError, "不支持此格式" },
    ErrorText<QMediaPlayer::Error> { QMediaPlayer::NetworkError, "网络错误" },
    ErrorText<QMediaPlayer::Error> { QMediaPlayer::AccessDeniedError, "没有读取权限" },
};

constexpr std::array kPictureErrorTexts {
    ErrorText<QImageReader::ImageReaderError> { QImageReader::FileNotFoundError, "文件不存在" },
    ErrorText<QImageReader::ImageReaderError> { QImageReader::DeviceError, "文件无法读取" },
    ErrorText<QImageReader::ImageReaderError> { QImageReader::UnsupportedFormatError, "不支持此图片格式" },
    ErrorText<QImageReader::ImageReaderError> { QImageReader::InvalidDataError, "图片数据已损坏" },
};

template <typename Table, typename Error>
QString textFor(const Table& table, Error error, const char* otherwise)
{
    for (const auto& e : table) {
        if (e.error == error)
            return QString::fromUtf8(e.text);
    }
    return QString::fromUtf8(otherwise);
}

} // namespace

QString UnplayableLine(const QString& fileName, const QString& reason)
{
    return QStringLiteral("无法播放：") + fileName + QStringLiteral("（") + reason + QStringLiteral("）\n");
}

QString MediaErrorText(QMediaPlayer::Error error)
{
    return textFor(kMediaErrorTexts, error, "无法解码");
}

QString PictureErrorText(QImageReader::ImageReaderError error)
{
    return textFor(kPictureErrorTexts, error, "图片无法解码");
}
