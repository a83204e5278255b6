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
#include "programwide/MediaPrompt.h"
#include "programwide/Colours.h"
#include "programwide/ProgramState.h"

#include <QHash>
#include <QLineEdit>

void Form1::cmdYear_Click(int Index)
{
    ShowYear(Index);
}

void Form1::ShowYear(int Index)
{
    // Every failure prompts for the media; Retry starts again from the top.
    for (;;) {
        const YearOutcome outcome = showYearOnce(Index);
        if (outcome == YearOutcome::Shown)
            return;
        if (!ReportMediaError(m_g, m_s))
            return;
    }
}

Form1::YearOutcome Form1::showYearOnce(int Index)
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

    // 15-16. The first ad into both views.
    const QImage picture = LoadPicture(m_s, m_g.LocalRoot, adFile(m_g.AdYear, m_g.ParentPrefix + m_g.MakePrefix, 0),
                                       nullptr);
    if (picture.isNull())
        return YearOutcome::MediaMissing;
    showPicture(picture);

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
    prefetchNeighbours();
    return YearOutcome::Shown;
}

void Form1::showPicture(const QImage& picture)
{
    PicSrc->setPicture(picture);
    Image1->setPicture(PicSrc->picture());
    picDest->setPicture(PicSrc->picture());
}

void Form1::prefetchNeighbours()
{
    // Decode the ads a step would show next, so the step itself is quick. Stepping reads
    // the media, so that is where they are looked up.
    const QString code = m_g.ParentPrefix + m_g.MakePrefix;
    QHash<int, QString> found;  // the paths the search below turned up, by number
    const Neighbours around = neighboursOf(m_g.AdNumber, [&](int n) {
        const Listing l = m_s.files.first(m_g.MediaRoot, adFile(m_g.AdYear, code, n));
        if (l.found())
            found.insert(n, l.path);
        return l.found();
    });
    QStringList paths;
    for (int n : {around.next, around.previous}) {
        if (n >= 0 && n != m_g.AdNumber)
            paths << found.value(n);
    }
    m_s.pictures.prefetch(paths, Image1->deviceSize());
}
