#include "mainwindow/Form1.h"

#include "browser/AdFiles.h"
#include "browser/Catalogue.h"
#include "platform/FileLookup.h"
#include "platform/ImageControl.h"
#include "platform/LoadPicture.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/Services.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "platform/Units.h"
#include "programwide/Colours.h"
#include "programwide/ProgramState.h"

#include <QLineEdit>

int Form1::selectedParentIndex() const
{
    for (int i = 0; i < 4; ++i) {
        if (optParent[i]->isChecked())
            return i;
    }
    return -1;
}

QString Form1::selectedParentCaption() const
{
    const int i = selectedParentIndex();
    return i < 0 ? QString() : optParent[i]->text();
}

void Form1::Option1_Click(int Index)
{
    m_g.SelectedMake = Option1[Index]->text();
    for (OptionButton* make : Option1)
        make->setForeColor(makeColour());
    Option1[Index]->setForeColor(onShowColour());
    ShowMake();
}

void Form1::ShowMake()
{
    // 1-2. Nothing on show: no zoom, no stepper, every year black and disabled.
    cmdZoom->setEnabled(false);
    SpinButton1->setVisible(false);
    Text1->setVisible(false);
    for (ThreeDButton* year : cmdYear) {
        year->setForeColor(Qt::black);
        year->setEnabled(false);
    }

    // 3-5. The make's code and the years that have ads.
    m_g.MakeCode = makeCodeFor(selectedParentCaption(), m_g.SelectedMake);
    m_adOnShow.clear();
    EnableAdYears();

    // 6. The make's name and emblem; a missing emblem leaves the previous picture.
    panParent->setCaption(QStringLiteral("  ") + m_g.SelectedMake);
    const PictureLoad emblem =
        LoadPicture(m_s, m_g.MediaRoot, QStringLiteral("/Graphics/Emb") + m_g.MakeCode + QStringLiteral(".bmp"));
    if (emblem.ok()) {
        // Into both views: the zoomed view shows the emblem too.
        showPicture(emblem.picture);
        SetScrollRange();
    } else {
        Image1->setPicture(PicSrc->heldPicture());
    }
    // The first ad of every year, so that a click on a year shows it at once.
    readAhead();
    describeAdOnShow();
}

void Form1::EnableAdYears()
{
    m_yearsWithAds.clear();
    for (int i = 0; i < 20; ++i) {
        const int year = i + 50;
        // A listing that fails (an unreadable drive) enables the year as well: choosing it
        // then leads to the media prompt.
        const Listing first = m_s.files.first(m_g.MediaRoot, adFile(year, m_g.MakeCode, 0));
        if (first.failed || !first.name.isEmpty())
            cmdYear[i]->setEnabled(true);
        if (first.found())
            m_yearsWithAds << year;
        if (cmdYear[i]->foreColor() != onShowColour())
            cmdYear[i]->setForeColor(Qt::black);
    }
}
