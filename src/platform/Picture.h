#pragma once

#include <QImage>
#include <QSize>
#include <memory>

// A picture that may still be on its way: its natural size is known at once, the whole
// picture comes from a decoding under way on another thread.
class PictureSource
{
public:
    virtual ~PictureSource() = default;
    virtual QSize size() const = 0;
    // The whole picture, waiting for its decoding when that is still under way. Null when
    // the decoding failed.
    virtual QImage image() const = 0;
    virtual bool isReady() const = 0;
    // A smoothly scaled copy of exactly that size made along with the picture, or null.
    virtual QImage scaledCopy(const QSize& size) const = 0;
};

// What the picture boxes, the image controls, printing and the clipboard hold: either a
// picture at hand or one being decoded. Cheap to copy; copies share the picture.
class Picture
{
public:
    Picture() = default;
    Picture(const QImage& image);  // NOLINT: a picture at hand is a picture
    explicit Picture(std::shared_ptr<const PictureSource> source, const QImage& scaledCopy = QImage());

    bool isNull() const { return size().isEmpty(); }
    // The natural size, without waiting.
    QSize size() const;
    int width() const { return size().width(); }
    int height() const { return size().height(); }
    // The whole picture; waits for it when it is still being decoded.
    QImage image() const;
    bool isReady() const;
    // A ready-made copy scaled smoothly to exactly `size` (device pixels), or null.
    QImage scaledCopy(const QSize& size) const;
    // Both name the same picture (copies of one another).
    bool operator==(const Picture& other) const;
    bool operator!=(const Picture& other) const { return !(*this == other); }

private:
    QImage m_image;
    std::shared_ptr<const PictureSource> m_source;
    QImage m_scaled;
};
