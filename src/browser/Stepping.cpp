#include "mainwindow/Form1.h"

#include "browser/AdFiles.h"
#include "platform/ImageControl.h"
#include "platform/LoadPicture.h"
#include "platform/MousePointer.h"
#include "platform/PictureBox.h"
#include "platform/PictureLoader.h"
#include "platform/Services.h"
#include "platform/SpinButton.h"
#include "programwide/ProgramState.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {

// Windows key codes of the comma and period keys (they carry "<" and ">").
constexpr int kKeyComma = 188;
constexpr int kKeyPeriod = 190;
// Keys that change the state of the keyboard rather than type anything: Shift, Control,
// Alt/AltGr, Meta, and the lock keys Caps Lock, Num Lock and Scroll Lock.
constexpr int kStateKeys[] = {16, 17, 18, 91, 20, 144, 145};

bool isStateKey(int keyCode)
{
    for (int k : kStateKeys) {
        if (k == keyCode)
            return true;
    }
    return false;
}

} // namespace

void Form1::ShowPreviousAd()
{
    // Stepping always reads the media, also when a local library exists.
    if (!checkMediaPresent())
        return;
    m_s.pointer.setMousePointer(MousePointer::Hourglass);
    if (!searchAndShow(previousRange(m_g.AdNumber)))
        m_s.pointer.setMousePointer(MousePointer::Default);
}

void Form1::ShowNextAd()
{
    // Stepping always reads the media, also when a local library exists.
    if (!checkMediaPresent())
        return;
    m_s.pointer.setMousePointer(MousePointer::Hourglass);
    const StepRange range = nextRange(m_g.AdNumber);
    if (searchAndShow(range))
        return;
    // Past the last ad: wrap around to the first, unless the search already began there.
    if (range.origin != 0 && searchAndShow(wrapRange()))
        return;
    m_s.pointer.setMousePointer(MousePointer::Default);
}

bool Form1::searchAndShow(const StepRange& range)
{
    const QString code = m_g.ParentPrefix + m_g.MakePrefix;
    // In the normal view a copy in the view's size is enough to show the ad at once; the
    // zoomed view shows the whole picture, so that is what to wait for there.
    const QSize view = Image1->isHidden() ? QSize() : Image1->deviceSize();
    for (int n : range.numbers) {
        m_g.AdNumber = qint16(n);
        const PictureLoad ad = LoadPicture(m_s, m_g.MediaRoot, adFile(m_g.AdYear, code, n), view);
        if (ad.ok()) {
            PicSrc->setPicture(ad.picture);
            m_adOnShow = ad.path;
        }
        // After a failed load this puts the previous picture back.
        if (Image1->heldPicture() != PicSrc->heldPicture())
            Image1->setPicture(PicSrc->heldPicture());
        // Number 0 is taken even when it cannot be loaded.
        if (ad.ok() || n == 0) {
            showStep();
            return true;
        }
    }
    m_g.AdNumber = qint16(pastEnd(range));
    return false;
}

void Form1::showStep()
{
    const QString counter = counterText(m_g.AdNumber, m_g.AdCount);
    Text1->setText(counter);
    Text3->setText(counter);
    picDest->setPicture(PicSrc->heldPicture());
    updatePanCursor();
    SetScrollRange();
    VScr->setValue(0);
    m_s.pointer.setMousePointer(MousePointer::Default);
    readAhead();
    describeAdOnShow();
}

void Form1::cmdYear_KeyDown(int Index, int KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    // The design's Visible property is the widget's own flag, not whether it is on screen.
    if (SpinButton1->isHidden())
        return;
    // Pressed on their own these keys do nothing.
    if (isStateKey(KeyCode))
        return;
    if (KeyCode == kKeyComma)
        ShowPreviousAd();
    else if (KeyCode == kKeyPeriod)
        ShowNextAd();
    else
        ShowYear(Index);
}
