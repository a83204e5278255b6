// The drawn pictures: period advertisements, company pictures and emblems.
//
// Every picture is laid out on a fixed design canvas and scaled uniformly to
// the requested size, so a 2550x3300 ad is the 1275x1650 ad at twice the
// resolution. Colours and layout are chosen from a stable hash of the inputs
// (never from qHash, whose values may change between Qt versions) so the same
// inputs always give the same picture. There is no noise or texture: flat
// colours and smooth gradients keep the JPEG files small.

#include "MediaGen.h"
#include "MediaGenPrivate.h"

#include "browser/Catalogue.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>

namespace mediagen {

quint32 stableHash(const QString& text, quint32 seed)
{
    // FNV-1a over the UTF-16 code units.
    quint32 h = 2166136261u ^ seed;
    for (QChar c : text) {
        h ^= c.unicode() & 0xff;
        h *= 16777619u;
        h ^= c.unicode() >> 8;
        h *= 16777619u;
    }
    return h;
}

namespace {

const QString kSerif = QStringLiteral("DejaVu Serif");
const QString kSans = QStringLiteral("DejaVu Sans");

template <typename T, size_t N>
const T& pick(const std::array<T, N>& items, quint32 h)
{
    return items[h % N];
}

QFont font(const QString& family, qreal pixelSize, bool bold = false, bool italic = false)
{
    QFont f(family);
    f.setPixelSize(std::max(1, qRound(pixelSize)));
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// The font's pixel size is applied in device pixels after the painter's
// scale, so sizes below are in design units; QFont needs an integer pixel
// size, hence the painter draws text in an unscaled coordinate system.
QPainterPath textPath(const QRectF& rect, int flags, const QString& s, const QFont& font);

struct Canvas
{
    QPainter& p;
    qreal scale;
    QPointF origin;

    QPointF map(QPointF pt) const { return origin + pt * scale; }
    QRectF map(const QRectF& r) const { return QRectF(map(r.topLeft()), r.size() * scale); }

    QFont fontFor(const QString& family, qreal designSize, bool bold = false, bool italic = false) const
    {
        return font(family, designSize * scale, bold, italic);
    }

    // Text in a design rectangle, shrunk until its longest line fits the width.
    void text(const QRectF& designRect, int flags, const QString& s, const QString& family,
              qreal designSize, const QColor& colour, bool bold = false, bool italic = false,
              bool fitWidth = false) const
    {
        QFont f = fontFor(family, designSize, bold, italic);
        const QRectF r = map(designRect);
        if (fitWidth) {
            for (int guard = 0; guard < 40 && f.pixelSize() > 1; ++guard) {
                const QFontMetricsF fm(f);
                qreal widest = 0;
                for (const QString& line : s.split(QLatin1Char('\n')))
                    widest = std::max(widest, fm.horizontalAdvance(line));
                if (widest <= r.width())
                    break;
                f.setPixelSize(std::max(1, int(f.pixelSize() * std::max(0.5, r.width() / widest * 0.98))));
            }
        }
        p.save();
        p.resetTransform();
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(textPath(r, flags, s, f));
        p.restore();
    }
};

// Text laid out in rect as outlines. Filling outlines gives the same pixels on every
// run, where drawn glyphs depend on what the glyph cache happens to hold already.
QPainterPath textPath(const QRectF& rect, int flags, const QString& s, const QFont& font)
{
    QString text = s;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font);
    QTextOption option(Qt::Alignment(flags) & Qt::AlignHorizontal_Mask);
    option.setWrapMode((flags & Qt::TextWordWrap) ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    qreal top = rect.top();
    if (flags & Qt::AlignVCenter)
        top += (rect.height() - height) / 2;
    else if (flags & Qt::AlignBottom)
        top += rect.height() - height;
    QPainterPath path;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (int i = 0; i < glyphs.size(); ++i)
            path.addPath(raw.pathForGlyph(glyphs[i]).translated(positions[i] + QPointF(rect.left(), top)));
    }
    return path;
}

Canvas makeCanvas(QPainter& p, QSize size, QSizeF design)
{
    const qreal scale = std::min(size.width() / design.width(), size.height() / design.height());
    const QPointF origin((size.width() - design.width() * scale) / 2,
                         (size.height() - design.height() * scale) / 2);
    return Canvas{p, scale, origin};
}

void applyDesignTransform(QPainter& p, const Canvas& c)
{
    p.resetTransform();
    p.translate(c.origin);
    p.scale(c.scale, c.scale);
}

// ---- Colours --------------------------------------------------------------

const std::array<QColor, 6> kPaper{{QColor(0xf4, 0xec, 0xd8), QColor(0xf2, 0xe6, 0xc9), QColor(0xf6, 0xf0, 0xe1),
                                    QColor(0xef, 0xe3, 0xc6), QColor(0xf5, 0xea, 0xd2), QColor(0xf0, 0xe9, 0xda)}};
const std::array<QColor, 10> kBody{{QColor(0x3f, 0xb8, 0xaf), QColor(0xe0, 0x6b, 0x5a), QColor(0x9c, 0xcf, 0xb4),
                                    QColor(0xe8, 0xc5, 0x4a), QColor(0xb0, 0x24, 0x2a), QColor(0x23, 0x2a, 0x36),
                                    QColor(0x5b, 0x7f, 0xb8), QColor(0xd9, 0x8f, 0xa6), QColor(0x6e, 0x8b, 0x3d),
                                    QColor(0x8a, 0x5a, 0x3c)}};
const std::array<QColor, 5> kRoof{{QColor(0xf7, 0xf3, 0xe8), QColor(0x23, 0x2a, 0x36), QColor(0xe9, 0xdf, 0xc4),
                                   QColor(0x7a, 0x7f, 0x86), QColor(0xf0, 0xf0, 0xf0)}};
const std::array<QColor, 6> kInk{{QColor(0x8a, 0x1c, 0x1c), QColor(0x1d, 0x2e, 0x5c), QColor(0x1f, 0x4d, 0x36),
                                  QColor(0x26, 0x22, 0x1e), QColor(0x5a, 0x23, 0x5e), QColor(0x7a, 0x3e, 0x10)}};
const std::array<QColor, 6> kSky{{QColor(0xbf, 0xdc, 0xea), QColor(0xf3, 0xd9, 0xb1), QColor(0xcf, 0xe6, 0xd6),
                                  QColor(0xd8, 0xd2, 0xea), QColor(0xf1, 0xc9, 0xb8), QColor(0xc6, 0xd8, 0xe8)}};
const std::array<QColor, 5> kHills{{QColor(0x7f, 0xa8, 0x86), QColor(0x8c, 0x9f, 0xbf), QColor(0xa8, 0x9a, 0x7a),
                                    QColor(0x6f, 0x95, 0x9e), QColor(0x9b, 0xb0, 0x7c)}};

// ---- Advertising copy -------------------------------------------------------

const std::array<const char*, 8> kSlogans{{
    "Style that leads the parade", "The fine car at a sensible price", "Built for the open highway",
    "Room for the whole family", "Smooth, silent, spirited", "America's newest way to travel",
    "Engineered to go farther", "The proud new look of quality"}};

const std::array<const char*, 10> kCopy{{
    "Slip behind the wheel of the %2 %1 and feel the difference at once. A wider track, deeper "
    "cushions and a quieter ride make every mile a pleasure.",
    "From its gleaming grille to its graceful rear deck, the %2 %1 is styled to be admired. "
    "Yet underneath lies the sturdy engineering that owners have trusted for years.",
    "The new power plant gives you quick, sure response in traffic and easy cruising on the "
    "turnpike, with an economy that will surprise you at the pump.",
    "Full-view windows give you a panorama of the road ahead. Big brakes and light, easy "
    "steering keep you in command wherever you go.",
    "Choose from a rainbow of new colours and smart two-tone combinations, each matched by "
    "rich interiors tailored in fine fabrics.",
    "Ask your %1 dealer for a demonstration drive. Once you have tried it, no other car "
    "will quite do.",
    "Every %1 is tested mile after mile before it leaves the plant, so it comes to you "
    "ready for years of faithful service.",
    "The trunk swallows a family's luggage with room to spare, and the doors open wide for "
    "easy getting in and out.",
    "Ride-stabilized springs smooth out the roughest roads. You arrive rested, relaxed and "
    "ready for the day.",
    "Priced with the lowest, the %2 %1 brings fine-car features within reach of every "
    "family in the land."}};

QString copyText(int index, const QString& make, int year)
{
    // Not QString::arg: most paragraphs use only some of the placeholders.
    return QString::fromLatin1(kCopy[index % kCopy.size()])
        .replace(QLatin1String("%1"), make)
        .replace(QLatin1String("%2"), QString::number(year));
}

// ---- Shapes -------------------------------------------------------------------

// A closed polygon whose corners are rounded by up to `radius`.
QPainterPath roundedPolygon(const QList<QPointF>& pts, qreal radius)
{
    QPainterPath path;
    const int n = int(pts.size());
    for (int i = 0; i < n; ++i) {
        const QPointF prev = pts[(i + n - 1) % n];
        const QPointF cur = pts[i];
        const QPointF next = pts[(i + 1) % n];
        auto towards = [&](QPointF to) {
            const QPointF d = to - cur;
            const qreal len = std::hypot(d.x(), d.y());
            const qreal t = len > 0 ? std::min(radius / len, 0.5) : 0;
            return cur + d * t;
        };
        const QPointF a = towards(prev);
        const QPointF b = towards(next);
        if (i == 0)
            path.moveTo(a);
        else
            path.lineTo(a);
        path.quadTo(cur, b);
    }
    path.closeSubpath();
    return path;
}

QLinearGradient chromeGradient(qreal top, qreal bottom)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0.0, QColor(0xfa, 0xfa, 0xfa));
    g.setColorAt(0.45, QColor(0xb8, 0xbd, 0xc4));
    g.setColorAt(0.55, QColor(0x6d, 0x73, 0x7b));
    g.setColorAt(1.0, QColor(0xd5, 0xd9, 0xde));
    return g;
}

struct CarStyle
{
    QColor body;
    QColor roof;
    QColor accent;
    int year = 1955;
    bool whitewalls = true;
    bool fastback = false;
};

// A side view of a car of the given model year, facing left, drawn in a unit
// space 1.0 long and 0.32 tall (ground at y = 0.31).
void drawCar(QPainter& p, const CarStyle& s)
{
    const int y = s.year;
    const bool round = y <= 1953;
    const bool fins = y >= 1955 && y <= 1961;
    const bool bigFins = y >= 1957 && y <= 1960;
    const bool slab = y >= 1962;

    const qreal belt = round ? 0.150 : slab ? 0.165 : 0.160;
    const qreal frontTop = round ? 0.175 : 0.168;
    const qreal rearTop = round ? 0.185 : slab ? 0.165 : 0.170;
    const qreal finTop = bigFins ? 0.112 : 0.140;
    const qreal roofY = round ? 0.060 : bigFins ? 0.092 : slab ? 0.088 : 0.080;
    const qreal corner = round ? 0.045 : slab ? 0.010 : 0.022;
    const qreal rocker = 0.272;
    const qreal wheelR = round ? 0.066 : 0.060;
    const QPointF frontWheel(0.205, 0.31 - wheelR);
    const QPointF rearWheel(0.775, 0.31 - wheelR);

    // Shadow on the ground.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 55));
    p.drawEllipse(QRectF(0.02, 0.295, 0.96, 0.03));

    // Body.
    QList<QPointF> body{{0.015, rocker - 0.01}, {0.015, frontTop + 0.012}, {0.04, frontTop},
                        {0.30, belt}};
    if (fins) {
        body << QPointF(0.84, belt) << QPointF(0.975, finTop) << QPointF(0.99, rearTop + 0.01);
    } else if (round) {
        body << QPointF(0.70, belt) << QPointF(0.93, rearTop) << QPointF(0.99, rearTop + 0.03);
    } else {
        body << QPointF(0.80, belt) << QPointF(0.99, rearTop);
    }
    body << QPointF(0.99, rocker - 0.01) << QPointF(0.95, rocker) << QPointF(0.05, rocker);
    const QPainterPath bodyPath = roundedPolygon(body, corner);

    // Greenhouse.
    const qreal g0 = round ? 0.29 : 0.31, g3 = s.fastback ? 0.80 : (round ? 0.74 : 0.70);
    const qreal g1 = round ? 0.39 : bigFins ? 0.37 : 0.40;
    const qreal g2 = s.fastback ? 0.60 : (round ? 0.62 : 0.63);
    const QPainterPath cabin =
        roundedPolygon({{g0, belt + 0.005}, {g1, roofY}, {g2, roofY}, {g3, belt + 0.005}}, round ? 0.05 : 0.018);

    p.setPen(QPen(QColor(0x1a, 0x1a, 0x1a), 0.0025));
    p.setBrush(s.roof);
    p.drawPath(cabin);

    // Windows: an inset copy of the cabin split by the centre pillar.
    const qreal inset = 0.012;
    const QPainterPath glass = roundedPolygon({{g0 + inset * 1.8, belt}, {g1 + inset * 0.4, roofY + inset},
                                               {g2 - inset * 0.4, roofY + inset}, {g3 - inset * 1.8, belt}},
                                              round ? 0.04 : 0.012);
    QLinearGradient glassFill(0, roofY, 0, belt);
    glassFill.setColorAt(0, QColor(0xd9, 0xe8, 0xf0));
    glassFill.setColorAt(1, QColor(0x7d, 0x9a, 0xab));
    p.setBrush(glassFill);
    p.setPen(QPen(QColor(0xc8, 0xcc, 0xd0), 0.003));
    p.drawPath(glass);
    const qreal pillar = (g1 + g2) / 2 + 0.02;
    p.setPen(Qt::NoPen);
    p.setBrush(s.roof);
    p.drawRect(QRectF(pillar - 0.008, roofY, 0.016, belt - roofY));

    // Body over the lower edge of the cabin.
    p.setPen(QPen(QColor(0x1a, 0x1a, 0x1a), 0.0025));
    p.setBrush(s.body);
    p.drawPath(bodyPath);

    // Wheel wells: dark openings inside the body outline (rear one covered by
    // a fender skirt on the mid-fifties finned cars).
    const bool skirts = fins && y <= 1958;
    p.save();
    p.setClipPath(bodyPath);
    p.setPen(QPen(QColor(0x1a, 0x1a, 0x1a), 0.0025));
    p.setBrush(QColor(0x22, 0x22, 0x24));
    p.drawEllipse(frontWheel, wheelR + 0.010, wheelR + 0.010);
    if (!skirts)
        p.drawEllipse(rearWheel, wheelR + 0.010, wheelR + 0.010);
    p.restore();

    // Two-tone side sweep of the mid-fifties and the body side chrome.
    if (y >= 1955 && y <= 1959) {
        QPainterPath sweep;
        sweep.moveTo(0.28, belt + 0.030);
        sweep.lineTo(0.97, belt + 0.012);
        sweep.lineTo(0.97, belt + 0.060);
        sweep.lineTo(0.45, belt + 0.060);
        sweep.closeSubpath();
        p.save();
        p.setClipPath(bodyPath);
        p.setPen(Qt::NoPen);
        p.setBrush(s.accent);
        p.drawPath(sweep);
        p.restore();
    }
    p.setPen(QPen(QColor(0xe6, 0xe8, 0xea), 0.005, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.07, belt + 0.032), QPointF(0.95, belt + (fins ? 0.014 : 0.030)));
    p.setPen(QPen(QColor(0x55, 0x5a, 0x60), 0.0015));
    p.drawLine(QPointF(0.07, belt + 0.036), QPointF(0.95, belt + (fins ? 0.018 : 0.034)));

    // Door line and handle.
    p.setPen(QPen(QColor(0, 0, 0, 120), 0.0018));
    p.drawLine(QPointF(pillar, belt + 0.004), QPointF(pillar, rocker - 0.004));
    p.drawLine(QPointF(g0 + 0.02, belt + 0.004), QPointF(g0 + 0.035, rocker - 0.004));
    p.setPen(QPen(QColor(0xe6, 0xe8, 0xea), 0.004, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(pillar - 0.045, belt + 0.018), QPointF(pillar - 0.02, belt + 0.018));

    // Lamps.
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 0.0015));
    p.setBrush(QColor(0xff, 0xf6, 0xc8));
    p.drawEllipse(QPointF(0.028, frontTop + 0.022), 0.010, 0.014);
    p.setBrush(QColor(0xc4, 0x1e, 0x1e));
    if (fins)
        p.drawRoundedRect(QRectF(0.972, finTop + 0.008, 0.016, 0.035), 0.004, 0.004);
    else
        p.drawRoundedRect(QRectF(0.975, rearTop + 0.012, 0.014, 0.022), 0.004, 0.004);

    // Bumpers.
    p.setPen(QPen(QColor(0x50, 0x55, 0x5a), 0.0015));
    p.setBrush(chromeGradient(0.235, 0.27));
    p.drawRoundedRect(QRectF(0.000, 0.236, 0.085, 0.034), 0.012, 0.012);
    p.drawRoundedRect(QRectF(0.925, 0.236, 0.075, 0.034), 0.012, 0.012);

    // Wheels.
    for (const QPointF& c : {frontWheel, rearWheel}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x16, 0x16, 0x16));
        p.drawEllipse(c, wheelR, wheelR);
        if (s.whitewalls) {
            p.setBrush(QColor(0xf4, 0xf4, 0xf0));
            p.drawEllipse(c, wheelR * 0.78, wheelR * 0.78);
            p.setBrush(QColor(0x16, 0x16, 0x16));
            p.drawEllipse(c, wheelR * 0.58, wheelR * 0.58);
        }
        QRadialGradient hub(c - QPointF(wheelR * 0.15, wheelR * 0.15), wheelR * 0.55);
        hub.setColorAt(0, QColor(0xff, 0xff, 0xff));
        hub.setColorAt(0.6, QColor(0xb4, 0xb9, 0xbf));
        hub.setColorAt(1, QColor(0x6d, 0x73, 0x7b));
        p.setBrush(hub);
        p.drawEllipse(c, wheelR * 0.5, wheelR * 0.5);
        p.setBrush(s.body);
        p.drawEllipse(c, wheelR * 0.12, wheelR * 0.12);
    }
    if (skirts) {
        // The skirt hides the top of the rear wheel; its lower edge runs level
        // just above the hub.
        p.save();
        p.setClipPath(bodyPath);
        p.setPen(Qt::NoPen);
        p.setBrush(s.body);
        const QRectF skirt(rearWheel.x() - wheelR - 0.012, rearWheel.y() - wheelR - 0.012, 2 * wheelR + 0.024,
                           wheelR * 0.75 + 0.012);
        p.drawRect(skirt);
        p.setPen(QPen(QColor(0x1a, 0x1a, 0x1a), 0.0025));
        p.drawLine(skirt.bottomLeft(), skirt.bottomRight());
        p.setPen(QPen(QColor(0xe6, 0xe8, 0xea), 0.004, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(skirt.bottomLeft() + QPointF(0.004, -0.006), skirt.bottomRight() + QPointF(-0.004, -0.006));
        p.restore();
    }
}

// A landscape panel with sky, distant hills, a road and the car on it.
void drawScene(QPainter& p, const QRectF& r, const CarStyle& car, quint32 h, bool framed)
{
    p.save();
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    const QColor skyColour = pick(kSky, h);
    sky.setColorAt(0, skyColour.lighter(108));
    sky.setColorAt(1, skyColour.darker(104));
    p.setPen(framed ? QPen(QColor(0x30, 0x30, 0x30), 3) : QPen(Qt::NoPen));
    p.setBrush(sky);
    p.drawRect(r);
    p.setClipRect(r);

    // Sun or moon.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xfb, 0xe8, 200));
    p.drawEllipse(QPointF(r.left() + r.width() * (0.15 + (h % 7) * 0.1), r.top() + r.height() * 0.2),
                  r.height() * 0.08, r.height() * 0.08);

    // Hills.
    QPainterPath hills;
    const qreal horizon = r.top() + r.height() * 0.58;
    hills.moveTo(r.left(), horizon);
    const int bumps = 3 + int(h % 3);
    for (int i = 0; i < bumps; ++i) {
        const qreal x0 = r.left() + r.width() * i / bumps;
        const qreal x1 = r.left() + r.width() * (i + 1) / bumps;
        const qreal peak = horizon - r.height() * (0.10 + 0.06 * ((h >> (i * 3)) % 4));
        hills.quadTo(QPointF((x0 + x1) / 2, peak), QPointF(x1, horizon));
    }
    hills.lineTo(r.right(), r.bottom());
    hills.lineTo(r.left(), r.bottom());
    hills.closeSubpath();
    p.setBrush(pick(kHills, h >> 5));
    p.drawPath(hills);

    // Road.
    const QRectF road(r.left(), r.top() + r.height() * 0.72, r.width(), r.height() * 0.28);
    p.setBrush(QColor(0x8e, 0x8c, 0x88));
    p.drawRect(road);
    p.setBrush(QColor(0xee, 0xe8, 0xd0));
    for (int i = 0; i < 8; ++i)
        p.drawRect(QRectF(road.left() + road.width() * (i / 8.0 + 0.02), road.top() + road.height() * 0.78,
                          road.width() * 0.06, road.height() * 0.05));

    // The car, 86% of the panel width, standing on the road.
    const qreal length = std::min(r.width() * 0.86, r.height() * 0.9 / 0.32);
    const QPointF at(r.center().x() - length / 2, road.top() + road.height() * 0.62 - 0.31 * length);
    p.translate(at);
    p.scale(length, length);
    drawCar(p, car);
    p.restore();
}

CarStyle carStyleFor(const QString& makeCode, int year, int number)
{
    const quint32 h = stableHash(makeCode, 11u + quint32(number) * 131u + quint32(year) * 7u);
    CarStyle s;
    s.year = year;
    s.body = pick(kBody, h);
    s.roof = (year >= 1954 && year <= 1961) || (h & 0x100) ? pick(kRoof, h >> 4) : s.body;
    if (s.roof == s.body)
        s.roof = s.body.darker(115);
    s.accent = pick(kRoof, h >> 9);
    if (s.accent == s.roof)
        s.accent = s.body.lighter(130);
    s.whitewalls = year <= 1963 || (h & 0x40);
    s.fastback = year >= 1965 && (h & 0x80);
    return s;
}

QString parentOf(const QString& makeCode)
{
    for (const ParentCompany& parent : catalogue())
        for (const QString& make : parent.makes)
            if (!make.isEmpty() && makeCodeFor(parent.caption, make).compare(makeCode, Qt::CaseInsensitive) == 0)
                return parent.caption.trimmed();
    return QString();
}

} // namespace

// ---- Advertisement ------------------------------------------------------------

QImage drawAdvertisement(const QString& makeName, const QString& makeCode, int modelYear, int number,
                         const QString& fileName, QSize size)
{
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    const quint32 h = stableHash(makeCode.toUpper(), quint32(number) * 2654435761u + quint32(modelYear));
    const quint32 makeHash = stableHash(makeCode.toUpper());
    const QColor paper = pick(kPaper, h);
    const QColor ink = pick(kInk, makeHash + quint32(number));
    image.fill(paper);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF design(1275, 1650);
    const Canvas c = makeCanvas(p, size, design);
    applyDesignTransform(p, c);

    // Aged paper: a gentle darkening towards the bottom.
    QLinearGradient age(0, 0, 0, design.height());
    age.setColorAt(0, paper.lighter(102));
    age.setColorAt(1, paper.darker(106));
    p.fillRect(QRectF(QPointF(0, 0), design), age);

    // Border: a heavy rule with a fine one inside it.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 7));
    p.drawRect(QRectF(40, 40, design.width() - 80, design.height() - 80));
    p.setPen(QPen(ink, 2));
    p.drawRect(QRectF(58, 58, design.width() - 116, design.height() - 116));

    const QString make = makeName.isEmpty() ? makeCode : makeName;
    const QString year = QString::number(modelYear);
    const CarStyle car = carStyleFor(makeCode.toUpper(), modelYear, number);
    const QString slogan = QString::fromLatin1(pick(kSlogans, h >> 3));
    const QString parent = parentOf(makeCode);
    const int layout = int((makeHash + quint32(number) + quint32(modelYear)) % 3);
    const int copy0 = int((h >> 7) % kCopy.size());
    const QString headline = QStringLiteral("The %1 %2").arg(year, make);
    const QColor body(0x2a, 0x26, 0x22);
    const int centered = Qt::AlignHCenter | Qt::AlignVCenter;
    const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

    QRectF scene, copyRect;
    if (layout == 0) {
        // Headline over a framed landscape, copy in two columns.
        c.text(QRectF(100, 95, 1075, 80), centered, QStringLiteral("Presenting"), kSerif, 48, ink, false, true);
        c.text(QRectF(90, 170, 1095, 190), centered, headline, kSerif, 150, ink, true, false, true);
        c.text(QRectF(100, 360, 1075, 60), centered, slogan, kSerif, 44, body, false, true, true);
        scene = QRectF(110, 450, 1055, 620);
        drawScene(p, scene, car, h, true);
        copyRect = QRectF(110, 1110, 500, 330);
        c.text(copyRect, wrap, copyText(copy0, make, modelYear), kSerif, 30, body);
        c.text(copyRect.translated(555, 0), wrap, copyText(copy0 + 3, make, modelYear), kSerif, 30, body);
    } else if (layout == 1) {
        // Full-width picture at the top, headline below it.
        scene = QRectF(59, 59, 1157, 760);
        drawScene(p, scene, car, h, false);
        p.setPen(QPen(ink, 2));
        p.drawLine(QPointF(59, 819), QPointF(1216, 819));
        c.text(QRectF(90, 850, 1095, 200), centered, headline, kSerif, 150, ink, true, false, true);
        c.text(QRectF(100, 1050, 1075, 60), centered, slogan, kSerif, 46, body, false, true, true);
        copyRect = QRectF(130, 1140, 1015, 300);
        c.text(copyRect, wrap | Qt::AlignJustify,
               copyText(copy0, make, modelYear) + QStringLiteral("\n\n") + copyText(copy0 + 5, make, modelYear),
               kSerif, 32, body);
    } else {
        // Banner headline in a coloured band, picture in the middle, copy in a column.
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(QRectF(59, 59, 1157, 300));
        c.text(QRectF(90, 75, 1095, 90), centered, year, kSerif, 80, paper, true);
        c.text(QRectF(90, 160, 1095, 180), centered, make.toUpper(), kSerif, 160, paper, true, false, true);
        c.text(QRectF(100, 380, 1075, 70), centered, headline + QStringLiteral(" \u2014 ") + slogan, kSerif, 44, ink,
               false, true, true);
        scene = QRectF(140, 470, 995, 600);
        drawScene(p, scene, car, h, true);
        copyRect = QRectF(140, 1110, 700, 330);
        c.text(copyRect, wrap, copyText(copy0, make, modelYear), kSerif, 31, body);
        // Price-box style call-out.
        const QRectF box(880, 1110, 255, 220);
        p.setPen(QPen(ink, 4));
        p.setBrush(paper.lighter(104));
        p.drawRect(box);
        c.text(box.adjusted(12, 12, -12, -12), centered | Qt::TextWordWrap,
               QStringLiteral("See it\ndrive it\ntoday!"), kSerif, 42, ink, true, true);
    }

    // Emblem and dealer line at the foot of the page.
    const QImage emblem = drawEmblem(make, makeCode, QSize(qRound(150 * c.scale), qRound(150 * c.scale)));
    p.save();
    p.resetTransform();
    p.drawImage(c.map(QPointF(100, 1445)), emblem);
    p.restore();
    c.text(QRectF(280, 1450, 880, 70), Qt::AlignLeft | Qt::AlignVCenter,
           QStringLiteral("See it at your %1 dealer's today!").arg(make), kSerif, 44, ink, true, false, true);
    if (!parent.isEmpty())
        c.text(QRectF(280, 1515, 880, 50), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("%1 DIVISION \u00b7 %2 MOTORS").arg(make.toUpper(), parent.toUpper()), kSans, 26,
               body, false, false, true);

    // The file's own name in small print, bottom right inside the frame.
    c.text(QRectF(700, 1565, 500, 22), Qt::AlignRight | Qt::AlignVCenter, fileName, kSans, 20,
           QColor(0x40, 0x3c, 0x38));
    p.end();
    return image;
}

// ---- Company picture ----------------------------------------------------------

QImage drawCompanyPicture(const QString& parentName, QSize size)
{
    if (size.isEmpty())
        return QImage();
    const QString name = parentName.trimmed();
    const quint32 h = stableHash(name.toUpper(), 77u);
    const QColor paper = pick(kPaper, h);
    const QColor ink = pick(kInk, h >> 3);
    QImage image(size, QImage::Format_RGB32);
    image.fill(paper);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF design(600, 760);
    const Canvas c = makeCanvas(p, size, design);
    applyDesignTransform(p, c);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 5));
    p.drawRect(QRectF(16, 16, 568, 728));
    p.setPen(QPen(ink, 1.5));
    p.drawRect(QRectF(26, 26, 548, 708));

    // Heading.
    QStringList makes;
    for (const ParentCompany& parent : catalogue())
        if (parent.caption.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            for (const QString& make : parent.makes)
                if (!make.isEmpty())
                    makes << make;
    const bool independents = name.compare(QStringLiteral("Others"), Qt::CaseInsensitive) == 0;
    const std::array<const char*, 3> suffixes{{"Motors Corporation", "Motor Company", "Motor Works"}};
    const QString title = independents ? QStringLiteral("THE INDEPENDENTS") : name.toUpper();
    const QString subtitle = independents ? QStringLiteral("Fine cars from America's smaller makers")
                                          : QString::fromLatin1(pick(suffixes, h));
    c.text(QRectF(40, 40, 520, 90), Qt::AlignCenter, title, kSerif, 72, ink, true, false, true);
    c.text(QRectF(40, 128, 520, 40), Qt::AlignCenter, subtitle, kSerif, 28, ink, false, true, true);

    // The plant: sky, a skyline of factory halls with saw-tooth roofs and stacks.
    const QRectF art(50, 185, 500, 330);
    QLinearGradient sky(art.topLeft(), art.bottomLeft());
    sky.setColorAt(0, pick(kSky, h >> 2).lighter(106));
    sky.setColorAt(1, pick(kSky, h >> 2).darker(108));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
    p.setBrush(sky);
    p.drawRect(art);
    p.save();
    p.setClipRect(art);
    p.setPen(Qt::NoPen);
    const QColor hall = ink.lighter(140);
    for (int i = 0; i < 4; ++i) {
        // Stacks with a curl of smoke.
        const qreal x = art.left() + 60 + i * 115 + (h >> i) % 20;
        p.setBrush(QColor(0x6a, 0x5a, 0x50));
        p.drawRect(QRectF(x, art.top() + 70, 16, 170));
        p.setBrush(QColor(0xe8, 0xe4, 0xdc, 210));
        p.drawEllipse(QRectF(x - 10, art.top() + 40, 40, 28));
        p.drawEllipse(QRectF(x + 14, art.top() + 22, 46, 30));
    }
    QPainterPath roofs;
    const qreal base = art.top() + 200;
    roofs.moveTo(art.left(), base);
    for (int i = 0; i < 10; ++i) {
        const qreal x0 = art.left() + i * 50;
        roofs.lineTo(x0 + 35, base - 40);
        roofs.lineTo(x0 + 35, base);
        roofs.lineTo(x0 + 50, base);
    }
    roofs.lineTo(art.right(), art.bottom());
    roofs.lineTo(art.left(), art.bottom());
    roofs.closeSubpath();
    p.setBrush(hall);
    p.drawPath(roofs);
    p.setBrush(QColor(0xf6, 0xe7, 0xa8));
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 12; ++i)
            p.drawRect(QRectF(art.left() + 14 + i * 41, base + 20 + row * 36, 22, 18));
    p.setBrush(QColor(0x8e, 0x8c, 0x88));
    p.drawRect(QRectF(art.left(), art.bottom() - 40, art.width(), 40));
    p.restore();

    // Makes and a line of corporate prose.
    const QString makeLine = makes.join(QStringLiteral("  \u00b7  "));
    c.text(QRectF(40, 530, 520, 44), Qt::AlignCenter, makeLine.isEmpty() ? name : makeLine, kSerif, 30, ink, true,
           false, true);
    c.text(QRectF(60, 585, 480, 110), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
           QStringLiteral("Skilled hands and modern plants, working together to bring you more car for your "
                          "money, year after year."),
           kSerif, 22, QColor(0x2a, 0x26, 0x22), false, true);
    c.text(QRectF(40, 690, 520, 36), Qt::AlignCenter,
           independents ? QStringLiteral("Independent makers") : QStringLiteral("%1 \u00b7 Since 1919").arg(name),
           kSans, 18, ink);
    p.end();
    return image;
}

// ---- Emblem -----------------------------------------------------------------

namespace {

struct EmblemColours
{
    QColor ground, ring, field, letter, chrome;
};

EmblemColours emblemColours(const QString& makeCode)
{
    const quint32 h = stableHash(makeCode.toUpper(), 5u);
    EmblemColours e;
    e.ground = QColor(0xfb, 0xf8, 0xf0);
    e.ring = pick(kInk, h);
    e.field = pick(kBody, h >> 4);
    if (e.field == e.ring)
        e.field = e.ring.lighter(160);
    e.letter = QColor(0xfb, 0xf8, 0xf0);
    e.chrome = QColor(0xc0, 0xc4, 0xc9);
    return e;
}

} // namespace

QImage drawEmblem(const QString& makeName, const QString& makeCode, QSize size)
{
    if (size.isEmpty())
        return QImage();
    const EmblemColours e = emblemColours(makeCode);
    const QString make = makeName.isEmpty() ? makeCode : makeName;
    QImage image(size, QImage::Format_RGB32);
    image.fill(e.ground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const Canvas c = makeCanvas(p, size, QSizeF(300, 300));
    applyDesignTransform(p, c);

    // Wings either side of the roundel.
    p.setPen(Qt::NoPen);
    p.setBrush(e.chrome);
    for (int side : {-1, 1}) {
        QPainterPath wing;
        wing.moveTo(150 + side * 80, 120);
        wing.lineTo(150 + side * 145, 105);
        wing.lineTo(150 + side * 130, 128);
        wing.lineTo(150 + side * 140, 132);
        wing.lineTo(150 + side * 118, 150);
        wing.lineTo(150 + side * 126, 156);
        wing.lineTo(150 + side * 80, 175);
        wing.closeSubpath();
        p.drawPath(wing);
    }
    p.setBrush(e.ring);
    p.drawEllipse(QPointF(150, 140), 95, 95);
    p.setBrush(e.chrome);
    p.drawEllipse(QPointF(150, 140), 82, 82);
    p.setBrush(e.field);
    p.drawEllipse(QPointF(150, 140), 76, 76);
    c.text(QRectF(75, 70, 150, 140), Qt::AlignCenter, make.left(1).toUpper(), kSerif, 110, e.letter, true);

    // Ribbon with the make's name.
    p.setPen(QPen(e.ring.darker(130), 2));
    p.setBrush(e.ring);
    p.drawRoundedRect(QRectF(25, 215, 250, 52), 8, 8);
    c.text(QRectF(35, 217, 230, 48), Qt::AlignCenter, make.toUpper(), kSerif, 34, e.letter, true, false, true);
    c.text(QRectF(25, 268, 250, 26), Qt::AlignCenter, makeCode, kSans, 18, e.ring.darker(120));
    p.end();
    return image;
}

QImage indexedEmblem(const QString& makeName, const QString& makeCode, QSize size)
{
    const QImage rgb = drawEmblem(makeName, makeCode, size);
    if (rgb.isNull())
        return QImage();
    // Antialiased edges blend two of the emblem's colours, so ramps between
    // every pair of them reproduce the picture with no visible banding.
    const EmblemColours e = emblemColours(makeCode);
    const std::array<QColor, 6> base{{e.ground, e.ring, e.field, e.letter, e.chrome, e.ring.darker(130)}};
    QList<QRgb> table;
    for (const QColor& b : base)
        if (!table.contains(b.rgb()))
            table << b.rgb();
    const int steps = 14;
    for (size_t i = 0; i < base.size(); ++i)
        for (size_t j = i + 1; j < base.size(); ++j)
            for (int s = 1; s < steps; ++s) {
                const qreal t = qreal(s) / steps;
                const QRgb mix = qRgb(qRound(base[i].red() * (1 - t) + base[j].red() * t),
                                      qRound(base[i].green() * (1 - t) + base[j].green() * t),
                                      qRound(base[i].blue() * (1 - t) + base[j].blue() * t));
                if (table.size() < 256 && !table.contains(mix))
                    table << mix;
            }
    return rgb.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither | Qt::AvoidDither);
}

} // namespace mediagen
