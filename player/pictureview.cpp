#include "pictureview.h"

#include <QImageReader>
#include <QPixmap>

#include <array>

namespace {

struct ReaderErrorText {
    QImageReader::ImageReaderError error;
    const char* text;
};

constexpr std::array kReaderErrorTexts {
    ReaderErrorText { QImageReader::FileNotFoundError, "文件不存在" },
    ReaderErrorText { QImageReader::DeviceError, "文件无法读取" },
    ReaderErrorText { QImageReader::UnsupportedFormatError, "不支持此图片格式" },
    ReaderErrorText { QImageReader::InvalidDataError, "图片数据已损坏" },
};

QString readerErrorText(QImageReader::ImageReaderError error)
{
    for (const ReaderErrorText& e : kReaderErrorTexts) {
        if (e.error == error)
            return QString::fromUtf8(e.text);
    }
    return QStringLiteral("图片无法解码");
}

} // namespace

PictureView::PictureView(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setMinimumSize(1, 1);
}

bool PictureView::load(const QString& path, QString* reason)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    m_image = reader.read();
    if (m_image.isNull() && reason)
        *reason = readerErrorText(reader.error());
    rescale();
    return !m_image.isNull();
}

void PictureView::unload()
{
    m_image = QImage();
    clear();
}

void PictureView::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    rescale();
}

void PictureView::rescale()
{
    if (m_image.isNull()) {
        clear();
        return;
    }
    const QSize area = size().expandedTo(QSize(1, 1));
    setPixmap(QPixmap::fromImage(m_image.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
