#pragma once

#include "programwide/Design.h"

#include <QDialog>

class RichTextBox;
class ThreeDButton;
struct ProgramState;
struct Services;

// The document viewer's controls as designed, in twips (the viewer measures them in
// pixels: twips / 15).
const DesignTable& txtFormDesign();

// The document viewer: one rich-text document from the media, a print button and OK.
// Its opener loads the document, sets the caption and the buttons and shows it modally.
class txtForm : public QDialog
{
    Q_OBJECT

public:
    // Made and loaded at once: the load step runs before the opener sets anything.
    txtForm(ProgramState& state, Services& services, QWidget* parent = nullptr);

    RichTextBox* rtbText = nullptr;     // holds the document
    ThreeDButton* SSCommand1 = nullptr; // OK: closes the viewer
    ThreeDButton* SSCommand2 = nullptr; // spare; every opener disables and hides it
    ThreeDButton* SSCommand3 = nullptr; // spare; every opener disables and hides it
    ThreeDButton* cmdprint = nullptr;   // print, with a small printer picture

    // The viewer's caption (its window title), which also names the document it prints and,
    // for a screen reader, the text.
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption);

    // Centres the viewer on the screen and gives it the program's caption.
    void Form_Load();
    // Asks whether to print the document and prints it on Yes.
    void cmdprint_Click();
    // Both close the viewer.
    void SSCommand1_Click();
    void rtbText_DblClick();

    // Shows the viewer modally; returns when it has been closed.
    void showModal();

private:
    // Prints the document, or says why it cannot be printed (empty when it was).
    QString printDocument();
    void message(const QString& text);

    ProgramState& m_g;
    Services& m_s;
};
