#include "DesignCheck.h"

#include "platform/Units.h"

#include <QVariant>
#include <QWidget>

namespace {

QColor foreColourOf(const QWidget* w)
{
    if (w->metaObject()->indexOfProperty("foreColor") >= 0)
        return w->property("foreColor").value<QColor>();
    return w->palette().color(QPalette::WindowText);
}

QColor backColourOf(const QWidget* w)
{
    if (w->metaObject()->indexOfProperty("backColor") >= 0)
        return w->property("backColor").value<QColor>();
    return w->palette().color(QPalette::Window);
}

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

QStringList differencesFromDesign(QWidget* window, const DesignTable& table)
{
    QStringList out;
    for (const DesignControl& c : table) {
        const QWidget* w = window->findChild<QWidget*>(c.name);
        if (!w) {
            out << c.name + QStringLiteral(": missing");
            continue;
        }
        const QRect place = designRect(c);
        if (w->geometry() != place)
            out << QStringLiteral("%1: at %2, designed %3").arg(c.name, rectText(w->geometry()), rectText(place));
        if (c.caption && designCaptionOf(w) != *c.caption)
            out << QStringLiteral("%1: caption \"%2\", designed \"%3\"").arg(c.name, designCaptionOf(w), *c.caption);
        if (c.font) {
            const QFont f = w->font();
            if (!qFuzzyCompare(f.pointSizeF(), c.font->points) || f.bold() != c.font->bold
                || f.italic() != c.font->italic)
                out << QStringLiteral("%1: font %2 pt bold %3 italic %4").arg(c.name).arg(f.pointSizeF()).arg(f.bold()).arg(f.italic());
        }
        if (c.foreColor && foreColourOf(w) != vbColor(*c.foreColor))
            out << QStringLiteral("%1: fore colour %2").arg(c.name, foreColourOf(w).name());
        if (c.backColor && backColourOf(w) != vbColor(*c.backColor))
            out << QStringLiteral("%1: back colour %2").arg(c.name, backColourOf(w).name());
        if (c.toolTip && w->toolTip() != *c.toolTip)
            out << QStringLiteral("%1: tool tip \"%2\"").arg(c.name, w->toolTip());
    }
    return out;
}
