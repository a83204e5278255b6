// The notice and the registration form from the media, shown in the document viewer.
#include "mainwindow/Form1.h"

#include "documents/txtForm.h"
#include "platform/FileLookup.h"
#include "platform/MessageBoxes.h"
#include "platform/RichTextBox.h"
#include "platform/Services.h"
#include "platform/ThreeDButton.h"
#include "programwide/MediaPrompt.h"
#include "programwide/ProgramState.h"
#include "programwide/Texts.h"

void Form1::mnuNotice_Click()
{
    ShowDocument(QStringLiteral("/RichText/notice.rtf"), QStringLiteral("Notice"), false);
}

void Form1::mnuRegister_Click()
{
    ShowDocument(QStringLiteral("/RichText/Register.rtf"), QStringLiteral("Tellwind Software Registration Form"), true);
}

txtForm* Form1::documentViewer() const
{
    return m_txtForm;
}

txtForm& Form1::loadDocumentViewer()
{
    // Made on first use; one that stayed loaded after a failed load is used again.
    if (!m_txtForm)
        m_txtForm = new txtForm(m_g, m_s, this);
    return *m_txtForm;
}

void Form1::ShowDocument(const QString& relative, const QString& caption, bool captionBeforeLoad)
{
    txtForm& viewer = loadDocumentViewer();
    if (captionBeforeLoad)
        viewer.setCaption(caption);
    // The media's document, its name matched without regard to case. A media that cannot
    // be read or has lost the file raises the prompt; a file that is there but is no
    // document (empty, not RTF, unreadable) is named with the reader's reason.
    const Listing document = m_s.files.first(m_g.MediaRoot, relative);
    const rtf::ReadResult read = document.found() ? viewer.rtbText->loadFile(document.path) : rtf::ReadResult{};
    if (!read.ok) {
        if (document.found() && m_s.files.first(m_g.MediaRoot, relative).found()) {
            m_s.boxes.show(documentFailureText(document.path, read.error), MsgBox::OkOnly, MsgBox::Exclamation,
                           programTitle());
            return;
        }
        m_g.ErrorCode = QStringLiteral("ER001");
        // Retry only closes the prompt: choosing the item again loads the document again.
        ReportMediaError(m_g, m_s);
        return;
    }
    if (!captionBeforeLoad)
        viewer.setCaption(caption);
    viewer.SSCommand2->setEnabled(false);
    viewer.SSCommand3->setEnabled(false);
    viewer.SSCommand2->hide();
    viewer.SSCommand3->hide();
    // The OK button reaches from the text's left edge to 4 pixels short of the print button.
    viewer.SSCommand1->resize(viewer.rtbText->width() - viewer.cmdprint->width() - 4, viewer.SSCommand1->height());
    viewer.showModal();
    // Closed: the viewer is unloaded, the main window takes input again.
    delete m_txtForm;
    setEnabled(true);
}
