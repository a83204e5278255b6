// The picture's pop-up menu, printing the picture on show and copying it to the clipboard.
#include "mainwindow/Form1.h"

#include "output/AdPrinting.h"
#include "platform/Clipboard.h"
#include "platform/CommonDialog.h"
#include "platform/ImageControl.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureBox.h"
#include "platform/PopupMenus.h"
#include "platform/Printer.h"
#include "platform/Services.h"
#include "programwide/Texts.h"

#include <QPrinter>

namespace {

QString noPrinterText()
{
    return QStringLiteral("No printer is installed, so the ad cannot be printed.") + crlf() + crlf()
           + QStringLiteral("Install a printer and try again.");
}

QString notPrintedText(const QString& reason)
{
    return QStringLiteral("The ad was not printed.") + crlf() + crlf() + reason;
}

} // namespace

void Form1::Image1_MouseUp(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    ShowAdPopup(Image1, Button, X, Y);
}

void Form1::picDest_MouseUp(int Button, int Shift, double X, double Y)
{
    Q_UNUSED(Shift);
    ShowAdPopup(picDest, Button, X, Y);
}

void Form1::ShowAdPopup(QWidget* view, int Button, double X, double Y)
{
    // A picture is loaded once PicSrc holds one, which is so from the end of start-up on.
    if (PicSrc->heldPicture().isNull() || Button != 2)
        return;
    m_s.popups.popup(*mnuCopyPrint, view->mapToGlobal(QPointF(X, Y)).toPoint());
}

void Form1::mnuPrintCopy_Click(int Index)
{
    switch (Index) {
    case 1: PrintAd(QStringLiteral("Vantorra Ad printed!")); break;
    case 2: CopyAdToClipboard(); break;
    default: break;
    }
}

void Form1::mnuPrint_Click()
{
    PrintAd(QStringLiteral("Advertisement printed!"));
}

void Form1::mnuClip_Click()
{
    CopyAdToClipboard();
}

void Form1::mnuSetup_Click()
{
    if (!m_s.printer.installed()) {
        OutputMessage(noPrinterText());
        return;
    }
    // Modal; accepting it changes the program's printer, which every later print uses.
    dlgCommon1->showPrinter(m_s.printer.printer(), CommonDialog::PrintSetup, this);
}

void Form1::PrintAd(const QString& doneMessage)
{
    // Image1 holds the picture on show whole, in either view, whatever the scroll position.
    const QImage picture = Image1->picture();
    if (picture.isNull()) {
        OutputMessage(notPrintedText(QStringLiteral("There is no ad on show.")));
        return;
    }
    if (!m_s.printer.installed()) {
        OutputMessage(noPrinterText());
        return;
    }
    QPrinter& printer = m_s.printer.printer();
    QString failure = printAdPage(printer, picture);
    if (failure.isEmpty()) {
        const QString refusal = m_s.printer.jobError();
        if (!refusal.isEmpty())
            failure = QStringLiteral("The printer \"%1\" did not take the job: %2").arg(printerLabel(printer), refusal);
    }
    OutputMessage(failure.isEmpty() ? doneMessage : notPrintedText(failure));
}

void Form1::CopyAdToClipboard()
{
    const QImage picture = Image1->picture();
    QString why;
    if (picture.isNull())
        why = QStringLiteral("There is no ad on show.");
    else if (m_s.clipboard.putPicture(picture, &why))
        return;
    OutputMessage(QStringLiteral("The ad could not be copied to the clipboard.") + crlf() + crlf() + why);
}

void Form1::OutputMessage(const QString& text)
{
    m_s.boxes.show(text, MsgBox::OkOnly, MsgBox::Exclamation, programTitle());
}
