#include "documents/frmAbout.h"

#include "documents/Maker.h"
#include "mainwindow/Form1.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/ScreenInfo.h"
#include "platform/Services.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "platform/Units.h"
#include "programwide/Artwork.h"
#include "programwide/ProgramState.h"

#include <QCloseEvent>
#include <QWindow>

namespace {

constexpr quint32 kRed = 0x000000FF;
constexpr quint32 kNavy = 0x00800000;
constexpr quint32 kBlack = 0x00000000;
constexpr quint32 kWhite = 0x00FFFFFF;

} // namespace

const DesignTable& frmAboutDesign()
{
    static const DesignTable design = {
        at(QStringLiteral("SSPanel3"), 0, 0, 9615, 5655),
        at(QStringLiteral("Image1"), 240, 240, 9135, 5145),
        at(QStringLiteral("panAbout"), 0, 5640, 9615, 2175),
        at(QStringLiteral("SSPanel5"), 720, 480, 2415, 360)
            .withCaption(QStringLiteral("Vantorra Ads")).withFont(13.5, true, true).withFore(kRed),
        // "&&" shows as one "&".
        at(QStringLiteral("SSPanel1"), 600, 840, 2895, 360)
            .withCaption(QStringLiteral("of the 50's && 60's")).withFont(13.5, true, true).withFore(kRed),
        at(QStringLiteral("SSPanel4"), 1560, 1320, 615, 240)
            .withCaption(QStringLiteral("v1.00")).withFont(8.25, true).withFore(kBlack),
        at(QStringLiteral("Picture2"), 3600, 240, 2415, 1215).withBack(kWhite),
        at(QStringLiteral("SSPanel2"), 6480, 240, 2655, 360).withFont(8.25, true).withFore(kNavy),
        at(QStringLiteral("panTellwind"), 6480, 480, 2655, 975).withFont(8.25, true).withFore(kNavy),
        at(QStringLiteral("SSCommand1"), 3600, 1560, 2400, 375)
            .withCaption(QStringLiteral("OK")).withFont(8.25, true).withFore(kBlack),
        at(QStringLiteral("SSCommand2"), 6360, 1560, 2700, 375)
            .withCaption(Maker::webSite()).withFont(8.25, true).withFore(kBlack),
    };
    return design;
}

frmAbout::frmAbout(ProgramState& state, Services& services, Form1& mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_g(state)
    , m_s(services)
    , m_main(mainWindow)
{
    // A window of its own, not a child of the main window: disabling that must not
    // disable the box.
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About Vantorra Ads"));
    setFixedSize(twipsToPixels(9570), twipsToPixels(7785));
    // It goes when the main window goes.
    connect(&mainWindow, &QObject::destroyed, this, [this] { delete this; });

    auto panel = [](QWidget* parent, const QString& name) {
        auto* p = new ThreeDPanel(parent);
        p->setObjectName(name);
        return p;
    };
    SSPanel3 = panel(this, QStringLiteral("SSPanel3"));
    Image1 = new ImageControl(SSPanel3);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(splashPicture());
    panAbout = panel(this, QStringLiteral("panAbout"));
    SSPanel5 = panel(panAbout, QStringLiteral("SSPanel5"));
    SSPanel1 = panel(panAbout, QStringLiteral("SSPanel1"));
    SSPanel1->setShowsMnemonics(true);
    SSPanel4 = panel(panAbout, QStringLiteral("SSPanel4"));
    Picture2 = new PictureBox(panAbout);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setPicture(aboutPicture());
    SSPanel2 = panel(panAbout, QStringLiteral("SSPanel2"));
    panTellwind = panel(panAbout, QStringLiteral("panTellwind"));
    SSCommand1 = new ThreeDButton(panAbout);
    SSCommand1->setObjectName(QStringLiteral("SSCommand1"));
    SSCommand2 = new ThreeDButton(panAbout);
    SSCommand2->setObjectName(QStringLiteral("SSCommand2"));
    applyDesign(this, frmAboutDesign());

    connect(SSCommand1, &ThreeDButton::clicked, this, &frmAbout::SSCommand1_Click);
    connect(SSCommand2, &ThreeDButton::clicked, this, &frmAbout::SSCommand2_Click);

    // Kept above the main window, as a dialog is: the window manager is told whose box it
    // is (a disabled or full-screen main window cannot cover it).
    mainWindow.winId();
    winId();
    windowHandle()->setTransientParent(mainWindow.windowHandle());

    Form_Load();
}

void frmAbout::Form_Load()
{
    // 1. The main window takes no input while the box is open.
    m_main.setEnabled(false);
    // 2. Half the difference of the two windows' sizes in from the screen's corner (twips;
    // the main window's frame included, the box's as far as the window system knows it
    // before the box is shown).
    const double tppX = m_s.screen.twipsPerPixelX() > 0 ? m_s.screen.twipsPerPixelX() : 15.0;
    const double tppY = m_s.screen.twipsPerPixelY() > 0 ? m_s.screen.twipsPerPixelY() : 15.0;
    const QSize frame = frameGeometry().size();
    const double top = (m_main.Height() - frame.height() * tppY) / 2;
    const double left = (m_main.Width() - frame.width() * tppX) / 2;
    move(qRound(left / tppX), qRound(top / tppY));
    // 3. The maker's name and address, three lines.
    panTellwind->setCaption(Maker::nameAndAddress());
    // 4. The rights notice.
    SSPanel2->setCaption(Maker::rightsNotice());
}

void frmAbout::SSCommand1_Click()
{
    unload();
}

void frmAbout::SSCommand2_Click()
{
    m_main.OpenWebLink(Maker::webSite());
    unload();
}

void frmAbout::unload()
{
    m_main.setEnabled(true);
    close();
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    // However the box is closed, the main window is usable again.
    m_main.setEnabled(true);
    event->accept();
}
