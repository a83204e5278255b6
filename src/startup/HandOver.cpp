#include "startup/HandOver.h"

#include "mainwindow/Form1.h"
#include "platform/LoadPicture.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Services.h"
#include "programwide/MediaPrompt.h"
#include "programwide/ProgramState.h"

namespace {

bool loadCompanyPictureIntoViews(Form1& f, ProgramState& g, Services& s)
{
    const QString relative = QStringLiteral("/Graphics/VACORP00.bmp");
    const PictureLoad company = LoadPicture(s, g.MediaRoot, relative);
    if (!company.ok()) {
        // The media was readable a moment ago; without its first picture there is nothing to show.
        ReportUnreadablePicture(g, s, relative, company.error);
        return false;
    }
    f.PicSrc->setPicture(company.picture);
    f.picDest->setPicture(company.picture);
    f.SetScrollRange();
    return true;
}

} // namespace

bool HandOver(Form1& f, ProgramState& g, Services& s)
{
    // 3. Load the main window (locates the media; may prompt until it is there).
    if (!f.Form_Load())
        return false;
    // 4. The first parent company: fills the make buttons and shows its picture.
    f.optParent[0]->setChecked(true);
    if (s.end.hasEnded())
        return false;
    // 5. On screen.
    f.show();
    // 6-8. The first company picture into both picture boxes, and its scroll range.
    return loadCompanyPictureIntoViews(f, g, s);
}
