#include "programwide/Design.h"

#include "platform/Units.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QVariant>
#include <QWidget>

namespace {

void setCaption(QWidget* w, const QString& text)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* t = qobject_cast<QLineEdit*>(w))
        t->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (w->metaObject()->indexOfProperty("caption") >= 0)
        w->setProperty("caption", text);
    else
        w->setWindowTitle(text);
}

// The 3-D controls and the picture box keep their colours as properties of their own;
// standard controls take them through the palette.
void setForeColour(QWidget* w, const QColor& c)
{
    if (w->metaObject()->indexOfProperty("foreColor") >= 0) {
        w->setProperty("foreColor", c);
        return;
    }
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

void setBackColour(QWidget* w, const QColor& c)
{
    if (w->metaObject()->indexOfProperty("backColor") >= 0) {
        w->setProperty("backColor", c);
        return;
    }
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void applyValues(QWidget* w, const DesignControl& c)
{
    w->setGeometry(designRect(c));
    if (c.caption)
        setCaption(w, *c.caption);
    if (c.font)
        w->setFont(designFont(c.font->points, c.font->bold, c.font->italic));
    if (c.foreColor)
        setForeColour(w, vbColor(*c.foreColor));
    if (c.backColor)
        setBackColour(w, vbColor(*c.backColor));
    if (c.toolTip)
        w->setToolTip(*c.toolTip);
}

} // namespace

QRect designRect(const DesignControl& c)
{
    return QRect(twipsToPixels(c.left), twipsToPixels(c.top), twipsToPixels(c.width), twipsToPixels(c.height));
}

void applyDesign(QWidget* window, const DesignTable& table)
{
    // Walked from the back: each control raised in turn ends up beneath the ones before it
    // in the table.
    for (auto it = table.rbegin(); it != table.rend(); ++it) {
        QWidget* w = window->findChild<QWidget*>(it->name);
        Q_ASSERT_X(w, "applyDesign", qPrintable(it->name));
        if (!w)
            continue;
        applyValues(w, *it);
        w->raise();
    }
}

QString designCaptionOf(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* t = qobject_cast<const QLineEdit*>(w))
        return t->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (w->metaObject()->indexOfProperty("caption") >= 0)
        return w->property("caption").toString();
    return w->windowTitle();
}
