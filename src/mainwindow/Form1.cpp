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
#include "programwide/Artwork.h"
#include "programwide/ProgramState.h"
#include "programwide/Texts.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

namespace {

template <typename T>
T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLineEdit* counterBox(QWidget* parent, const QString& name)
{
    auto* t = named(new QLineEdit(parent), name);
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::NoFocus);
    t->hide();
    return t;
}

ThreeDPanel* panel(QWidget* parent, const QString& name)
{
    return named(new ThreeDPanel(parent), name);
}

QLabel* copyLabel(QWidget* parent, const QString& name)
{
    auto* l = named(new QLabel(parent), name);
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
    setUpAccessibility();
    connectEvents();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    // The controls with their kind, name and behaviour; places, captions, fonts and colours
    // come from the design table (applyDesign).
    client = named(new QWidget(this), QStringLiteral("client"));
    QPalette menuColour = client->palette();
    const QColor systemMenu = palette().color(QPalette::Window); // the system's menu colour
    menuColour.setColor(QPalette::Window, systemMenu);
    menuColour.setColor(QPalette::Base, systemMenu);
    client->setPalette(menuColour);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    Text1 = counterBox(client, QStringLiteral("Text1"));
    SpinButton1 = named(new SpinButton(client), QStringLiteral("SpinButton1"));
    SpinButton1->hide();
    Text3 = counterBox(client, QStringLiteral("Text3"));
    cmdZoomOut = named(new ThreeDButton(client), QStringLiteral("cmdZoomOut"));
    cmdZoomOut->hide();

    SSPanel2 = panel(client, QStringLiteral("SSPanel2"));
    for (int i = 0; i < 20; ++i)
        cmdYear[i] = named(new ThreeDButton(SSPanel2), QStringLiteral("cmdYear_%1").arg(i));
    cmdZoom = named(new ThreeDButton(SSPanel2), QStringLiteral("cmdZoom"));
    SSCommand2 = named(new ThreeDButton(SSPanel2), QStringLiteral("SSCommand2"));

    pnlProgress = panel(client, QStringLiteral("pnlProgress"));
    pnlProgress->hide();
    Text2 = named(new QLineEdit(pnlProgress), QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    ProgressGuage2 = panel(pnlProgress, QStringLiteral("ProgressGuage2"));
    ProgressGuage = panel(pnlProgress, QStringLiteral("ProgressGuage"));
    cmdCopy = named(new ThreeDButton(pnlProgress), QStringLiteral("cmdCopy"));
    cmdCancel = named(new ThreeDButton(pnlProgress), QStringLiteral("cmdCancel"));
    Label2 = copyLabel(pnlProgress, QStringLiteral("Label2"));
    Label1 = copyLabel(pnlProgress, QStringLiteral("Label1"));
    Image2 = named(new ImageControl(pnlProgress), QStringLiteral("Image2"));
    Image2->setPicture(copyPanelPicture());

    SSPanel1 = panel(client, QStringLiteral("SSPanel1"));
    Frame1 = named(new QGroupBox(SSPanel1), QStringLiteral("Frame1"));
    Frame2 = named(new QGroupBox(SSPanel1), QStringLiteral("Frame2"));
    Frame2->hide(); // never shown: the program chooses the parent company itself
    for (int i = 0; i < 6; ++i) {
        Option1[i] = named(new OptionButton(Frame1), QStringLiteral("Option1_%1").arg(i));
        Option1[i]->hide();
    }
    for (int i = 0; i < 4; ++i)
        optParent[i] = named(new OptionButton(Frame2), QStringLiteral("optParent_%1").arg(i));

    PicSrc = named(new PictureBox(client), QStringLiteral("PicSrc"));
    PicSrc->setAutoSize(true);
    PicSrc->hide(); // never shown: holds the full-size picture on show

    VScr = named(new QScrollBar(Qt::Vertical, client), QStringLiteral("VScr"));
    VScr->setRange(0, 100);
    VScr->setSingleStep(10);
    VScr->setTracking(false); // the picture follows when the thumb is released
    VScr->hide();

    picDest = named(new PictureBox(client), QStringLiteral("picDest"));
    picDest->hide();

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setInterval(100);

    PnlCoStar = panel(client, QStringLiteral("PnlCoStar"));
    StatusDay = panel(client, QStringLiteral("StatusDay"));
    StatusDate = panel(client, QStringLiteral("StatusDate"));
    StatusTime = panel(client, QStringLiteral("StatusTime"));
    panParent = panel(client, QStringLiteral("panParent"));
    panParent->hide();

    SSCommand1 = named(new ThreeDButton(client), QStringLiteral("SSCommand1"));
    SSCommand1->hide();
    SpinButton2 = named(new SpinButton(client), QStringLiteral("SpinButton2"));
    SpinButton2->hide();

    Image1 = named(new ImageControl(client), QStringLiteral("Image1"));
    Image1->setPicture(image1DesignPicture());
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
    // The image control lies beneath all the others, whatever the table's order.
    ::applyDesign(this, form1Design());
    Image1->lower();
}

void Form1::connectEvents()
{
    connectBrowserEvents();
    connectShellEvents();
    connectOutputEvents();
    connectDocumentEvents();
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
