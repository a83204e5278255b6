#include "platform/ThreeDPanel.h"

#include "platform/Accessibility.h"
#include "platform/Bevel.h"
#include "platform/Units.h"

#include <QAccessible>
#include <QPainter>
#include <cmath>

ThreeDPanel::ThreeDPanel(QWidget* parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame); // the edge is drawn by paintEvent
}

void ThreeDPanel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    // A screen reader reads the caption as the panel's name.
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

QString ThreeDPanel::spokenCaption() const
{
    QStringList spoken;
    for (const QString& line : captionLines(m_caption).split(QLatin1Char('\n'))) {
        const QString text = (m_showsMnemonics ? withoutMnemonic(line) : line).simplified();
        if (!text.isEmpty())
            spoken << text;
    }
    return spoken.join(QLatin1String(", "));
}

void ThreeDPanel::setShowsMnemonics(bool on)
{
    m_showsMnemonics = on;
    update();
}

void ThreeDPanel::setForeColor(const QColor& color)
{
    if (color == m_foreColor)
        return;
    m_foreColor = color;
    update();
}

QColor ThreeDPanel::backColor() const
{
    return m_backColor.isValid() ? m_backColor : palette().color(QPalette::Window);
}

void ThreeDPanel::setBackColor(const QColor& color)
{
    m_backColor = color;
    update();
}

void ThreeDPanel::setFloodColor(const QColor& color)
{
    if (color == m_floodColor)
        return;
    m_floodColor = color;
    update();
}

void ThreeDPanel::setFloodPercent(double percent)
{
    int value = 0;
    if (!std::isnan(percent))
        value = roundHalfEven(qBound(0.0, percent, 100.0));
    if (value == m_floodPercent)
        return;
    m_floodPercent = value;
    update();
    if (m_gauge) {
        QAccessibleValueChangeEvent event(this, value);
        QAccessible::updateAccessibility(&event);
    }
}

QRect ThreeDPanel::innerRect() const
{
    return rect().adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
}

QRect ThreeDPanel::floodRect() const
{
    const QRect inner = innerRect();
    if (m_floodPercent <= 0 || inner.width() <= 0)
        return QRect();
    const int width = qRound(inner.width() * m_floodPercent / 100.0);
    return QRect(inner.left(), inner.top(), width, inner.height());
}

QString ThreeDPanel::captionLines(const QString& caption)
{
    QString lines = caption;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

void ThreeDPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), backColor());
    const QRect inner = drawBevel(&painter, rect(), palette(), false);
    if (inner.isEmpty())
        return;

    const QRect filled = floodRect();
    if (!filled.isEmpty())
        painter.fillRect(filled, m_floodColor);

    if (m_caption.isEmpty())
        return;

    const QString text = captionLines(m_caption);
    const int flags = Qt::AlignCenter | (m_showsMnemonics ? int(Qt::TextShowMnemonic) : 0);
    painter.setFont(font());
    const QColor textColor = isEnabled() ? m_foreColor : palette().color(QPalette::Disabled, QPalette::WindowText);

    if (filled.isEmpty()) {
        painter.setPen(textColor);
        painter.drawText(inner, flags, text);
        return;
    }

    // Over the fill the caption is white; beyond it, in the fore colour.
    painter.save();
    painter.setClipRect(filled);
    painter.setPen(Qt::white);
    painter.drawText(inner, flags, text);
    painter.restore();

    const QRect rest(filled.right() + 1, inner.top(), inner.right() - filled.right(), inner.height());
    if (!rest.isEmpty()) {
        painter.setClipRect(rest);
        painter.setPen(textColor);
        painter.drawText(inner, flags, text);
    }
}
