#include "mainwindow/Form1.h"

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
#include "programwide/MediaPrompt.h"
#include "programwide/ProgramState.h"

#include <QLineEdit>

void Form1::optParent_Click(int Index)
{
    // 1. Media check, repeated until "Graphics" lists a file.
    if (!checkMediaPresent())
        return;

    // 2. The normal view's counter and stepper (the zoomed view's are left alone).
    Text1->setVisible(false);
    SpinButton1->setVisible(false);
    Text1->setText(QStringLiteral("1"));

    // 3. Every year black and disabled until a make is chosen.
    for (ThreeDButton* year : cmdYear) {
        year->setForeColor(Qt::black);
        year->setEnabled(false);
    }
    m_yearsWithAds.clear();
    m_adOnShow.clear();

    // 4. All make buttons shown; the sixth enabled.
    for (OptionButton* make : Option1)
        make->setVisible(true);
    Option1[5]->setEnabled(true);

    // 5. The selected group's makes, defaults and company picture.
    const int group = selectedParentIndex();
    if (group >= 0) {
        const ParentCompany& parent = catalogue()[group];
        for (int i = 0; i < 6; ++i) {
            if (!parent.makes[i].isEmpty())
                Option1[i]->setText(parent.makes[i]);
        }
        for (int i = 0; i < 6; ++i) {
            if (parent.hidden[i])
                Option1[i]->setVisible(false);
            if (parent.disabled[i])
                Option1[i]->setEnabled(false);
        }
        m_g.SelectedMake = parent.defaultMake;

        const PictureLoad company = LoadPicture(m_s, m_g.MediaRoot, parent.companyPicture);
        if (!company.ok()) {
            // The media answered the check but the picture cannot be read: nothing sensible
            // can be shown, so say why and end.
            ReportUnreadablePicture(m_g, m_s, parent.companyPicture, company.error);
            return;
        }
        // Into both views: the zoomed view shows the company picture too.
        showPicture(company.picture);
        SetScrollRange();
        m_g.MakeCode = parent.defaultCode;
    }

    // 6. The clicked parent's caption, trailing spaces included.
    panParent->setCaption(optParent[Index]->text());

    // 7. No make selected (clearing a button does not run its handler).
    for (OptionButton* make : Option1)
        make->setChecked(false);

    // 8. Zooming is possible once a picture is on show.
    cmdZoom->setEnabled(true);
    // Nothing of the other group's makes is wanted ahead any more.
    readAhead();
    describeAdOnShow();
}

bool Form1::checkMediaPresent()
{
    for (;;) {
        m_g.ErrorCode = QStringLiteral("ER001");
        if (m_s.files.first(m_g.MediaRoot, QStringLiteral("/Graphics/*.*")).found())
            return true;
        if (!ReportMediaError(m_g, m_s))
            return false;
    }
}
