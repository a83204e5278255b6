#include "platform/ThreeDButton.h"

#include "platform/Bevel.h"
#include "platform/WindowsInput.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

ThreeDButton::ThreeDButton(QWidget* parent)
    : ThreeDButton(QString(), parent)
{
}

ThreeDButton::ThreeDButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setText(caption); // also installs the Alt+letter shortcut for a mnemonic
}

void ThreeDButton::setForeColor(const QColor& color)
{
    if (color == m_foreColor)
        return;
    m_foreColor = color;
    update();
}

QSize ThreeDButton::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    const QString caption = text().isEmpty() ? QStringLiteral("X") : text();
    const QSize textSize = fm.size(Qt::TextShowMnemonic, caption);
    return QSize(qMax(textSize.width() + 16, 75), qMax(textSize.height() + 10, 23));
}

QSize ThreeDButton::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return QSize(2 * BevelWidth + 8, fm.height() + 2 * BevelWidth + 2);
}

void ThreeDButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& pal = palette();
    const bool sunken = isDown() || isChecked();

    painter.fillRect(rect(), pal.color(QPalette::Button));
    const QRect inner = drawBevel(&painter, rect(), pal, sunken);

    // The caption moves one pixel down and right while the button is pressed.
    QRect textRect = inner;
    if (sunken)
        textRect.translate(1, 1);

    // A picture, when set, is drawn in the middle, in grey while the button is disabled.
    if (!icon().isNull()) {
        const QPixmap picture = icon().pixmap(iconSize(), devicePixelRatio(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
        const QSize size = picture.deviceIndependentSize().toSize();
        const QPoint corner(textRect.left() + (textRect.width() - size.width()) / 2,
                            textRect.top() + (textRect.height() - size.height()) / 2);
        painter.drawPixmap(corner, picture);
    }

    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(m_foreColor);
        painter.drawText(textRect, flags, text());
    } else {
        // Embossed: a light copy one pixel lower right, the grey text above it.
        painter.setPen(pal.color(QPalette::Light));
        painter.drawText(textRect.translated(1, 1), flags, text());
        painter.setPen(pal.color(QPalette::Dark));
        painter.drawText(textRect, flags, text());
    }

    if (hasFocus()) {
        QPen pen(pal.color(QPalette::WindowText));
        pen.setStyle(Qt::DotLine);
        pen.setWidth(1);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QRect focus = inner.adjusted(1, 1, -2, -2);
        if (focus.width() > 0 && focus.height() > 0)
            painter.drawRect(focus);
    }
}

void ThreeDButton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab) {
        // A handler may delete the button; do not touch it afterwards then.
        QPointer<ThreeDButton> self(this);
        emit keyDown(windowsKeyCode(event), windowsShiftState(event->modifiers()));
        if (!self)
            return;
    }
    QAbstractButton::keyPressEvent(event);
}
