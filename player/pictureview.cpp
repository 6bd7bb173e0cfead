#include "pictureview.h"

#include "mediaerror.h"

#include <QImageReader>
#include <QPixmap>

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
        *reason = PictureErrorText(reader.error());
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
