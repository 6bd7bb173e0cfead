#pragma once

#include <QImage>
#include <QLabel>

// The player's picture area: a picture file is decoded once when it is
// loaded; resizing the area only scales the decoded image.
class PictureView : public QLabel {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    // Decodes the file. On failure the view is empty and `reason` (when
    // given) says why in the operator's words.
    bool load(const QString& path, QString* reason = nullptr);
    void unload();
    bool hasPicture() const { return !m_image.isNull(); }
    const QImage& image() const { return m_image; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void rescale();

    QImage m_image;
};
