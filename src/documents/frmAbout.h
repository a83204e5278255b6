#pragma once

#include "programwide/Design.h"

#include <QWidget>

class Form1;
class ImageControl;
class PictureBox;
class ThreeDButton;
class ThreeDPanel;
struct ProgramState;
struct Services;

// The About box's controls as designed, in twips.
const DesignTable& frmAboutDesign();

// The About box: the program's picture and titles, the maker's name, address and web
// site. Not modal, but the main window is disabled while it is open; its two buttons
// (and closing it by its title bar) enable the main window again and unload it.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    // Made and loaded at once: the load step disables the main window.
    frmAbout(ProgramState& state, Services& services, Form1& mainWindow);

    ThreeDPanel* SSPanel3 = nullptr;    // frame of the main picture
    ImageControl* Image1 = nullptr;     // the main picture, stretched
    ThreeDPanel* panAbout = nullptr;    // the lower strip
    ThreeDPanel* SSPanel5 = nullptr;    // "Vantorra Ads"
    ThreeDPanel* SSPanel1 = nullptr;    // "of the 50's && 60's"
    ThreeDPanel* SSPanel4 = nullptr;    // "v1.00"
    PictureBox* Picture2 = nullptr;     // the small picture
    ThreeDPanel* SSPanel2 = nullptr;    // the rights notice
    ThreeDPanel* panTellwind = nullptr; // the maker's name and address
    ThreeDButton* SSCommand1 = nullptr; // OK
    ThreeDButton* SSCommand2 = nullptr; // the maker's web site

    void Form_Load();
    void SSCommand1_Click();
    void SSCommand2_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Enables the main window and unloads the box.
    void unload();

    ProgramState& m_g;
    Services& m_s;
    Form1& m_main;
};
