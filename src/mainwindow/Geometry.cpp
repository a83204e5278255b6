#include "mainwindow/Form1.h"

#include "mainwindow/Form1Design.h"
#include "mainwindow/ShellRules.h"
#include "platform/ImageControl.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenInfo.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/ThreeDPanel.h"
#include "platform/Units.h"
#include "programwide/SettingsNames.h"

#include <QAction>
#include <QMenuBar>

#include <charconv>
#include <cmath>

namespace {

// The largest coordinate or size, in pixels, a window can take (X11 measures in 16 bits).
constexpr double kMaxPixels = 32767;

int toPixels(double twips, double twipsPerPixel)
{
    return int(std::lround(twips / twipsPerPixel));
}

// Whether twips / twipsPerPixel is a coordinate (or, with minimum 1, a size) a window can take.
bool fitsPixels(double twips, double twipsPerPixel, double minimum)
{
    if (!std::isfinite(twips))
        return false;
    const double pixels = std::nearbyint(twips / twipsPerPixel);
    return pixels >= minimum && pixels <= kMaxPixels;
}

} // namespace

// ---- numbers ----------------------------------------------------------------

QString singleText(float value)
{
    if (value == 0.0f)
        return QStringLiteral("0"); // also for -0
    // Plain digits for every size a window or screen can have; exponent form only for
    // magnitudes where plain digits would run long.
    const float magnitude = std::fabs(value);
    const auto format = (magnitude >= 1e15f || magnitude < 1e-5f) ? std::chars_format::general
                                                                   : std::chars_format::fixed;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    if (result.ec != std::errc())
        return QString::number(double(value), 'g', 9);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

std::optional<float> parseSingle(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    float value = QLocale::c().toFloat(t, &ok);
    if (!ok)
        value = QLocale().toFloat(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// ---- geometry rules ---------------------------------------------------------

int computedWidthTwips(int imageLeft, int imageWidth)
{
    return (imageLeft + imageWidth) * 15 + 400;
}

int computedHeightTwips(int statusTop, int statusHeight)
{
    return (statusTop + statusHeight) * 15 + 1300;
}

QPoint placeOnScreens(const QRect& frame, const QVector<QRect>& screens, const QRect& fallbackArea)
{
    if (screens.isEmpty())
        return frame.topLeft(); // nothing to judge against
    for (const QRect& s : screens) {
        if (s.intersects(frame))
            return frame.topLeft();
    }
    if (fallbackArea.isValid())
        return fallbackArea.topLeft();
    return screens.first().topLeft();
}

// ---- the window's geometry in twips ---------------------------------------------

double Form1::twipsPerPixelX() const
{
    const double t = m_s.screen.twipsPerPixelX();
    return std::isfinite(t) && t > 0 ? t : 15.0;
}

double Form1::twipsPerPixelY() const
{
    const double t = m_s.screen.twipsPerPixelY();
    return std::isfinite(t) && t > 0 ? t : 15.0;
}

double Form1::reported(const TwipsValue& value, int pixels, double twipsPerPixel) const
{
    if (value.set && value.pixels == pixels)
        return value.twips;
    return pixels * twipsPerPixel;
}

double Form1::Left() const
{
    return reported(m_left, frameGeometry().x(), twipsPerPixelX());
}

double Form1::Top() const
{
    return reported(m_top, frameGeometry().y(), twipsPerPixelY());
}

double Form1::Width() const
{
    return reported(m_width, frameGeometry().width(), twipsPerPixelX());
}

double Form1::Height() const
{
    return reported(m_height, frameGeometry().height(), twipsPerPixelY());
}

bool Form1::setLeft(double twips)
{
    const double tpp = twipsPerPixelX();
    if (!fitsPixels(std::fabs(twips), tpp, 0))
        return false;
    const int px = toPixels(twips, tpp);
    move(px, pos().y()); // a window's position is that of its frame
    m_left = {twips, px, true};
    return true;
}

bool Form1::setTop(double twips)
{
    const double tpp = twipsPerPixelY();
    if (!fitsPixels(std::fabs(twips), tpp, 0))
        return false;
    const int px = toPixels(twips, tpp);
    move(pos().x(), px);
    m_top = {twips, px, true};
    return true;
}

bool Form1::setWidth(double twips)
{
    const double tpp = twipsPerPixelX();
    if (!fitsPixels(twips, tpp, 1))
        return false;
    const int px = toPixels(twips, tpp);
    const int frame = frameGeometry().width() - width();
    resize(qMax(1, px - frame), height());
    m_width = {twips, px, true};
    return true;
}

bool Form1::setHeight(double twips)
{
    const double tpp = twipsPerPixelY();
    if (!fitsPixels(twips, tpp, 1))
        return false;
    const int px = toPixels(twips, tpp);
    const int frame = frameGeometry().height() - height();
    resize(width(), qMax(1, px - frame));
    m_height = {twips, px, true};
    return true;
}

int Form1::WindowState() const
{
    if (isMinimized())
        return 1;
    if (isMaximized())
        return 2;
    return 0;
}

// ---- load ---------------------------------------------------------------------

void Form1::SizeAndPlaceWindow()
{
    // The design size (the client area below the menu bar): what the window keeps when a
    // stored size is not a number.
    resize(twipsToPixels(kForm1ClientWidth), twipsToPixels(kForm1ClientHeight) + menuBar()->sizeHint().height());

    auto setting = [this](const QString& key, const QString& defaultValue) {
        return parseSingle(m_s.settings.getSetting(applicationTitle(), SettingsNames::section(), key, defaultValue));
    };

    // Each step that fails (a setting that is not a number, a value no window can take) is
    // skipped, and the next one runs.
    if (IsScreenResolution(800, 600)) {
        if (const auto w = setting(SettingsNames::mainWidth(), singleText(float(m_s.screen.widthTwips()))))
            setWidth(*w);
        if (const auto h = setting(SettingsNames::mainHeight(), singleText(float(m_s.screen.heightTwips()))))
            setHeight(*h);
    } else {
        // The full-screen command is offered only on the screen the layout was made for.
        mnuHideStatus->setVisible(false);
        setWidth(computedWidthTwips(Image1->x(), Image1->width()));
        setHeight(computedHeightTwips(StatusTime->y(), StatusTime->height()));
    }
    if (const auto l = setting(SettingsNames::mainLeft(), QStringLiteral("0")))
        setLeft(*l);
    if (const auto t = setting(SettingsNames::mainTop(), QStringLiteral("0")))
        setTop(*t);

    // A stored position that puts the whole window off every screen (a screen since
    // removed, a hand-edited file) would leave a window nobody can see or reach.
    const QRect frame = frameGeometry();
    const QPoint place = placeOnScreens(frame, m_s.screen.screenGeometries(), m_s.screen.availableGeometry());
    if (place != frame.topLeft()) {
        setLeft(place.x() * twipsPerPixelX());
        setTop(place.y() * twipsPerPixelY());
    }

    // The frame is known only once the window is on screen; the size is then set again so
    // that it includes the frame.
    m_refitWhenFramed = true;
    m_loadClientSize = size();
}
