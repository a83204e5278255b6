#pragma once

// Sample media for the advertisement browser: drawn period car advertisements,
// company pictures, make emblems and the two rich-text documents, written in
// the folder layout the browser reads from its media root.
//
// Everything drawn here is deterministic: the same inputs give the same pixels,
// and the same pixels give the same file bytes.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace mediagen {

struct Options
{
    QSize adSize{1275, 1650};   // a letter page scanned at 150 dpi
    int jpegQuality = 85;
    // A solid block of the ad's own colour (centreBlockColour) at the centre of every ad,
    // and the list of them in centre-blocks.txt beside the folders: what a latency probe
    // watches for on the screen.
    bool centreBlock = false;
};

// What a write produced; filled in by writeSampleMedia when asked for.
struct WriteStats
{
    int files = 0;
    qint64 bytes = 0;
};

// One advertisement of the default set.
struct SampleAd
{
    QString file;        // relative to the media root, e.g. "Ads/55VaSo02.jpg"
    QString makeCode;    // as the catalogue spells it, e.g. "VaSo"
    int modelYear = 0;   // 1950..1969
    int number = 0;      // 0..99
};

// ---- Drawn pictures --------------------------------------------------------

QImage drawAdvertisement(const QString& makeName, const QString& makeCode, int modelYear,
                         int number, const QString& fileName, QSize size);
QImage drawCompanyPicture(const QString& parentName, QSize size);
QImage drawEmblem(const QString& makeName, const QString& makeCode, QSize size);

// The emblem as stored on the media: 8-bit indexed with a palette built from
// the make's colours, so that it stays small on disk.
QImage indexedEmblem(const QString& makeName, const QString& makeCode, QSize size);

// The colour of an ad's centre block: fully saturated hues 54 degrees apart from one
// number to the next within a year (all twenty numbers differ), 126 degrees apart from
// one year's to the next year's.
QColor centreBlockColour(int modelYear, int number);
// The block's rectangle in an ad of that size: a fifth of its width and height, centred.
QRect centreBlockRect(QSize adSize);
// The file that lists each ad's block, one "file RRGGBB" line each, beside the folders.
QString centreBlockListName();

// ---- Documents ---------------------------------------------------------------

QByteArray noticeRtf();
QByteArray registerRtf();

// ---- Writing -------------------------------------------------------------------
// All writers go through QSaveFile: either the whole file appears or nothing
// does. Missing parent folders are created. On failure `error` (if given)
// receives the path and the system's reason.

bool writeJpeg(const QImage& image, const QString& path, int quality, QString* error);
bool writeBmp(const QImage& image, const QString& path, QString* error);
bool writeBytes(const QByteArray& bytes, const QString& path, QString* error);

// One advertisement as it appears on the media. The make name is looked up in
// the catalogue (letter case of the code does not matter); an unknown code is
// drawn under its own name. The small print shows the file name of `path`.
bool writeAdvertisement(const QString& path, const QString& makeCode, int modelYear, int number,
                        const Options& options, QString* error);

// The whole default sample media folder under `dir` (created if missing).
bool writeSampleMedia(const QString& dir, const Options& options, QString* error,
                      WriteStats* stats = nullptr);

// ---- The default set ---------------------------------------------------------

// Ad files of the default set, relative to the media root (e.g. "Ads/55VaSo00.jpg").
QStringList sampleAdFiles();
QList<SampleAd> sampleAds();

// Company pictures and emblems, relative to the media root.
QStringList companyPictureFiles();
QStringList emblemFiles();
QStringList richTextFiles();

// Every make code of the catalogue, in catalogue order (hidden makes included).
QStringList allMakeCodes();

// The make caption for a code ("VaSo" -> "Solenne"), ignoring letter case;
// empty when the catalogue has no such make.
QString makeNameForCode(const QString& makeCode);

// ---- Command line ------------------------------------------------------------

// Parses "DIR [--ad-size WxH] [--quality Q] [--centre-block]" (arguments after the program
// name). Returns false with a one-line reason on bad arguments.
bool parseArguments(const QStringList& arguments, QString* dir, Options* options, QString* error);
QString usage();

// Whether the font families the pictures ask for are installed; `missing`
// receives the names of the ones that are not.
bool fontsAvailable(QStringList* missing = nullptr);

} // namespace mediagen
