#include "mainwindow/Form1.h"

#include "mainwindow/Form1Design.h"
#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Services.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "platform/Units.h"
#include "browser/ScrollRules.h"
#include "startup/Artwork.h"
#include "startup/ProgramState.h"
#include "startup/Texts.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

namespace {

// Design colours (&H00BBGGRR).
constexpr quint32 kRed = 0x000000FF;
constexpr quint32 kNavy = 0x00800000;
constexpr quint32 kDarkBlue = 0x00C00000;
constexpr quint32 kDarkRed = 0x00000080;
constexpr quint32 kWhite = 0x00FFFFFF;
constexpr quint32 kGrey = 0x00808080;
constexpr quint32 kBlack = 0x00000000;

const QString kCounterTip = QStringLiteral(
    "Displays the number of the ad for years in which there are mor than one ad for a particular Make.");
// Ends with a blank, as designed.
const QString kSpinTip = QStringLiteral("Selects backward and forward through multiple ads if present. ");

template <typename T>
T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

void setTextColour(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

void setBackColour(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLineEdit* counterBox(QWidget* parent, const QString& name)
{
    auto* t = named(new QLineEdit(QStringLiteral("Text1"), parent), name);
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::NoFocus);
    t->setFont(designFont(9.75, true));
    setTextColour(t, vbColor(kRed));
    t->setToolTip(kCounterTip);
    t->hide();
    return t;
}

ThreeDButton* button(QWidget* parent, const QString& name, const QString& caption, double points,
                     quint32 fore = kBlack)
{
    auto* b = named(new ThreeDButton(parent), name);
    b->setText(caption);
    b->setFont(designFont(points, true));
    b->setForeColor(vbColor(fore));
    return b;
}

ThreeDPanel* panel(QWidget* parent, const QString& name, const QString& caption = QString())
{
    auto* p = named(new ThreeDPanel(parent), name);
    p->setCaption(caption);
    return p;
}

ThreeDPanel* statusPanel(QWidget* parent, const QString& name)
{
    auto* p = panel(parent, name, name);
    p->setForeColor(vbColor(kNavy));
    p->setFont(designFont(8.25, true));
    return p;
}

QLabel* copyLabel(QWidget* parent, const QString& name, const QString& text, bool bold)
{
    auto* l = named(new QLabel(text, parent), name);
    l->setFont(designFont(9.75, bold));
    setTextColour(l, vbColor(kNavy));
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
}

} // namespace

Form1::Form1(ProgramState& state, Services& services, QWidget* parent)
    : QMainWindow(parent), m_g(state), m_s(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(programTitle());
    setWindowIcon(QIcon(QPixmap::fromImage(formIconPicture())));
    createControls();
    createMenus();
    applyDesign();
    connectEvents();
}

Form1::~Form1() = default;

QRect Form1::designRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void Form1::createControls()
{
    client = named(new QWidget(this), QStringLiteral("client"));
    setBackColour(client, palette().color(QPalette::Window)); // the system's menu colour
    setCentralWidget(client);

    Text1 = counterBox(client, QStringLiteral("Text1"));
    SpinButton1 = named(new SpinButton(client), QStringLiteral("SpinButton1"));
    SpinButton1->setToolTip(kSpinTip);
    SpinButton1->hide();
    Text3 = counterBox(client, QStringLiteral("Text3"));
    cmdZoomOut = button(client, QStringLiteral("cmdZoomOut"), QStringLiteral("Zoom Out"), 9.75);
    cmdZoomOut->hide();

    SSPanel2 = panel(client, QStringLiteral("SSPanel2"));
    for (int i = 0; i < 20; ++i) {
        cmdYear[i] = button(SSPanel2, QStringLiteral("cmdYear_%1").arg(i), QString::number(1950 + i), 8.25);
    }
    cmdYear[0]->setToolTip(
        QStringLiteral("Click a Year button to view advertisements that were published that year."));
    cmdZoom = button(SSPanel2, QStringLiteral("cmdZoom"), QStringLiteral("Zoom In"), 9.75, kDarkRed);
    // Two blanks before "on" and two full stops, as designed.
    cmdZoom->setToolTip(
        QStringLiteral("Click here to \"zoom in\" and \"zoom out\"  on the ad for a better view.."));
    SSCommand2 = button(SSPanel2, QStringLiteral("SSCommand2"), QStringLiteral("Exit"), 9.75, kDarkRed);

    pnlProgress = panel(client, QStringLiteral("pnlProgress"));
    pnlProgress->setForeColor(vbColor(kNavy));
    pnlProgress->setBackColor(vbColor(kWhite));
    pnlProgress->hide();
    Text2 = named(new QLineEdit(pnlProgress), QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setFont(designFont(9.75, false));
    setBackColour(Text2, vbColor(kWhite));
    setTextColour(Text2, vbColor(kNavy));
    ProgressGuage2 = panel(pnlProgress, QStringLiteral("ProgressGuage2"), QStringLiteral(" "));
    ProgressGuage = panel(pnlProgress, QStringLiteral("ProgressGuage"), QStringLiteral(" "));
    for (ThreeDPanel* g : {ProgressGuage2, ProgressGuage}) {
        g->setForeColor(vbColor(kBlack));
        g->setBackColor(vbColor(kWhite));
    }
    cmdCopy = button(pnlProgress, QStringLiteral("cmdCopy"), QStringLiteral("Copy Ads"), 9.75);
    cmdCancel = button(pnlProgress, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 9.75);
    Label2 = copyLabel(pnlProgress, QStringLiteral("Label2"), QStringLiteral("Copy Ads from CD-ROM to hard drive"), true);
    Label1 = copyLabel(pnlProgress, QStringLiteral("Label1"), QStringLiteral("Copying file:"), false);
    Image2 = named(new ImageControl(pnlProgress), QStringLiteral("Image2"));
    Image2->setPicture(copyPanelPicture());

    SSPanel1 = panel(client, QStringLiteral("SSPanel1"));
    Frame1 = named(new QGroupBox(QStringLiteral("Make"), SSPanel1), QStringLiteral("Frame1"));
    Frame2 = named(new QGroupBox(QStringLiteral("Parent Company"), SSPanel1), QStringLiteral("Frame2"));
    for (QGroupBox* f : {Frame1, Frame2}) {
        f->setFont(designFont(9.75, true, true));
        setTextColour(f, vbColor(kNavy));
    }
    Frame2->hide(); // never shown: the program chooses the parent company itself
    for (int i = 0; i < 6; ++i) {
        Option1[i] = named(new OptionButton(Frame1), QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setForeColor(vbColor(kDarkBlue));
        Option1[i]->setFont(designFont(9.75, true)); // the frame's font
        Option1[i]->hide();
    }
    Option1[0]->setText(QStringLiteral(" "));
    const std::array<QString, 4> parents = {QStringLiteral("Vantorra "), QStringLiteral("Halvern  "),
                                            QStringLiteral("KT"), QStringLiteral("Others")};
    for (int i = 0; i < 4; ++i) {
        optParent[i] = named(new OptionButton(Frame2), QStringLiteral("optParent_%1").arg(i));
        optParent[i]->setText(parents[i]);
        optParent[i]->setForeColor(vbColor(kDarkBlue));
        optParent[i]->setFont(designFont(9.75, true));
    }
    optParent[0]->setToolTip(QStringLiteral(
        "Select the Parent Company.  It's division names will then populate the Make selection window."));

    PicSrc = named(new PictureBox(client), QStringLiteral("PicSrc"));
    PicSrc->setAutoSize(true);
    PicSrc->hide(); // never shown: holds the full-size picture on show

    VScr = named(new QScrollBar(Qt::Vertical, client), QStringLiteral("VScr"));
    VScr->setRange(0, 100);
    VScr->setSingleStep(10);
    VScr->setTracking(false); // the picture follows when the thumb is released
    VScr->setToolTip(QStringLiteral("Scroll up and down an ad when in \"zoom in\" mode."));
    VScr->hide();

    picDest = named(new PictureBox(client), QStringLiteral("picDest"));
    picDest->setBackColor(vbColor(kGrey));
    picDest->hide();

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setInterval(100);

    PnlCoStar = panel(client, QStringLiteral("PnlCoStar"), QStringLiteral("Vantorra Ads of the '50s and '60s"));
    PnlCoStar->setForeColor(vbColor(kRed));
    PnlCoStar->setFont(designFont(8.25, true, true));
    StatusDay = statusPanel(client, QStringLiteral("StatusDay"));
    StatusDate = statusPanel(client, QStringLiteral("StatusDate"));
    StatusTime = statusPanel(client, QStringLiteral("StatusTime"));

    panParent = panel(client, QStringLiteral("panParent"), QStringLiteral("panParent"));
    panParent->setForeColor(vbColor(kRed));
    panParent->setBackColor(vbColor(kWhite));
    panParent->setFont(designFont(9.75, true));
    panParent->setToolTip(QStringLiteral("Identifies the ad which is being displayed."));
    panParent->hide();

    SSCommand1 = button(client, QStringLiteral("SSCommand1"), QStringLiteral("Exit"), 9.75);
    SSCommand1->hide();
    SpinButton2 = named(new SpinButton(client), QStringLiteral("SpinButton2"));
    SpinButton2->setToolTip(kSpinTip);
    SpinButton2->hide();

    Image1 = named(new ImageControl(client), QStringLiteral("Image1"));
    Image1->setPicture(image1DesignPicture());
    Image1->setToolTip(QStringLiteral("Double click on the ad image to \"zoom in\" and \"zoom out\"."));
}

void Form1::createMenus()
{
    auto action = [this](QMenu* menu, const QString& name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    auto separator = [](QMenu* menu, const QString& name) { menu->addSeparator()->setObjectName(name); };

    mnuFile = named(menuBar()->addMenu(QStringLiteral("&File")), QStringLiteral("mnuFile"));
    mnuCopy = action(mnuFile, QStringLiteral("mnuCopy"), QStringLiteral("&Copy CD-ROM Ads from CD"));
    mnuRemove = action(mnuFile, QStringLiteral("mnuRemove"), QStringLiteral("Remove Ads from Hard Drive"));
    separator(mnuFile, QStringLiteral("mnuDash1"));
    mnuClip = action(mnuFile, QStringLiteral("mnuClip"), QStringLiteral("Copy Ad to Clipboard"));
    separator(mnuFile, QStringLiteral("mnuDash3"));
    mnuResolution = action(mnuFile, QStringLiteral("mnuResolution"), QStringLiteral("Check Screen Resolution Setting"));
    separator(mnuFile, QStringLiteral("mnudash5"));
    mnuPrint = action(mnuFile, QStringLiteral("mnuPrint"), QStringLiteral("Print Ad"));
    mnuSetup = action(mnuFile, QStringLiteral("mnuSetup"), QStringLiteral("Print Setup"));
    separator(mnuFile, QStringLiteral("mnuDash2"));
    mnuExit = action(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("&Exit"));

    // A command of its own in the menu bar, without a submenu.
    mnuHideStatus = menuBar()->addAction(QStringLiteral("HideStatusBar"));
    mnuHideStatus->setObjectName(QStringLiteral("mnuHideStatus"));

    mnuHelp = named(menuBar()->addMenu(QStringLiteral("&Help")), QStringLiteral("mnuHelp"));
    mnuContents = action(mnuHelp, QStringLiteral("mnuContents"), QStringLiteral("&Contents"));
    separator(mnuHelp, QStringLiteral("mnuLine4"));
    mnuTellwindSoftware = action(mnuHelp, QStringLiteral("mnuTellwindSoftware"),
                                 QStringLiteral("Visit the Tellwind Software Website"));
    mnuRegisterOL = action(mnuHelp, QStringLiteral("mnuRegisterOL"), QStringLiteral("Register ON-Line"));
    // One trailing blank, as designed.
    mnuRegister = action(mnuHelp, QStringLiteral("mnuRegister"), QStringLiteral("Print &Registration Form "));
    separator(mnuHelp, QStringLiteral("mnuLine3"));
    mnuNotice = action(mnuHelp, QStringLiteral("mnuNotice"), QStringLiteral("&Notice"));
    separator(mnuHelp, QStringLiteral("mnuLine2"));
    mnuAbout = action(mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("&About"));

    // Never in the menu bar: the picture's pop-up menu.
    mnuCopyPrint = named(new QMenu(QStringLiteral("Advertisements"), this), QStringLiteral("mnuCopyPrint"));
    mnuPrintCopy[1] = action(mnuCopyPrint, QStringLiteral("mnuPrintCopy_1"), QStringLiteral("Print this Ad?"));
    mnuPrintCopy[2] = action(mnuCopyPrint, QStringLiteral("mnuPrintCopy_2"),
                             QStringLiteral("Copy this Ad to the Windows Clipboard?"));
}

void Form1::applyDesign()
{
    // Every control takes its design place here, in pixels; the first in the design lies
    // in front, and the image control lies beneath all the others.
    const auto& design = form1Design();
    for (auto it = design.rbegin(); it != design.rend(); ++it) {
        QWidget* w = findChild<QWidget*>(it->name);
        Q_ASSERT_X(w, "Form1::applyDesign", qPrintable(it->name));
        if (!w)
            continue;
        w->setGeometry(designRect(it->left, it->top, it->width, it->height));
        w->raise();
    }
    Image1->lower();
}

void Form1::connectEvents()
{
    connectBrowserEvents();
    connectShellEvents();
    connectOutputEvents();
    connectLibraryEvents();
}

void Form1::SetScrollRange()
{
    // Always for the zoomed viewport, so that the last rows of the picture can be reached
    // even when it was loaded before the first zoom-in gave the scroll bar that height.
    VScr->setMaximum(scrollMaximum(PicSrc->height(), zoomedViewportHeight()));
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Every request to close (title bar, system menu, the exit commands, the session's end)
    // passes here. 0: closed by the user through the window system, 1: closed by the program.
    int cancel = 0;
    Form_QueryUnload(cancel, event->spontaneous() ? 0 : 1);
    event->accept();
}
