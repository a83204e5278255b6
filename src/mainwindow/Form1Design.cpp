#include "mainwindow/Form1Design.h"

namespace {

// Design colours (&H00BBGGRR).
constexpr quint32 kRed = 0x000000FF;
constexpr quint32 kNavy = 0x00800000;
constexpr quint32 kDarkBlue = 0x00C00000;
constexpr quint32 kDarkRed = 0x00000080;
constexpr quint32 kWhite = 0x00FFFFFF;
constexpr quint32 kGrey = 0x00808080;
constexpr quint32 kBlack = 0x00000000;

// "mor", as designed.
const QString kCounterTip = QStringLiteral(
    "Displays the number of the ad for years in which there are mor than one ad for a particular Make.");
// Ends with a blank, as designed.
const QString kSpinTip = QStringLiteral("Selects backward and forward through multiple ads if present. ");

DesignControl counter(const QString& name, int left, int top, int width, int height)
{
    // The counter boxes hold their design text until a year is shown.
    return at(name, left, top, width, height)
        .withCaption(QStringLiteral("Text1"))
        .withFont(9.75, true)
        .withFore(kRed)
        .withTip(kCounterTip);
}

DesignControl statusPanel(const QString& name, int left, int top, int width, int height)
{
    return at(name, left, top, width, height).withCaption(name).withFont(8.25, true).withFore(kNavy);
}

DesignControl gauge(const QString& name, int left, int top, int width, int height)
{
    return at(name, left, top, width, height).withCaption(QStringLiteral(" ")).withFore(kBlack).withBack(kWhite);
}

DesignTable buildDesign()
{
    DesignTable d = {
        // On the form itself.
        counter(QStringLiteral("Text1"), 3000, 1170, 990, 315),
        at(QStringLiteral("SpinButton1"), 2280, 1170, 615, 285).withTip(kSpinTip),
        counter(QStringLiteral("Text3"), 5400, 7560, 1110, 360),
        at(QStringLiteral("cmdZoomOut"), 4560, 7935, 5295, 375)
            .withCaption(QStringLiteral("Zoom Out")).withFont(9.75, true).withFore(kBlack),
        at(QStringLiteral("SSPanel2"), 360, 1725, 4215, 5655),
        at(QStringLiteral("pnlProgress"), 5040, 480, 7290, 5175).withFore(kNavy).withBack(kWhite),
        at(QStringLiteral("SSPanel1"), 360, 0, 4215, 1695),
        at(QStringLiteral("PicSrc"), 3840, 2520, 360, 1170),
        at(QStringLiteral("VScr"), 11640, 0, 270, 7935)
            .withTip(QStringLiteral("Scroll up and down an ad when in \"zoom in\" mode.")),
        at(QStringLiteral("picDest"), 4920, 120, 2175, 855).withBack(kGrey),
        at(QStringLiteral("PnlCoStar"), 360, 7935, 4215, 375)
            .withCaption(QStringLiteral("Vantorra Ads of the '50s and '60s"))
            .withFont(8.25, true, true)
            .withFore(kRed),
        statusPanel(QStringLiteral("StatusDay"), 360, 7560, 1335, 375),
        statusPanel(QStringLiteral("StatusDate"), 1680, 7560, 1455, 375),
        statusPanel(QStringLiteral("StatusTime"), 3120, 7560, 1455, 375),
        at(QStringLiteral("panParent"), 6600, 7560, 5055, 345)
            .withCaption(QStringLiteral("panParent"))
            .withFont(9.75, true)
            .withFore(kRed)
            .withBack(kWhite)
            .withTip(QStringLiteral("Identifies the ad which is being displayed.")),
        at(QStringLiteral("SSCommand1"), 9720, 7935, 2055, 375)
            .withCaption(QStringLiteral("Exit")).withFont(9.75, true).withFore(kBlack),
        at(QStringLiteral("SpinButton2"), 4560, 7560, 855, 360).withTip(kSpinTip),
        at(QStringLiteral("Image1"), 4920, -120, 6645, 8445)
            .withTip(QStringLiteral("Double click on the ad image to \"zoom in\" and \"zoom out\".")),
        // In SSPanel2.
        at(QStringLiteral("cmdZoom"), 480, 5040, 1455, 495)
            .withCaption(QStringLiteral("Zoom In"))
            .withFont(9.75, true)
            .withFore(kDarkRed)
            // Two blanks before "on" and two full stops, as designed.
            .withTip(QStringLiteral("Click here to \"zoom in\" and \"zoom out\"  on the ad for a better view..")),
        at(QStringLiteral("SSCommand2"), 2280, 5040, 1455, 495)
            .withCaption(QStringLiteral("Exit")).withFont(9.75, true).withFore(kDarkRed),
        // In SSPanel1.
        at(QStringLiteral("Frame1"), 120, 120, 3975, 1455)
            .withCaption(QStringLiteral("Make")).withFont(9.75, true, true).withFore(kNavy),
        at(QStringLiteral("Frame2"), 120, 120, 2055, 2535)
            .withCaption(QStringLiteral("Parent Company")).withFont(9.75, true, true).withFore(kNavy),
        // In Frame2; the captions' trailing blanks are part of the make codes' source.
        at(QStringLiteral("optParent_0"), 240, 360, 1215, 255)
            .withCaption(QStringLiteral("Vantorra "))
            .withFont(9.75, true)
            .withFore(kDarkBlue)
            .withTip(QStringLiteral(
                "Select the Parent Company.  It's division names will then populate the Make selection window.")),
        at(QStringLiteral("optParent_1"), 240, 720, 1455, 255)
            .withCaption(QStringLiteral("Halvern  ")).withFont(9.75, true).withFore(kDarkBlue),
        at(QStringLiteral("optParent_2"), 240, 1080, 735, 255)
            .withCaption(QStringLiteral("KT")).withFont(9.75, true).withFore(kDarkBlue),
        at(QStringLiteral("optParent_3"), 240, 1440, 1695, 255)
            .withCaption(QStringLiteral("Others")).withFont(9.75, true).withFore(kDarkBlue),
        // In pnlProgress.
        at(QStringLiteral("Text2"), 1440, 600, 5415, 255).withFont(9.75, false).withFore(kNavy).withBack(kWhite),
        gauge(QStringLiteral("ProgressGuage2"), 360, 3720, 6495, 375),
        gauge(QStringLiteral("ProgressGuage"), 360, 960, 6495, 375),
        at(QStringLiteral("cmdCopy"), 360, 4320, 3255, 495)
            .withCaption(QStringLiteral("Copy Ads")).withFont(9.75, true).withFore(kBlack),
        at(QStringLiteral("cmdCancel"), 3600, 4320, 3255, 495)
            .withCaption(QStringLiteral("Cancel")).withFont(9.75, true).withFore(kBlack),
        at(QStringLiteral("Label2"), 1560, 240, 4695, 375)
            .withCaption(QStringLiteral("Copy Ads from CD-ROM to hard drive")).withFont(9.75, true).withFore(kNavy),
        at(QStringLiteral("Label1"), 240, 600, 1215, 255)
            .withCaption(QStringLiteral("Copying file:")).withFont(9.75, false).withFore(kNavy),
        at(QStringLiteral("Image2"), 840, 1680, 5400, 1785),
    };
    // The year buttons: two columns of ten in SSPanel2, captioned with their model year.
    for (int i = 0; i < 20; ++i) {
        DesignControl year = at(QStringLiteral("cmdYear_%1").arg(i), i < 10 ? 480 : 2280, 120 + 480 * (i % 10), 1455, 495)
                                 .withCaption(QString::number(1950 + i))
                                 .withFont(8.25, true)
                                 .withFore(kBlack);
        if (i == 0)
            year.withTip(QStringLiteral("Click a Year button to view advertisements that were published that year."));
        d.push_back(year);
    }
    // The make buttons: two columns of three in Frame1, in the frame's font. Only the first
    // has a design caption; parent selection writes the others.
    for (int i = 0; i < 6; ++i) {
        DesignControl make = at(QStringLiteral("Option1_%1").arg(i), i < 3 ? 240 : 2280, 360 + 360 * (i % 3), 1455, 255)
                                 .withFont(9.75, true)
                                 .withFore(kDarkBlue);
        if (i == 0)
            make.withCaption(QStringLiteral(" "));
        d.push_back(make);
    }
    return d;
}

} // namespace

const DesignTable& form1Design()
{
    static const DesignTable design = buildDesign();
    return design;
}
