#include "documents/txtForm.h"

#include "documents/RichTextPrinting.h"
#include "platform/MessageBoxes.h"
#include "platform/Printer.h"
#include "platform/RichTextBox.h"
#include "platform/ScreenInfo.h"
#include "platform/Services.h"
#include "platform/ThreeDButton.h"
#include "platform/Units.h"
#include "programwide/Artwork.h"
#include "programwide/ProgramState.h"
#include "programwide/Texts.h"

#include <QPrinter>

namespace {

// One inch, in twips, on every side of the paper.
constexpr qint32 kMargin = 1440;

// The design gives the viewer's controls in pixels; the table holds them in twips.
DesignControl pixels(const QString& name, int left, int top, int width, int height)
{
    return at(name, left * 15, top * 15, width * 15, height * 15);
}

} // namespace

const DesignTable& txtFormDesign()
{
    static const DesignTable design = {
        pixels(QStringLiteral("rtbText"), 8, 8, 513, 401),
        pixels(QStringLiteral("SSCommand1"), 8, 416, 417, 25).withCaption(QStringLiteral("OK")),
        pixels(QStringLiteral("SSCommand2"), 432, 416, 26, 25).withCaption(QString()),
        pixels(QStringLiteral("SSCommand3"), 464, 416, 25, 25).withCaption(QString()),
        pixels(QStringLiteral("cmdprint"), 496, 416, 25, 25).withCaption(QString()),
    };
    return design;
}

txtForm::txtForm(ProgramState& state, Services& services, QWidget* parent)
    : QDialog(parent), m_g(state), m_s(services)
{
    setObjectName(QStringLiteral("txtForm"));
    // Client area 531 x 449 pixels, not sizable.
    setFixedSize(531, 449);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    rtbText = new RichTextBox(this);
    rtbText->setObjectName(QStringLiteral("rtbText"));
    auto button = [this](const QString& name) {
        auto* b = new ThreeDButton(this);
        b->setObjectName(name);
        return b;
    };
    SSCommand1 = button(QStringLiteral("SSCommand1"));
    SSCommand2 = button(QStringLiteral("SSCommand2"));
    SSCommand3 = button(QStringLiteral("SSCommand3"));
    cmdprint = button(QStringLiteral("cmdprint"));
    cmdprint->setIcon(QIcon(QPixmap::fromImage(printerPicture())));
    cmdprint->setIconSize(QSize(16, 16));
    cmdprint->setToolTip(QStringLiteral("Print"));
    applyDesign(this, txtFormDesign());
    // The tab order is the design's order.
    setTabOrder(rtbText, SSCommand1);
    setTabOrder(SSCommand1, SSCommand2);
    setTabOrder(SSCommand2, SSCommand3);
    setTabOrder(SSCommand3, cmdprint);

    connect(SSCommand1, &ThreeDButton::clicked, this, &txtForm::SSCommand1_Click);
    connect(rtbText, &RichTextBox::doubleClicked, this, &txtForm::rtbText_DblClick);
    connect(cmdprint, &ThreeDButton::clicked, this, &txtForm::cmdprint_Click);

    Form_Load();
}

void txtForm::Form_Load()
{
    // Centred on the screen (twips), then the program's caption.
    const double tppX = m_s.screen.twipsPerPixelX() > 0 ? m_s.screen.twipsPerPixelX() : 15.0;
    const double tppY = m_s.screen.twipsPerPixelY() > 0 ? m_s.screen.twipsPerPixelY() : 15.0;
    const double top = (m_s.screen.heightTwips() - height() * tppY) / 2;
    const double left = (m_s.screen.widthTwips() - width() * tppX) / 2;
    move(qRound(left / tppX), qRound(top / tppY));
    setCaption(documentTitle());
}

void txtForm::setCaption(const QString& caption)
{
    setWindowTitle(caption);
    rtbText->setAccessibleName(caption);
}

void txtForm::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    exec();
}

void txtForm::SSCommand1_Click()
{
    // The opener unloads the viewer once the modal showing has ended.
    accept();
}

void txtForm::rtbText_DblClick()
{
    accept();
}

void txtForm::cmdprint_Click()
{
    // 1. The question names the document by the viewer's caption.
    m_g.MessageText = QStringLiteral("Would you like to print the ") + crlf() + crlf() + Caption() + QStringLiteral("?");
    // 2. Yes or No, kept as its code.
    const int answer = m_s.boxes.show(m_g.MessageText, MsgBox::YesNo, MsgBox::Question, documentTitle());
    m_g.MessageAnswer = QString::number(answer);
    // 3. On Yes print, then say so; a print that failed says why instead.
    if (m_g.MessageAnswer.toInt() != MsgBox::Yes)
        return;
    const QString failure = printDocument();
    if (failure.isEmpty())
        message(QStringLiteral("Printing complete!"));
    else
        message(QStringLiteral("The document was not printed.") + crlf() + crlf() + failure);
}

QString txtForm::printDocument()
{
    if (!m_s.printer.installed())
        return QStringLiteral("No printer is installed. Install a printer and try again.");
    QPrinter& printer = m_s.printer.printer();
    // The job carries the document's name while it prints.
    const QString jobName = printer.docName();
    printer.setDocName(Caption());
    const RichTextPrint print = PrintRichText(printer, *rtbText->document(), kMargin, kMargin, kMargin, kMargin);
    printer.setDocName(jobName);
    if (!print.error.isEmpty())
        return print.error;
    const QString refusal = m_s.printer.jobError();
    if (!refusal.isEmpty())
        return QStringLiteral("The printer did not take the job: %1").arg(refusal);
    return QString();
}

void txtForm::message(const QString& text)
{
    m_s.boxes.show(text, MsgBox::OkOnly, MsgBox::Exclamation, documentTitle());
}
