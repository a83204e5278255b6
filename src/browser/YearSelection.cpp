#include "mainwindow/Form1.h"

#include "browser/AdFiles.h"
#include "browser/Catalogue.h"
#include "platform/FileLookup.h"
#include "platform/ImageControl.h"
#include "platform/LoadPicture.h"
#include "platform/MousePointer.h"
#include "platform/PictureBox.h"
#include "platform/PictureLoader.h"
#include "platform/Services.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "platform/MessageBoxes.h"
#include "programwide/Colours.h"
#include "programwide/MediaPrompt.h"
#include "programwide/ProgramState.h"
#include "programwide/Texts.h"

#include <QDir>
#include <QHash>
#include <QLineEdit>

void Form1::cmdYear_Click(int Index)
{
    ShowYear(Index);
}

void Form1::ShowYear(int Index)
{
    // A media that fails prompts for the media; Retry starts again from the top. A first
    // ad that is there but damaged cannot be mended by trying again: it is named once and
    // the ad on show stays.
    const BrowseSnapshot before = browseSnapshot();
    for (;;) {
        PictureLoad damaged;
        const YearOutcome outcome = showYearOnce(Index, &damaged);
        if (outcome == YearOutcome::Shown)
            return;
        if (outcome == YearOutcome::Damaged) {
            restoreBrowse(before);
            m_s.pointer.setMousePointer(MousePointer::Default);
            ReportDamagedPicture(damaged);
            return;
        }
        if (!ReportMediaError(m_g, m_s))
            return;
    }
}

Form1::BrowseSnapshot Form1::browseSnapshot() const
{
    BrowseSnapshot b{m_g.AdYear, m_g.AdCount, m_g.AdNumber, m_g.ParentPrefix, m_g.MakePrefix,
                     Text1->text(), !Text1->isHidden(), !SpinButton1->isHidden(), panParent->caption(), -1};
    for (int i = 0; i < 20; ++i) {
        if (cmdYear[i]->foreColor() == onShowColour())
            b.yearOnShow = i;
    }
    return b;
}

void Form1::restoreBrowse(const BrowseSnapshot& b)
{
    m_g.AdYear = b.adYear;
    m_g.AdCount = b.adCount;
    m_g.AdNumber = b.adNumber;
    m_g.ParentPrefix = b.parentPrefix;
    m_g.MakePrefix = b.makePrefix;
    Text1->setText(b.counter);
    Text1->setVisible(b.counterVisible);
    SpinButton1->setVisible(b.stepperVisible);
    if (b.counterVisible)
        Text1->raise();
    panParent->setCaption(b.caption);
    for (int i = 0; i < 20; ++i)
        cmdYear[i]->setForeColor(i == b.yearOnShow ? onShowColour() : QColor(Qt::black));
}

void Form1::ReportDamagedPicture(const PictureLoad& load)
{
    m_s.boxes.show(QStringLiteral("The ad \"%1\" cannot be shown: %2").arg(QDir::toNativeSeparators(load.path), load.error),
                   MsgBox::OkOnly, MsgBox::Exclamation, programTitle());
}

Form1::YearOutcome Form1::showYearOnce(int Index, PictureLoad* damaged)
{
    // 1-3. Hourglass, zoom allowed, the counter and stepper hidden, every year black.
    m_s.pointer.setMousePointer(MousePointer::Hourglass);
    cmdZoom->setEnabled(true);
    SpinButton1->setVisible(false);
    Text1->setVisible(false);
    for (ThreeDButton* year : cmdYear)
        year->setForeColor(Qt::black);

    // 4-7. The year and the line that names parent, year and make.
    const QString parent = selectedParentCaption();
    const QString caption = cmdYear[Index]->text();
    m_g.AdNumber = 0;
    m_g.AdYear = qint16(yearFromCaption(caption));
    panParent->setCaption(QStringLiteral("  ") + parent + QStringLiteral("    ") + caption + QStringLiteral("  ")
                          + m_g.SelectedMake);

    // 8-9. The count. ErrorCode is deliberately left as it was: the prompt names the
    // reason set last.
    const int count = countAds(
        [this](int n) { return probeOf(m_s.files.first(m_g.LocalRoot, adFile(m_g.AdYear, m_g.MakeCode, n))); });
    m_g.AdCount = qint16(count);
    if (!countIsValid(count))
        return YearOutcome::MediaMissing;

    // 10-14. The counter, the year marked, the prefixes that name the files, the next reason.
    Text1->setText(counterText(0, count));
    cmdYear[Index]->setForeColor(onShowColour());
    m_g.ParentPrefix = firstTwo(parent);
    m_g.MakePrefix = firstTwo(m_g.SelectedMake);
    m_g.AdYear = qint16(caption.mid(2, 2).toInt());
    m_g.ErrorCode = QStringLiteral("ER002");

    // 15-16. The first ad into both views: at once in the size of the normal view, the
    // whole picture for the zoomed view, printing and the clipboard as it comes.
    const PictureLoad first = LoadPicture(m_s, m_g.LocalRoot, adFile(m_g.AdYear, m_g.ParentPrefix + m_g.MakePrefix, 0),
                                          Image1->deviceSize());
    if (!first.ok()) {
        if (!first.damaged)
            return YearOutcome::MediaMissing;
        *damaged = first;
        return YearOutcome::Damaged;
    }
    showPicture(first.picture);
    m_adOnShow = first.path;

    // 17. (The scroll position is kept.)
    SetScrollRange();

    // 18. The stepper when the year has a second ad.
    const Listing second = m_s.files.first(m_g.LocalRoot, adFile(m_g.AdYear, m_g.MakeCode, 1));
    if (second.failed)
        return YearOutcome::MediaMissing;
    if (!second.name.isEmpty()) {
        SpinButton1->setVisible(true);
        Text1->setVisible(true);
        Text1->raise();
    }

    // 19. Default pointer; the neighbours are decoded ahead.
    m_s.pointer.setMousePointer(MousePointer::Default);
    readAhead();
    describeAdOnShow();
    return YearOutcome::Shown;
}

void Form1::showPicture(const Picture& picture)
{
    PicSrc->setPicture(picture);
    Image1->setPicture(picture);
    picDest->setPicture(picture);
    updatePanCursor();
}

namespace {

// What the first ads of the years may take while they wait for a click: every year at the
// usual screen sizes (about 1 MB each), the nearest dozen on a screen of twice the density.
constexpr qint64 kYearsReadAheadBytes = 48LL * 1024 * 1024;

} // namespace

void Form1::readAhead()
{
    ReadAhead request;
    request.viewSize = Image1->deviceSize();
    // The zoomed view steps to whole pictures; the normal view shows copies in its size.
    const bool zoomed = Image1->isHidden();
    if (!m_adOnShow.isEmpty()) {
        // The ads a step would show next. Stepping reads the media, so that is where they
        // are looked up.
        const QString code = m_g.ParentPrefix + m_g.MakePrefix;
        QHash<int, QString> found;  // what the search below looked up, by number (empty: none)
        const QList<int> numbers = stepsAhead(m_g.AdNumber, [&](int n) {
            const auto known = found.constFind(n);
            if (known != found.constEnd())
                return !known->isEmpty();
            const Listing l = m_s.files.first(m_g.MediaRoot, adFile(m_g.AdYear, code, n));
            found.insert(n, l.found() ? l.path : QString());
            return l.found();
        });
        QStringList next;
        for (int n : numbers)
            next << found.value(n);
        if (zoomed) {
            // Whole pictures are large: only the next step's either way.
            request.wholes = next.mid(0, 2);
            request.views << m_adOnShow;  // for the way back to the normal view
        } else {
            request.views = next;
            // Zooming, printing or copying want the whole picture: decoded once the user
            // pauses, so that quick steps have the workers to themselves.
            request.laterWholes << m_adOnShow;
        }
    }
    // The first ad of every year of the make, nearest years first, from where a click on
    // the year reads it.
    for (int year : yearsToReadAhead(m_yearsWithAds, m_g.AdYear, kYearsReadAheadBytes,
                                     viewCopyBytes(request.viewSize))) {
        const Listing first = m_s.files.first(m_g.LocalRoot, adFile(year, m_g.MakeCode, 0));
        if (first.found())
            request.views << first.path;
    }
    m_s.pictures.prefetch(request);
}
