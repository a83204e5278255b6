#include "programwide/MediaPrompt.h"

#include "platform/MessageBoxes.h"
#include "platform/ProgramEnd.h"
#include "platform/Services.h"
#include "programwide/ProgramState.h"
#include "programwide/Texts.h"

bool ReportMediaError(ProgramState& g, Services& s)
{
    // A code other than the two leaves the text as it was (the code is always one of them).
    if (g.ErrorCode == QLatin1String("ER001"))
        g.MessageText = QStringLiteral("Unable to detect Vantorra Ads of the 50's & 60's CD-ROM.");
    else if (g.ErrorCode == QLatin1String("ER002"))
        g.MessageText = QStringLiteral("No longer able to detect Vantorra Ads of the 50's & 60's CD-ROM.");
    g.MessageText += crlf() + crlf()
        + QStringLiteral("Make sure that Vantorra Ads of the 50's & 60's is in CDROM drive.");

    const int answer = s.boxes.show(g.MessageText, MsgBox::RetryCancel, MsgBox::NoIcon, programTitle());
    g.MessageAnswer = QString::number(answer);
    if (g.MessageAnswer.toInt() == MsgBox::Cancel) {
        s.end.endNow(0);
        return false;
    }
    return true;
}

void ReportUnreadablePicture(ProgramState& g, Services& s, const QString& relative, const QString& error)
{
    s.boxes.show(QStringLiteral("The picture \"%1\" cannot be loaded: %2").arg(g.MediaRoot + relative, error) + crlf()
                     + crlf() + QStringLiteral("Vantorra Ads of the 50's & 60's must close."),
                 MsgBox::OkOnly, MsgBox::Critical, programTitle());
    s.end.endNow(1);
}
