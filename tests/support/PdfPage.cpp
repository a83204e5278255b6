#include "PdfPage.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

namespace {

constexpr int kToolTimeoutMs = 60000;

bool runTool(const QString& program, const QStringList& arguments, QByteArray* output, QString* error)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(kToolTimeoutMs)) {
        *error = program + QStringLiteral(" did not start: ") + process.errorString();
        return false;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        *error = program + QStringLiteral(" did not finish");
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

bool near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

QString rectText(const QRectF& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

namespace PdfPage {

Info info(const QString& pdfFile)
{
    Info result;
    QByteArray out;
    if (!runTool(QStringLiteral("pdfinfo"), {pdfFile}, &out, &result.error))
        return result;
    const QString text = QString::fromLocal8Bit(out);
    const auto pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
                           .match(text);
    const auto size = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption)
                          .match(text);
    if (!pages.hasMatch() || !size.hasMatch()) {
        result.error = QStringLiteral("pdfinfo gave no page count or size: ") + text;
        return result;
    }
    result.pages = pages.captured(1).toInt();
    result.pointSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return result;
}

QImage render(const QString& pdfFile, int dpi, QString* error)
{
    return renderPage(pdfFile, dpi, 1, error);
}

QImage renderPage(const QString& pdfFile, int dpi, int page, QString* error)
{
    QString why;
    QTemporaryDir dir;
    const QString base = dir.path() + QStringLiteral("/page");
    const QString number = QString::number(page);
    if (!runTool(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), number, QStringLiteral("-l"),
                  number, QStringLiteral("-singlefile"), QStringLiteral("-png"), pdfFile, base},
                 nullptr, &why)) {
        if (error)
            *error = why;
        return QImage();
    }
    QImage image(base + QStringLiteral(".png"));
    if (image.isNull() && error)
        *error = QStringLiteral("pdftoppm wrote no readable page");
    return image.convertToFormat(QImage::Format_RGB32);
}

QString pageText(const QString& pdfFile, int page, QString* error)
{
    QString why;
    QByteArray out;
    const QString number = QString::number(page);
    if (!runTool(QStringLiteral("pdftotext"),
                 {QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-layout"), pdfFile,
                  QStringLiteral("-")},
                 &out, &why)) {
        if (error)
            *error = why;
        return QString();
    }
    return QString::fromUtf8(out);
}

QRect inkBox(const QImage& page, int tolerance)
{
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if (near(QColor(line[x]), Qt::white, tolerance))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString checkAdPage(const QImage& page, int dpi, const QRectF& printable, const QImage& picture, int tolerance)
{
    if (page.isNull())
        return QStringLiteral("no page");
    const double k = dpi / 72.0;
    const QRectF area(printable.x() * k, printable.y() * k, printable.width() * k, printable.height() * k);
    const QRect ink = inkBox(page);
    if (ink.isEmpty())
        return QStringLiteral("the page is blank");
    // Rendered edges may gain or lose a pixel to anti-aliasing.
    const double slack = 2.0;
    const QRectF inkF(ink.x(), ink.y(), ink.width(), ink.height());
    QStringList problems;
    if (std::abs(inkF.left() - area.left()) > slack || std::abs(inkF.top() - area.top()) > slack)
        problems << QStringLiteral("not at the printable area's top-left corner");
    if (inkF.right() > area.right() + slack || inkF.bottom() > area.bottom() + slack)
        problems << QStringLiteral("runs past the printable area");
    if (std::abs(inkF.right() - area.right()) > slack && std::abs(inkF.bottom() - area.bottom()) > slack)
        problems << QStringLiteral("smaller than the printable area allows");
    const double widthFromHeight = inkF.height() * picture.width() / picture.height();
    if (std::abs(widthFromHeight - inkF.width()) > slack + 0.01 * inkF.width())
        problems << QStringLiteral("proportions changed");
    // Colours on a 4 x 4 grid of cell centres, clear of the picture's middle lines.
    for (int gy = 0; gy < 4 && problems.isEmpty(); ++gy) {
        for (int gx = 0; gx < 4; ++gx) {
            const double fx = (2 * gx + 1) / 8.0, fy = (2 * gy + 1) / 8.0;
            const QColor want = picture.pixelColor(int(fx * picture.width()), int(fy * picture.height()));
            const QPoint at(int(inkF.x() + fx * inkF.width()), int(inkF.y() + fy * inkF.height()));
            const QColor got = page.pixelColor(at);
            if (!near(got, want, tolerance)) {
                problems << QStringLiteral("colour at %1,%2 is %3, the picture has %4")
                                .arg(at.x()).arg(at.y()).arg(got.name(), want.name());
                break;
            }
        }
    }
    if (problems.isEmpty())
        return QString();
    return problems.join(QStringLiteral("; ")) + QStringLiteral(": ink ") + rectText(inkF)
           + QStringLiteral(", printable ") + rectText(area);
}

QImage quadrantPicture(const QSize& size)
{
    QImage picture(size, QImage::Format_RGB32);
    const int w = size.width(), h = size.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool right = 2 * x >= w, bottom = 2 * y >= h;
            QColor c = !bottom ? (right ? QColor(0, 150, 0) : QColor(220, 0, 0))
                               : (right ? QColor(200, 150, 0) : QColor(0, 0, 200));
            picture.setPixelColor(x, y, c);
        }
    return picture;
}

} // namespace PdfPage
