#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
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
class txtForm;
class frmAbout;
class HelpWindow;
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
    QLineEdit* Text1 = nullptr;             // normal view's counter: "1 of " and the year's count
    SpinButton* SpinButton1 = nullptr;      // normal view's stepper, beside Text1, for years with several ads
    QLineEdit* Text3 = nullptr;             // zoomed view's counter, kept equal to Text1
    ThreeDButton* cmdZoomOut = nullptr;     // zoomed view: back to the normal view
    ThreeDPanel* SSPanel2 = nullptr;        // the year buttons, Zoom In and Exit
    ThreeDPanel* pnlProgress = nullptr;     // the copy-to-hard-drive panel, hidden until asked for
    ThreeDPanel* SSPanel1 = nullptr;        // the make buttons' frame (and the hidden parent frame)
    PictureBox* PicSrc = nullptr;           // never shown: the picture on show at natural size
    QScrollBar* VScr = nullptr;             // zoomed view: scrolls picDest up and down
    PictureBox* picDest = nullptr;          // zoomed view: the picture at natural size, scrolled by VScr
    QTimer* Timer1 = nullptr;               // the status clock, every 100 ms
    ThreeDPanel* PnlCoStar = nullptr;       // the title strip below the status panels
    ThreeDPanel* StatusDay = nullptr;       // day of the week
    ThreeDPanel* StatusDate = nullptr;      // date
    ThreeDPanel* StatusTime = nullptr;      // time of day
    ThreeDPanel* panParent = nullptr;       // zoomed view: which make and year are on show
    ThreeDButton* SSCommand1 = nullptr;     // zoomed view: Exit
    SpinButton* SpinButton2 = nullptr;      // zoomed view's stepper, beside Text3
    ImageControl* Image1 = nullptr;         // normal view: the picture stretched to the picture area

    std::array<ThreeDButton*, 20> cmdYear{};  // model year 1950 + index
    ThreeDButton* cmdZoom = nullptr;          // normal view: to the zoomed view
    ThreeDButton* SSCommand2 = nullptr;       // normal view: Exit

    QGroupBox* Frame1 = nullptr;              // "Make": the make buttons
    QGroupBox* Frame2 = nullptr;              // "Parent Company": never shown
    std::array<OptionButton*, 6> Option1{};   // the makes of the selected parent company
    std::array<OptionButton*, 4> optParent{}; // the parent companies; the program selects the first

    // In pnlProgress.
    QLineEdit* Text2 = nullptr;             // the file being copied
    ThreeDPanel* ProgressGuage2 = nullptr;  // gauge of the whole set
    ThreeDPanel* ProgressGuage = nullptr;   // gauge of the current file
    ThreeDButton* cmdCopy = nullptr;        // "Copy Ads": starts the copy
    ThreeDButton* cmdCancel = nullptr;      // "Cancel": closes the panel
    QLabel* Label2 = nullptr;               // the panel's heading
    QLabel* Label1 = nullptr;               // "Copying file:"
    ImageControl* Image2 = nullptr;         // the panel's picture

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

    // ---- documents: the viewer, help, web links, the About box (documents/) ----
    void mnuNotice_Click();
    void mnuRegister_Click();
    void mnuContents_Click();
    void mnuTellwindSoftware_Click();
    void mnuRegisterOL_Click();
    void mnuAbout_Click();
    // The taskbar comes back (when full-screen mode hid it), then the desktop opens the
    // web address: "http://" + address.
    void OpenWebLink(const QString& address);
    // The document viewer while it is loaded, the help window and the About box while
    // they are open; null otherwise.
    txtForm* documentViewer() const;
    HelpWindow* helpWindow() const;
    frmAbout* aboutBox() const;
    // ---- library: the copy of the ads on the hard drive (library/) ----
    // The free-space test, then the progress panel centred on the screen.
    void mnuCopy_Click();
    // The copy run: lists the media's ads, copies them all, and reads the years from the
    // copy when every file was copied.
    void cmdCopy_Click();
    void cmdCancel_Click();
    // Asks, deletes the local ads and their folder, and closes the window.
    void mnuRemove_Click();
    // Fills AdFileList from the media, prompting while it cannot be read. False when the
    // program is ending.
    bool ListMediaAds();
    // Copies every file of AdFileList into the local folder and says how it went. True when
    // every file was copied and the library is marked complete.
    bool CopyAllAds();
    // How the copy of one file ended.
    enum class CopyResult { Copied, Failed, DiskFull, Ended };
    // Copies CopySourcePath to CopyTargetPath; the reason of a failure goes to `reason`.
    CopyResult CopyAdFile(QString* reason);

    // ---- assistive technology (mainwindow/Form1Accessibility.cpp) ----
    // Names the picture on show (both views) and the steppers after what is shown now, so
    // a screen reader can say which ad it is. Called whenever the picture on show changes.
    void describeAdOnShow();
    // Gives `control` the focus when the command that showed it came from the keyboard; a
    // mouse user's focus stays where it was.
    void takeFocusFromKeyboard(QWidget* control);

    // ---- shared by the loaders ----
    // VScr.Max for the picture in PicSrc and the zoomed viewport it is seen through.
    void SetScrollRange();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenus();
    void applyDesign();
    void connectEvents();
    void setUpAccessibility();        // mainwindow/Form1Accessibility.cpp
    void connectBrowserEvents();  // browser/BrowserEvents.cpp
    void connectShellEvents();    // mainwindow/ShellEvents.cpp
    void connectOutputEvents();   // output/OutputEvents.cpp
    void connectDocumentEvents(); // documents/DocumentEvents.cpp
    void connectLibraryEvents();  // library/LibraryEvents.cpp

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
    // Asks for the pictures that a step, a year or a zoom may show next to be decoded ahead.
    void readAhead();
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
    // The file of the ad on show; empty while no ad is.
    QString m_adOnShow;
    // The years of the chosen make whose first ad exists (none while no make is chosen).
    QList<int> m_yearsWithAds;

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

    // ---- documents (documents/) ----
    // Loads the media's document into the viewer with its caption (set before or after the
    // load), sets the buttons and shows it modally; an unreadable document raises the
    // media prompt instead.
    void ShowDocument(const QString& relative, const QString& caption, bool captionBeforeLoad);
    txtForm& loadDocumentViewer();
    QPointer<txtForm> m_txtForm;
    QPointer<HelpWindow> m_helpWindow;
    QPointer<frmAbout> m_frmAbout;
    class LastInput* m_lastInput = nullptr;  // keyboard or mouse, the user's last input
    // ---- library (library/) ----
    CopyResult copyAdFileOnce(QString* reason);
    bool mediaStillPresent();
    void showGauge(ThreeDPanel* gauge, double percent);
    void yieldAfterChunk();
    // Marks the library incomplete, makes its folder and clears what killed copies left.
    bool prepareLibraryFolder(const QString& folder, QString* reason);
    // Puts the copies on the disk, then the completion mark.
    bool markLibraryComplete(const QString& folder, const QStringList& copies, QString* reason);
    // The same under the hourglass; a failure is said in one message.
    bool markLibraryCompleteWithHourglass(const QString& folder, const QStringList& copies);
    void showCopyFailure(const QString& text);
    QElapsedTimer m_panelPainted;     // since the progress panel was last painted
    QElapsedTimer m_eventsPolled;     // since the window system was last asked for events
};
