// Writing pictures and documents, and the default sample media set.

#include "MediaGen.h"

#include "browser/Catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>

namespace mediagen {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool makeParent(const QString& path, QString* error)
{
    const QDir parent = QFileInfo(path).absoluteDir();
    if (parent.exists() || QDir().mkpath(parent.path()))
        return true;
    return fail(error, QStringLiteral("%1: cannot create folder").arg(QDir::toNativeSeparators(parent.path())));
}

bool writeImage(const QImage& image, const QString& path, const char* format, int quality, QString* error)
{
    if (image.isNull())
        return fail(error, QStringLiteral("%1: no picture to write").arg(QDir::toNativeSeparators(path)));
    if (!makeParent(path, error))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    QImageWriter writer(&file, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image)) {
        file.cancelWriting();
        return fail(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), writer.errorString()));
    }
    if (!file.commit())
        return fail(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return true;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Years and numbers of the default set. Together they give the browser every
// case it has to handle: years with 1, 2, 3, 4 and 20 ads, a gap in the
// numbering, a year whose first ad is missing, a number 20, names in mixed
// letter case, a make with no ads and a few ads of the other companies.
QList<SampleAd> buildSampleAds()
{
    QList<int> twenty;
    for (int i = 0; i < 20; ++i)
        twenty << i;

    QList<SampleAd> ads;
    auto add = [&](const QString& code, int year, const QList<int>& numbers, const QString& spelled,
                   const QString& ext) {
        for (int n : numbers) {
            const QString name = twoDigits(year % 100) + (spelled.isEmpty() ? code : spelled) + twoDigits(n) +
                                 QLatin1Char('.') + ext;
            ads << SampleAd{QStringLiteral("Ads/") + name, code, year, n};
        }
    };
    const QString jpg = QStringLiteral("jpg");
    // Vantorra: ads in six years, with 3, 4, 1, 2, 20 and 2 ads.
    add(QStringLiteral("VaVa"), 1950, {0, 1, 2}, {}, jpg);
    add(QStringLiteral("VaVa"), 1955, {0, 1, 2, 3}, {}, jpg);
    add(QStringLiteral("VaVa"), 1957, {0}, {}, jpg);
    add(QStringLiteral("VaVa"), 1960, {0, 1}, {}, jpg);
    add(QStringLiteral("VaVa"), 1965, twenty, {}, jpg);
    add(QStringLiteral("VaVa"), 1969, {0, 1}, {}, jpg);
    // Solenne: 1952 skips number 02; 1958 has 01 but no 00.
    add(QStringLiteral("VaSo"), 1952, {0, 1, 3}, {}, jpg);
    add(QStringLiteral("VaSo"), 1956, {0, 1}, {}, jpg);
    add(QStringLiteral("VaSo"), 1958, {1}, {}, jpg);
    add(QStringLiteral("VaSo"), 1963, {0, 1, 2}, {}, jpg);
    // Tarvis: 1967 runs 00, 01 and then 20.
    add(QStringLiteral("VaTa"), 1951, {0}, {}, jpg);
    add(QStringLiteral("VaTa"), 1959, {0, 1, 2}, {}, jpg);
    add(QStringLiteral("VaTa"), 1967, {0, 1, 20}, {}, jpg);
    // Ambrel: file names in assorted letter case.
    add(QStringLiteral("VaAm"), 1954, {0}, QStringLiteral("vaam"), QStringLiteral("JPG"));
    add(QStringLiteral("VaAm"), 1954, {1}, QStringLiteral("VAAM"), jpg);
    add(QStringLiteral("VaAm"), 1961, {0}, {}, jpg);
    add(QStringLiteral("VaAm"), 1961, {1}, QStringLiteral("vaAM"), QStringLiteral("Jpg"));
    add(QStringLiteral("VaAm"), 1966, {0, 1}, {}, jpg);
    // Rovane (VaRo) has no ads at all.
    // The other companies.
    add(QStringLiteral("HaOr"), 1955, {0}, {}, jpg);
    add(QStringLiteral("KTUl"), 1958, {0, 1}, {}, jpg);
    add(QStringLiteral("OtIs"), 1963, {0}, {}, jpg);
    return ads;
}

} // namespace

// ---- Writing ------------------------------------------------------------------

bool writeJpeg(const QImage& image, const QString& path, int quality, QString* error)
{
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    return writeImage(rgb, path, "jpeg", qBound(0, quality, 100), error);
}

bool writeBmp(const QImage& image, const QString& path, QString* error)
{
    // 8-bit indexed pictures stay 8-bit; anything else is stored as 24-bit RGB
    // (the BMP writer drops the unused alpha byte of RGB32).
    const QImage out = image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    return writeImage(out, path, "bmp", -1, error);
}

bool writeBytes(const QByteArray& bytes, const QString& path, QString* error)
{
    if (!makeParent(path, error))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason));
    }
    if (!file.commit())
        return fail(error, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return true;
}

bool writeAdvertisement(const QString& path, const QString& makeCode, int modelYear, int number,
                        const Options& options, QString* error)
{
    if (options.adSize.isEmpty())
        return fail(error, QStringLiteral("advertisement size %1x%2 is empty")
                               .arg(options.adSize.width())
                               .arg(options.adSize.height()));
    const QString name = makeNameForCode(makeCode);
    QImage ad = drawAdvertisement(name.isEmpty() ? makeCode : name, makeCode, modelYear, number,
                                  QFileInfo(path).fileName(), options.adSize);
    if (options.centreBlock) {
        QPainter p(&ad);
        p.fillRect(centreBlockRect(options.adSize), centreBlockColour(modelYear, number));
    }
    return writeJpeg(ad, path, options.jpegQuality, error);
}

QColor centreBlockColour(int modelYear, int number)
{
    const int step = ((modelYear - 1950) * 7 + number * 3) % 20;
    return QColor::fromHsv(((step + 20) % 20) * 18, 255, 255);
}

QRect centreBlockRect(QSize adSize)
{
    const int w = qMax(1, adSize.width() / 5);
    const int h = qMax(1, adSize.height() / 5);
    return QRect((adSize.width() - w) / 2, (adSize.height() - h) / 2, w, h);
}

QString centreBlockListName()
{
    return QStringLiteral("centre-blocks.txt");
}

// ---- The default set ----------------------------------------------------------

QList<SampleAd> sampleAds()
{
    static const QList<SampleAd> ads = buildSampleAds();
    return ads;
}

QStringList sampleAdFiles()
{
    QStringList files;
    for (const SampleAd& ad : sampleAds())
        files << ad.file;
    return files;
}

QStringList allMakeCodes()
{
    QStringList codes;
    for (const ParentCompany& parent : catalogue())
        for (const QString& make : parent.makes)
            if (!make.isEmpty())
                codes << makeCodeFor(parent.caption, make);
    return codes;
}

QString makeNameForCode(const QString& makeCode)
{
    for (const ParentCompany& parent : catalogue())
        for (const QString& make : parent.makes)
            if (!make.isEmpty() && makeCodeFor(parent.caption, make).compare(makeCode, Qt::CaseInsensitive) == 0)
                return make;
    return QString();
}

QStringList companyPictureFiles()
{
    QStringList files;
    for (const ParentCompany& parent : catalogue())
        files << parent.companyPicture.mid(parent.companyPicture.startsWith(QLatin1Char('/')) ? 1 : 0);
    return files;
}

QStringList emblemFiles()
{
    QStringList files;
    for (const QString& code : allMakeCodes())
        files << QStringLiteral("Graphics/Emb%1.bmp").arg(code);
    return files;
}

QStringList richTextFiles()
{
    return {QStringLiteral("RichText/notice.rtf"), QStringLiteral("RichText/Register.rtf")};
}

bool writeSampleMedia(const QString& dir, const Options& options, QString* error, WriteStats* stats)
{
    if (options.adSize.isEmpty())
        return fail(error, QStringLiteral("advertisement size %1x%2 is empty")
                               .arg(options.adSize.width())
                               .arg(options.adSize.height()));
    const QDir root(dir);
    if (!QDir().mkpath(dir) || !QFileInfo(dir).isDir())
        return fail(error, QStringLiteral("%1: cannot create folder").arg(QDir::toNativeSeparators(dir)));

    WriteStats counted;
    auto done = [&](const QString& relative) {
        ++counted.files;
        counted.bytes += QFileInfo(root.filePath(relative)).size();
    };

    QByteArray blocks;
    for (const SampleAd& ad : sampleAds()) {
        if (!writeAdvertisement(root.filePath(ad.file), ad.makeCode, ad.modelYear, ad.number, options, error))
            return false;
        done(ad.file);
        blocks += ad.file.toUtf8() + ' ' +
                  centreBlockColour(ad.modelYear, ad.number).name().mid(1).toUtf8() + '\n';
    }
    if (options.centreBlock) {
        if (!writeBytes(blocks, root.filePath(centreBlockListName()), error))
            return false;
        done(centreBlockListName());
    }

    // Company pictures: BMP or JPEG as their names say.
    const QSize companySize(600, 760);
    const QStringList pictures = companyPictureFiles();
    for (size_t i = 0; i < catalogue().size(); ++i) {
        const QString& file = pictures[int(i)];
        const QImage picture = drawCompanyPicture(catalogue()[i].caption, companySize);
        const bool ok = file.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)
                            ? writeBmp(picture, root.filePath(file), error)
                            : writeJpeg(picture, root.filePath(file), options.jpegQuality, error);
        if (!ok)
            return false;
        done(file);
    }

    // Emblems: small 8-bit BMPs, one for every make including the hidden ones.
    const QStringList codes = allMakeCodes();
    const QStringList emblems = emblemFiles();
    for (int i = 0; i < codes.size(); ++i) {
        const QImage emblem = indexedEmblem(makeNameForCode(codes[i]), codes[i], QSize(300, 300));
        if (!writeBmp(emblem, root.filePath(emblems[i]), error))
            return false;
        done(emblems[i]);
    }

    const QStringList documents = richTextFiles();
    if (!writeBytes(noticeRtf(), root.filePath(documents[0]), error))
        return false;
    done(documents[0]);
    if (!writeBytes(registerRtf(), root.filePath(documents[1]), error))
        return false;
    done(documents[1]);

    if (stats)
        *stats = counted;
    return true;
}

// ---- Command line ---------------------------------------------------------------

QString usage()
{
    return QStringLiteral("usage: vantorra-mediagen DIR [--ad-size WxH] [--quality Q] [--centre-block]\n"
                          "  Writes the sample media folder DIR.\n"
                          "  --ad-size WxH    advertisement size in pixels (default 1275x1650)\n"
                          "  --quality Q      JPEG quality 0..100 (default 85)\n"
                          "  --centre-block   a solid block of each ad's own colour at its centre, listed\n"
                          "                   in DIR/centre-blocks.txt (for the latency benchmark)");
}

bool parseArguments(const QStringList& arguments, QString* dir, Options* options, QString* error)
{
    Options parsed;
    QString target;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        QString option = arg;
        QString value;
        const bool isOption = arg.startsWith(QLatin1String("--"));
        if (isOption) {
            const int eq = int(arg.indexOf(QLatin1Char('=')));
            if (eq > 0) {
                option = arg.left(eq);
                value = arg.mid(eq + 1);
            } else if (option == QLatin1String("--ad-size") || option == QLatin1String("--quality")) {
                if (i + 1 >= arguments.size())
                    return fail(error, QStringLiteral("%1 needs a value").arg(option));
                value = arguments[++i];
            }
        }
        if (option == QLatin1String("--ad-size")) {
            static const QRegularExpression re(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
            const QRegularExpressionMatch m = re.match(value);
            const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
            const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
            if (w < 16 || h < 16 || w > 20000 || h > 20000)
                return fail(error, QStringLiteral("bad --ad-size '%1' (expected WxH, 16..20000)").arg(value));
            parsed.adSize = QSize(w, h);
        } else if (option == QLatin1String("--quality")) {
            bool ok = false;
            const int q = value.toInt(&ok);
            if (!ok || q < 0 || q > 100)
                return fail(error, QStringLiteral("bad --quality '%1' (expected 0..100)").arg(value));
            parsed.jpegQuality = q;
        } else if (option == QLatin1String("--centre-block") && value.isEmpty()) {
            parsed.centreBlock = true;
        } else if (isOption || (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)) {
            return fail(error, QStringLiteral("unknown option '%1'").arg(arg));
        } else if (target.isEmpty()) {
            target = arg;
        } else {
            return fail(error, QStringLiteral("more than one folder given ('%1', '%2')").arg(target, arg));
        }
    }
    if (target.isEmpty())
        return fail(error, QStringLiteral("no folder given"));
    if (dir)
        *dir = target;
    if (options)
        *options = parsed;
    return true;
}

bool fontsAvailable(QStringList* missing)
{
    QStringList absent;
    const QStringList families = QFontDatabase::families();
    for (const QString& family : {QStringLiteral("DejaVu Serif"), QStringLiteral("DejaVu Sans")})
        if (!families.contains(family, Qt::CaseInsensitive))
            absent << family;
    if (missing)
        *missing = absent;
    return absent.isEmpty();
}

} // namespace mediagen
