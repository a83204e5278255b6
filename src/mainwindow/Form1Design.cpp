#include "mainwindow/Form1Design.h"

namespace {

std::vector<DesignPosition> buildDesign()
{
    std::vector<DesignPosition> d = {
        // On the form itself.
        {"Text1", 3000, 1170, 990, 315},
        {"SpinButton1", 2280, 1170, 615, 285},
        {"Text3", 5400, 7560, 1110, 360},
        {"cmdZoomOut", 4560, 7935, 5295, 375},
        {"SSPanel2", 360, 1725, 4215, 5655},
        {"pnlProgress", 5040, 480, 7290, 5175},
        {"SSPanel1", 360, 0, 4215, 1695},
        {"PicSrc", 3840, 2520, 360, 1170},
        {"VScr", 11640, 0, 270, 7935},
        {"picDest", 4920, 120, 2175, 855},
        {"PnlCoStar", 360, 7935, 4215, 375},
        {"StatusDay", 360, 7560, 1335, 375},
        {"StatusDate", 1680, 7560, 1455, 375},
        {"StatusTime", 3120, 7560, 1455, 375},
        {"panParent", 6600, 7560, 5055, 345},
        {"SSCommand1", 9720, 7935, 2055, 375},
        {"SpinButton2", 4560, 7560, 855, 360},
        {"Image1", 4920, -120, 6645, 8445},
        // In SSPanel2.
        {"cmdZoom", 480, 5040, 1455, 495},
        {"SSCommand2", 2280, 5040, 1455, 495},
        // In SSPanel1.
        {"Frame1", 120, 120, 3975, 1455},
        {"Frame2", 120, 120, 2055, 2535},
        // In Frame2.
        {"optParent_0", 240, 360, 1215, 255},
        {"optParent_1", 240, 720, 1455, 255},
        {"optParent_2", 240, 1080, 735, 255},
        {"optParent_3", 240, 1440, 1695, 255},
        // In pnlProgress.
        {"Text2", 1440, 600, 5415, 255},
        {"ProgressGuage2", 360, 3720, 6495, 375},
        {"ProgressGuage", 360, 960, 6495, 375},
        {"cmdCopy", 360, 4320, 3255, 495},
        {"cmdCancel", 3600, 4320, 3255, 495},
        {"Label2", 1560, 240, 4695, 375},
        {"Label1", 240, 600, 1215, 255},
        {"Image2", 840, 1680, 5400, 1785},
    };
    // The year buttons: two columns of ten in SSPanel2.
    for (int i = 0; i < 20; ++i)
        d.push_back({QStringLiteral("cmdYear_%1").arg(i), i < 10 ? 480 : 2280, 120 + 480 * (i % 10), 1455, 495});
    // The make buttons: two columns of three in Frame1.
    for (int i = 0; i < 6; ++i)
        d.push_back({QStringLiteral("Option1_%1").arg(i), i < 3 ? 240 : 2280, 360 + 360 * (i % 3), 1455, 255});
    return d;
}

} // namespace

const std::vector<DesignPosition>& form1Design()
{
    static const std::vector<DesignPosition> design = buildDesign();
    return design;
}
