#include "mainwindow/AccessibleNames.h"
#include "mainwindow/Form1.h"

#include "platform/ImageControl.h"
#include "platform/LastInput.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "programwide/Colours.h"
#include "programwide/ProgramState.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

QString adPictureName(const QString& make, int adYear, const QString& counter)
{
    return QStringLiteral("%1 %2, advertisement %3").arg(make.simplified()).arg(1900 + adYear).arg(counter.simplified());
}

QString emblemPictureName(const QString& make)
{
    return make.simplified() + QStringLiteral(" emblem");
}

QString companyPictureName(const QString& parentCaption)
{
    return parentCaption.simplified() + QStringLiteral(" company picture");
}

QString stepperName(const QString& counter)
{
    return QStringLiteral("Advertisement ") + counter.simplified();
}

void Form1::setUpAccessibility()
{
    // Names where a control shows none of its own; nothing here changes what is drawn.
    for (QLineEdit* counter : {Text1, Text3})
        counter->setAccessibleName(QStringLiteral("Advertisement"));
    for (SpinButton* spin : {SpinButton1, SpinButton2})
        spin->setArrowNames(QStringLiteral("Previous ad"), QStringLiteral("Next ad"));
    SSPanel2->setAccessibleName(QStringLiteral("Model years"));
    VScr->setAccessibleName(QStringLiteral("Scroll the ad"));
    pnlProgress->setAccessibleName(Label2->text());
    Label1->setBuddy(Text2);
    ProgressGuage->setGauge(true);
    ProgressGuage->setAccessibleName(QStringLiteral("Progress of the file"));
    ProgressGuage2->setGauge(true);
    ProgressGuage2->setAccessibleName(QStringLiteral("Progress of all ads"));

    m_lastInput = new LastInput(this);

    // Tab order: the makes, the normal view's stepper, the years, Zoom In and Exit; then the
    // zoomed view (picture, stepper, Zoom Out, Exit) and the copy panel. Hidden controls
    // are passed over, so each view has its own round.
    QList<QWidget*> order;
    for (OptionButton* make : Option1)
        order << make;
    order << SpinButton1;
    for (ThreeDButton* year : cmdYear)
        order << year;
    order << cmdZoom << SSCommand2 << picDest << SpinButton2 << cmdZoomOut << SSCommand1 << cmdCopy << cmdCancel
          << Text2;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::describeAdOnShow()
{
    // What is on show follows from the window: a year in red shows one of its ads; else a
    // chosen make shows its emblem; else the parent company's picture is up.
    int yearOnShow = -1;
    for (int i = 0; i < 20; ++i) {
        if (cmdYear[i]->foreColor() == onShowColour())
            yearOnShow = i;
    }
    bool makeChosen = false;
    for (const OptionButton* make : Option1)
        makeChosen = makeChosen || make->isChecked();

    QString name;
    if (yearOnShow >= 0)
        name = adPictureName(m_g.SelectedMake, m_g.AdYear, Text1->text());
    else if (makeChosen)
        name = emblemPictureName(m_g.SelectedMake);
    else
        name = companyPictureName(selectedParentCaption());
    Image1->setAccessibleName(name);
    picDest->setAccessibleName(name);
    // The counter's text means something only while a year is on show.
    for (SpinButton* spin : {SpinButton1, SpinButton2})
        spin->setAccessibleName(yearOnShow >= 0 ? stepperName(Text1->text()) : QStringLiteral("Advertisements"));
    for (int i = 0; i < 20; ++i)
        cmdYear[i]->setAccessibleDescription(i == yearOnShow ? QStringLiteral("On show") : QString());
}

void Form1::takeFocusFromKeyboard(QWidget* control)
{
    if (m_lastInput->wasKeyboard() && control->isVisible() && control->isEnabled())
        control->setFocus(Qt::TabFocusReason);
}
