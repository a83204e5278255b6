#pragma once

#include <QRect>
#include <QString>
#include <optional>
#include <vector>

class QWidget;

// A design font: face "MS Sans Serif" (or the platform's sans-serif) at a point size.
struct DesignFont
{
    double points = 8.25;
    bool bold = false;
    bool italic = false;
};

// One control of a window as designed: its object name, its place in twips relative to
// its container, and the design values that differ from the control's defaults.
struct DesignControl
{
    QString name;  // object name; array elements are "cmdYear_5", "Option1_0", ...
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::optional<QString> caption;
    std::optional<DesignFont> font;
    std::optional<quint32> foreColor;  // &H00BBGGRR
    std::optional<quint32> backColor;  // &H00BBGGRR
    std::optional<QString> toolTip;

    DesignControl& withCaption(const QString& text) { caption = text; return *this; }
    DesignControl& withFont(double points, bool bold, bool italic = false)
    {
        font = DesignFont{points, bold, italic};
        return *this;
    }
    DesignControl& withFore(quint32 bgr) { foreColor = bgr; return *this; }
    DesignControl& withBack(quint32 bgr) { backColor = bgr; return *this; }
    DesignControl& withTip(const QString& text) { toolTip = text; return *this; }
};

inline DesignControl at(const QString& name, int left, int top, int width, int height)
{
    DesignControl c;
    c.name = name;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

// The controls of one window in design order: the first lies in front.
using DesignTable = std::vector<DesignControl>;

// Gives every control of the table, found under window by its object name, its design
// place (twips to pixels), caption, font, colours and tool tip, and stacks them so that
// the first in the table lies in front. A name the window lacks is a programming error.
void applyDesign(QWidget* window, const DesignTable& table);

// The design place of a control in pixels.
QRect designRect(const DesignControl& control);

// The caption, fore colour and back colour of a control as the design sets them, read back
// (for tests that hold a window against its table).
QString designCaptionOf(const QWidget* w);
