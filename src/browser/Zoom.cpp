#include "mainwindow/Form1.h"

#include "browser/AdFiles.h"
#include "platform/FileLookup.h"
#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/Services.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "programwide/ProgramState.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QScrollBar>

namespace {

// The zoomed viewport ends this far above the status row.
constexpr int kStatusRowClearance = 36;

} // namespace

bool Form1::stepperTest()
{
    // A plain existence test on the media; an unreadable media counts as a missing file.
    return m_s.files.first(m_g.MediaRoot, adFile(m_g.AdYear, m_g.MakeCode, 1)).found();
}

int Form1::zoomedViewportHeight() const
{
    return PnlCoStar->y() - kStatusRowClearance;
}

int Form1::zoomedViewportWidth() const
{
    return SSCommand1->x() + SSCommand1->width() - VScr->width();
}

void Form1::updatePanCursor()
{
    const QSize picture = picDest->heldPicture().size();
    if (picture.width() > zoomedViewportWidth() || picture.height() > zoomedViewportHeight())
        picDest->setCursor(Qt::OpenHandCursor);
    else
        picDest->unsetCursor();
}

void Form1::ToggleZoom()
{
    if (m_g.ZoomState.trimmed().toDouble() == 1.0)
        zoomIn();
    else
        zoomOut();
    // The two views step to pictures of different kinds.
    readAhead();
}

void Form1::zoomIn()
{
    for (ThreeDButton* year : cmdYear)
        year->setEnabled(false);
    Text1->setVisible(false);
    SpinButton1->setVisible(false);
    SSPanel1->setVisible(false);
    picDest->raise();
    VScr->setValue(0);
    VScr->resize(VScr->width(), zoomedViewportHeight());
    VScr->setPageStep(zoomedViewportHeight());
    VScr->raise();
    panParent->setVisible(true);
    Image1->setVisible(false);
    cmdZoomOut->setVisible(true);
    if (stepperTest()) {
        Text3->setText(Text1->text());
        SpinButton2->setVisible(true);
        Text3->setVisible(true);
    }
    SSCommand1->setVisible(true);
    picDest->setGeometry(8, 0, zoomedViewportWidth(), zoomedViewportHeight());
    updatePanCursor();
    picDest->setVisible(true);
    VScr->setVisible(true);
    m_g.ZoomState = QStringLiteral("2");
    // The keys that scroll the picture go to the picture.
    picDest->setFocus();
}

void Form1::zoomOut()
{
    Text3->setVisible(false);
    SpinButton2->setVisible(false);
    cmdZoomOut->setVisible(false);
    SSCommand1->setVisible(false);
    SpinButton1->raise();
    Image1->setVisible(true);
    picDest->setVisible(false);
    // The next zoom-in starts at the left edge, as it starts at the top.
    picDest->setPanX(0);
    VScr->setVisible(false);
    m_g.ZoomState = QStringLiteral("1");
    panParent->setVisible(false);
    SSPanel1->setVisible(true);
    if (stepperTest()) {
        Text1->setText(Text3->text());
        SpinButton1->setVisible(true);
        Text1->setVisible(true);
        Text1->raise();
    } else {
        Text1->setVisible(false);
        SpinButton1->setVisible(false);
        Text3->setVisible(false);
    }
}

void Form1::cmdZoom_Click()
{
    ToggleZoom();
}

void Form1::Image1_DblClick()
{
    if (cmdZoom->isEnabled())
        ToggleZoom();
}

void Form1::cmdZoomOut_Click()
{
    zoomOutAndRefreshYears();
}

void Form1::picDest_DblClick()
{
    zoomOutAndRefreshYears();
}

void Form1::zoomOutAndRefreshYears()
{
    ToggleZoom();
    // Let the window repaint in the normal view before the media is probed.
    QCoreApplication::processEvents();
    for (OptionButton* make : Option1) {
        if (make->isChecked()) {
            EnableAdYears();
            return;
        }
    }
}

void Form1::VScr_Change()
{
    picDest->move(picDest->x(), -VScr->value());
    picDest->resize(picDest->width(), VScr->value() + VScr->height());
}
