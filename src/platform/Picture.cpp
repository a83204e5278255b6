#include "platform/Picture.h"

Picture::Picture(const QImage& image)
    : m_image(image)
{
}

Picture::Picture(std::shared_ptr<const PictureSource> source, const QImage& scaledCopy)
    : m_source(std::move(source)), m_scaled(scaledCopy)
{
}

QSize Picture::size() const
{
    return m_source ? m_source->size() : m_image.size();
}

QImage Picture::image() const
{
    return m_source ? m_source->image() : m_image;
}

bool Picture::isReady() const
{
    return !m_source || m_source->isReady();
}

QImage Picture::scaledCopy(const QSize& size) const
{
    if (!m_scaled.isNull() && m_scaled.size() == size)
        return m_scaled;
    return m_source ? m_source->scaledCopy(size) : QImage();
}

bool Picture::operator==(const Picture& other) const
{
    if (m_source || other.m_source)
        return m_source == other.m_source;
    return m_image.cacheKey() == other.m_image.cacheKey();
}
