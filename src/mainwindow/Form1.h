#pragma once

#include <QMainWindow>
#include <array>

class QAction;
class QColor;
class QEvent;
class QImage;
class Picture;
struct PictureLoad;
struct StepRange;
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
    // Make selection and year availability (browser/MakeSelection.cpp).
    void Option1_Click(int Index);
    void ShowMake();
    void EnableAdYears();
    // Year selection (browser/YearSelection.cpp).
    void cmdYear_Click(int Index);
    void ShowYear(int Index);
    // Stepping (browser/Stepping.cpp).
    void ShowPreviousAd();
    void ShowNextAd();
    void cmdYear_KeyDown(int Index, int KeyCode, int Shift);
    // Zoom and scrolling (browser/Zoom.cpp).
    void ToggleZoom();
    void cmdZoom_Click();
    void cmdZoomOut_Click();
    void Image1_DblClick();
    void picDest_DblClick();
    void VScr_Change();
    // The colour of the chosen make and of the year on show.
    static QColor onShowColour();

    // ---- shell: geometry, settings, exit, clock, full screen, resolution (mainwindow/) ----
    // The geometry steps of the load step: size (stored or computed) and stored position.
    void SizeAndPlaceWindow();

    // The window's Left, Top, Width and Height: twips, screen coordinates, frame included,
    // converted with the screen's twips per pixel. A value the window cannot take (not a
    // finite number, or beyond what a window can measure) is refused: the setter returns
    // false and changes nothing.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    bool setLeft(double twips);
    bool setTop(double twips);
    bool setWidth(double twips);
    bool setHeight(double twips);
    // 0 normal, 1 minimised, 2 maximised (full screen counts as normal).
    int WindowState() const;

    // The close handler: shows the taskbar, stores the geometry unless minimised, ends.
    void Form_QueryUnload(int& Cancel, int UnloadMode);
    void mnuExit_Click();
    void SSCommand1_Click();
    void SSCommand2_Click();

    void Timer1_Timer();

    void mnuHideStatus_Click();
    void Form_Resize();
    // What stands for the taskbar: the desktop has no taskbar window, so the handle is a
    // token that is non-zero once looked up, and hiding the taskbar puts the main window in
    // full screen; showing it takes the window out of full screen (a minimised or
    // maximised state stays). Command 0 hides, 1 shows; nothing happens for handle 0.
    static qintptr FindTaskbarWindow();
    void ShowTaskbarWindow(qintptr window, int command);
    // True while the window is still reaching a geometry the program asked for itself;
    // resizes seen in that time are not the user's.
    bool ownGeometryChangePending() const { return m_ownChangePending; }
    // Resize, move and window-state events of the window (an event filter passes them on).
    void shellWindowEvent(QEvent* event);

    bool IsScreenResolution(qint32 width, qint32 height);
    void mnuResolution_Click();

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
    // VScr.Max for the picture in PicSrc and the zoomed viewport it is seen through.
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

    // browser/
    enum class YearOutcome { Shown, MediaMissing, Damaged };
    // What a year that cannot be shown puts back.
    struct BrowseSnapshot
    {
        qint16 adYear, adCount, adNumber;
        QString parentPrefix, makePrefix, counter;
        bool counterVisible, stepperVisible;
        QString caption;
        int yearOnShow;
    };
    int selectedParentIndex() const;
    QString selectedParentCaption() const;
    YearOutcome showYearOnce(int Index, PictureLoad* damaged);
    BrowseSnapshot browseSnapshot() const;
    void restoreBrowse(const BrowseSnapshot& b);
    // One message naming the file and why it does not decode; the program goes on.
    void ReportDamagedPicture(const PictureLoad& load);
    // Into PicSrc and both views.
    void showPicture(const Picture& picture);
    // The hand over the zoomed picture when it is larger than the viewport.
    void updatePanCursor();
    void prefetchNeighbours();
    // Prompts until the media's "Graphics" folder lists a file; false when the program is ending.
    bool checkMediaPresent();
    bool searchAndShow(const StepRange& range);
    void showStep();
    bool stepperTest();
    int zoomedViewportHeight() const;
    int zoomedViewportWidth() const;
    void zoomIn();
    void zoomOut();
    void zoomOutAndRefreshYears();

    ProgramState& m_g;
    Services& m_s;

    // ---- shell (mainwindow/) ----
    // A geometry value as last set in twips, and the pixels it gave: reported back as set
    // while the window still has those pixels, so stored values do not drift by rounding.
    struct TwipsValue
    {
        double twips = 0;
        int pixels = 0;
        bool set = false;
    };
    double reported(const TwipsValue& value, int pixels, double twipsPerPixel) const;
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;
    void beginOwnGeometryChange();
    void endOwnGeometryChange();
    bool atOwnTargetGeometry(const QSize& clientSize) const;
    TwipsValue m_left, m_top, m_width, m_height;
    bool m_refitWhenFramed = false;   // size set before the frame was known
    QSize m_loadClientSize;           // the client size the load step gave
    int m_ownChangeDepth = 0;         // inside the program's own geometry calls
    bool m_ownChangePending = false;  // waiting for the platform to apply them
    QTimer* m_ownChangeTimer = nullptr;

    // ---- output (output/) ----
    void ShowAdPopup(QWidget* view, int Button, double X, double Y);
    // Prints Image1's picture on one page and says `doneMessage`, or says why it did not print.
    void PrintAd(const QString& doneMessage);
    void CopyAdToClipboard();
    void OutputMessage(const QString& text);
};
