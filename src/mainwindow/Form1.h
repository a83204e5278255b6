#pragma once

#include <QMainWindow>
#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;
class ImageControl;
class OptionButton;
class PictureBox;
class SpinButton;
class ThreeDButton;
class ThreeDPanel;
struct ProgramState;
struct Services;

// The main window. Its controls carry the design's names (also as object names, array
// elements as "cmdYear_5"); its handlers, spread over the subsystem folders, carry the logic.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    Form1(ProgramState& state, Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    // ---- controls (as the design names them) ----
    QWidget* client = nullptr;              // the client area below the menu bar
    QLineEdit* Text1 = nullptr;
    SpinButton* SpinButton1 = nullptr;
    QLineEdit* Text3 = nullptr;
    ThreeDButton* cmdZoomOut = nullptr;
    ThreeDPanel* SSPanel2 = nullptr;
    ThreeDPanel* pnlProgress = nullptr;
    ThreeDPanel* SSPanel1 = nullptr;
    PictureBox* PicSrc = nullptr;
    QScrollBar* VScr = nullptr;
    PictureBox* picDest = nullptr;
    QTimer* Timer1 = nullptr;
    ThreeDPanel* PnlCoStar = nullptr;
    ThreeDPanel* StatusDay = nullptr;
    ThreeDPanel* StatusDate = nullptr;
    ThreeDPanel* StatusTime = nullptr;
    ThreeDPanel* panParent = nullptr;
    ThreeDButton* SSCommand1 = nullptr;
    SpinButton* SpinButton2 = nullptr;
    ImageControl* Image1 = nullptr;

    std::array<ThreeDButton*, 20> cmdYear{};
    ThreeDButton* cmdZoom = nullptr;
    ThreeDButton* SSCommand2 = nullptr;

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<OptionButton*, 6> Option1{};
    std::array<OptionButton*, 4> optParent{};

    QLineEdit* Text2 = nullptr;
    ThreeDPanel* ProgressGuage2 = nullptr;
    ThreeDPanel* ProgressGuage = nullptr;
    ThreeDButton* cmdCopy = nullptr;
    ThreeDButton* cmdCancel = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    ImageControl* Image2 = nullptr;

    // ---- menus ----
    QMenu* mnuFile = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuRemove = nullptr;
    QAction* mnuClip = nullptr;
    QAction* mnuResolution = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuSetup = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuHideStatus = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuTellwindSoftware = nullptr;
    QAction* mnuRegisterOL = nullptr;
    QAction* mnuRegister = nullptr;
    QAction* mnuNotice = nullptr;
    QAction* mnuAbout = nullptr;
    QMenu* mnuCopyPrint = nullptr;              // the pop-up "Advertisements", never in the menu bar
    std::array<QAction*, 3> mnuPrintCopy{};     // indexed from 1, as the menu array is; [0] stays empty

    // ---- start-up (startup/, mainwindow/FormLoad.cpp) ----
    // Locates the media, sizes and places the window, sets ZoomState. False when the program is ending.
    bool Form_Load();

    // ---- parent selection (browser/ParentSelection.cpp) ----
    void optParent_Click(int Index);

    // ---- browser: makes, years, stepping, zoom, scrolling (browser/) ----

    // ---- shell: geometry, settings, exit, clock, full screen, resolution (mainwindow/) ----
    void SizeAndPlaceWindow();

    // ---- output: pop-up menu, printing, clipboard (output/) ----
    // The common dialog; here it shows the print set-up.
    class CommonDialog* dlgCommon1 = nullptr;
    // A right-button release on either view opens the pop-up mnuCopyPrint, once a picture is loaded.
    void Image1_MouseUp(int Button, int Shift, double X, double Y);
    void picDest_MouseUp(int Button, int Shift, double X, double Y);
    // 1 prints the picture on show, 2 copies it to the clipboard.
    void mnuPrintCopy_Click(int Index);
    void mnuPrint_Click();
    void mnuClip_Click();
    void mnuSetup_Click();

    // ---- shared by the loaders ----
    // VScr.Max for the picture in PicSrc and the scroll bar's current height.
    void SetScrollRange();
    // The design position of a control, applied in pixels.
    static QRect designRect(int left, int top, int width, int height);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenus();
    void applyDesign();
    void connectEvents();
    void connectBrowserEvents();  // browser/BrowserEvents.cpp
    void connectShellEvents();    // mainwindow/ShellEvents.cpp
    void connectOutputEvents();   // output/OutputEvents.cpp

    ProgramState& m_g;
    Services& m_s;

    // ---- output (output/) ----
    void ShowAdPopup(QWidget* view, int Button, double X, double Y);
    // Prints Image1's picture on one page and says `doneMessage`, or says why it did not print.
    void PrintAd(const QString& doneMessage);
    void CopyAdToClipboard();
    void OutputMessage(const QString& text);
};
