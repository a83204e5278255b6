// What assistive technology reads of each window (roles, names, states, values, walked
// through the accessibility tree), the spin buttons' press actions, the events a screen
// reader listens for, and the keyboard reaching every command.
#include "TestProgram.h"

#include "documents/HelpWindow.h"
#include "documents/frmAbout.h"
#include "documents/txtForm.h"
#include "mainwindow/AccessibleNames.h"
#include "platform/Accessibility.h"
#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/RichTextBox.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "platform/qt/QtMessageBoxes.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

namespace {

// One node of the tree as assistive technology reads it.
struct Node
{
    QAccessible::Role role = QAccessible::NoRole;
    QString name, description, value;
    QString text;  // the text interface's text
    QAccessible::State state;
    QStringList actions;
    double number = qQNaN();  // the value interface's current value
};

// The nodes under `iface`, keyed by object name, or by the parent's key and the index for
// nodes without one (the spin buttons' arrows: "SpinButton1/1").
void walk(QAccessibleInterface* iface, const QString& key, QHash<QString, Node>* nodes, int depth = 0)
{
    if (!iface || !iface->isValid() || depth > 30)
        return;
    Node n;
    n.role = iface->role();
    n.name = iface->text(QAccessible::Name);
    n.description = iface->text(QAccessible::Description);
    n.value = iface->text(QAccessible::Value);
    n.state = iface->state();
    if (QAccessibleActionInterface* a = iface->actionInterface())
        n.actions = a->actionNames();
    if (QAccessibleTextInterface* t = iface->textInterface())
        n.text = t->text(0, t->characterCount());
    if (QAccessibleValueInterface* v = iface->valueInterface())
        n.number = v->currentValue().toDouble();
    nodes->insert(key, n);
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (!child)
            continue;
        // A child must know its parent, or a screen reader cannot walk back up.
        QCOMPARE(iface->indexOfChild(child), i);
        const QString name = child->object() ? child->object()->objectName() : QString();
        walk(child, name.isEmpty() ? key + QLatin1Char('/') + QString::number(i) : name, nodes, depth + 1);
    }
}

// The first node under root with this role whose name holds `name`.
QAccessibleInterface* findNode(QAccessibleInterface* root, QAccessible::Role role, const QString& name)
{
    if (!root)
        return nullptr;
    if (root->role() == role && root->text(QAccessible::Name).contains(name))
        return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* found = findNode(root->child(i), role, name))
            return found;
    }
    return nullptr;
}

QHash<QString, Node> treeOf(QWidget* window)
{
    QHash<QString, Node> nodes;
    walk(QAccessible::queryAccessibleInterface(window), window->objectName(), &nodes);
    return nodes;
}

QStringList solenne55(int count)
{
    QStringList files{"50VaVa00.jpg"};
    for (int n = 0; n < count; ++n)
        files << QStringLiteral("55VaSo%1.jpg").arg(n, 2, 10, QChar('0'));
    return files;
}

// The program on media with three Solenne ads of 1955, the year on show.
struct YearOnShow
{
    TestProgram p;
    Form1* f = nullptr;

    explicit YearOnShow(int ads = 3)
    {
        p.writeMedia(solenne55(ads));
        f = p.start();
        if (!f)
            return;
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QTest::mouseClick(f->Option1[1], Qt::LeftButton);
        QTest::mouseClick(f->cmdYear[5], Qt::LeftButton);
    }

    QAccessibleInterface* iface(QObject* o) const { return QAccessible::queryAccessibleInterface(o); }
};

// Flag names for the rows: "checked", "!disabled", ...
bool stateFlag(const QAccessible::State& s, const QString& flag)
{
    if (flag == "checked") return s.checked;
    if (flag == "checkable") return s.checkable;
    if (flag == "disabled") return s.disabled;
    if (flag == "invisible") return s.invisible;
    if (flag == "focused") return s.focused;
    if (flag == "focusable") return s.focusable;
    if (flag == "readonly") return s.readOnly;
    qFatal("unknown state flag %s", qPrintable(flag));
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    QHash<QString, QHash<QString, Node>> m_trees;  // by scenario, made once

    // The tree of one window in one situation.
    QHash<QString, Node> tree(const QString& scenario)
    {
        if (!m_trees.contains(scenario))
            m_trees.insert(scenario, makeTree(scenario));
        return m_trees.value(scenario);
    }

    QHash<QString, Node> makeTree(const QString& scenario)
    {
        QHash<QString, Node> nodes;
        if (scenario == "year" || scenario == "zoomed") {
            YearOnShow s;
            if (scenario == "zoomed")
                QTest::mouseClick(s.f->cmdZoom, Qt::LeftButton);
            return treeOf(s.f);
        }
        if (scenario == "copy") {
            // Two files of two full chunks each; the tree is read as the first chunk is written.
            TestProgram p;
            p.writeMedia({});
            for (const char* name : {"55VaVa00.jpg", "55VaVa01.jpg"})
                p.media().file(QStringLiteral("ads/") + name, QByteArray(60000, 'x'));
            Form1* f = p.start();
            if (!f)
                return nodes;
            f->show();
            p.fake.localFiles.onWrite = [&](const QString&, qint64) {
                if (nodes.isEmpty())
                    nodes = treeOf(f);
            };
            f->mnuCopy->trigger();
            QTest::mouseClick(f->cmdCopy, Qt::LeftButton);
            return nodes;
        }
        if (scenario == "viewer") {
            TestProgram p;
            p.writeMedia({"55VaVa00.jpg"});
            p.media().richText();
            Form1* f = p.start();
            if (!f)
                return nodes;
            f->show();
            QTimer::singleShot(0, f, [&] {
                if (auto* viewer = qobject_cast<txtForm*>(QApplication::activeModalWidget())) {
                    nodes = treeOf(viewer);
                    viewer->SSCommand1->click();
                }
            });
            f->mnuNotice->trigger();
            return nodes;
        }
        if (scenario == "about") {
            TestProgram p;
            p.writeMedia({"55VaVa00.jpg"});
            Form1* f = p.start();
            if (!f)
                return nodes;
            f->show();
            f->mnuAbout->trigger();
            if (f->aboutBox())
                nodes = treeOf(f->aboutBox());
            return nodes;
        }
        if (scenario == "help") {
            TestProgram p;
            p.writeMedia({"55VaVa00.jpg"});
            p.fake.help.paths = {QStringLiteral(VANTORRA_HELP_FILE)};
            Form1* f = p.start();
            if (!f)
                return nodes;
            f->show();
            f->mnuContents->trigger();
            if (f->helpWindow())
                nodes = treeOf(f->helpWindow());
            return nodes;
        }
        qFatal("unknown scenario");
    }

private slots:
    void initTestCase() { installAccessibleInterfaces(); }

    // ---- every window's tree ----

    void roleNameAndState_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("states");  // flags that must be set; "!flag" must not be
        QTest::addColumn<QString>("value");   // text value, the value interface's number, "~" text held

        const int button = QAccessible::Button, radio = QAccessible::RadioButton, label = QAccessible::StaticText;
        const int text = QAccessible::EditableText, graphic = QAccessible::Graphic, pane = QAccessible::Pane;
        // Form1 with 1955 of Solenne on show.
        QTest::newRow("chosen make") << "year" << "Option1_1" << radio << "Solenne" << "checkable,checked" << "";
        QTest::newRow("other make") << "year" << "Option1_0" << radio << "Vantorra" << "checkable,!checked" << "";
        QTest::newRow("hidden sixth make") << "year" << "Option1_5" << radio << "" << "invisible" << "";
        QTest::newRow("make frame") << "year" << "Frame1" << int(QAccessible::Grouping) << "Make" << "" << "";
        QTest::newRow("year on show") << "year" << "cmdYear_5" << button << "1955" << "!disabled,focusable" << "";
        QTest::newRow("year without ads") << "year" << "cmdYear_1" << button << "1951" << "disabled" << "";
        QTest::newRow("zoom in") << "year" << "cmdZoom" << button << "Zoom In" << "!disabled" << "";
        QTest::newRow("exit") << "year" << "SSCommand2" << button << "Exit" << "" << "";
        QTest::newRow("year panel") << "year" << "SSPanel2" << pane << "Model years" << "" << "";
        QTest::newRow("counter") << "year" << "Text1" << text << "Advertisement" << "readonly,!invisible" << "1 of 3";
        QTest::newRow("stepper") << "year" << "SpinButton1" << int(QAccessible::SpinBox) << "Advertisement 1 of 3"
                                 << "focusable,!invisible" << "";
        QTest::newRow("backward arrow") << "year" << "SpinButton1/0" << button << "Previous ad" << "!disabled" << "";
        QTest::newRow("forward arrow") << "year" << "SpinButton1/1" << button << "Next ad" << "!disabled" << "";
        QTest::newRow("picture") << "year" << "Image1" << graphic << "Solenne 1955, advertisement 1 of 3" << "" << "";
        QTest::newRow("title strip") << "year" << "PnlCoStar" << label << "Vantorra Ads of the '50s and '60s" << ""
                                     << "";
        QTest::newRow("hidden zoomed counter") << "year" << "Text3" << text << "Advertisement" << "invisible" << "";
        QTest::newRow("scroll bar hidden") << "year" << "VScr" << int(QAccessible::ScrollBar) << "Scroll the ad" << "invisible"
                                           << "";
        // The zoomed view.
        QTest::newRow("zoomed picture") << "zoomed" << "picDest" << graphic << "Solenne 1955, advertisement 1 of 3"
                                        << "focused,!invisible" << "";
        QTest::newRow("zoomed stepper") << "zoomed" << "SpinButton2" << int(QAccessible::SpinBox)
                                        << "Advertisement 1 of 3" << "!invisible" << "";
        QTest::newRow("zoomed forward arrow") << "zoomed" << "SpinButton2/1" << button << "Next ad" << "" << "";
        QTest::newRow("zoomed counter") << "zoomed" << "Text3" << text << "Advertisement" << "readonly,!invisible"
                                        << "1 of 3";
        QTest::newRow("identification") << "zoomed" << "panParent" << label << "Vantorra 1955 Solenne" << "!invisible"
                                        << "";
        QTest::newRow("zoom out") << "zoomed" << "cmdZoomOut" << button << "Zoom Out" << "!invisible" << "";
        QTest::newRow("zoomed exit") << "zoomed" << "SSCommand1" << button << "Exit" << "!invisible" << "";
        QTest::newRow("years off while zoomed") << "zoomed" << "cmdYear_5" << button << "1955" << "disabled" << "";
        QTest::newRow("normal stepper hidden") << "zoomed" << "SpinButton1" << int(QAccessible::SpinBox)
                                               << "Advertisement 1 of 3" << "invisible" << "";
        // The copy panel while the first chunk is written (42 % of the first file).
        QTest::newRow("copy panel") << "copy" << "pnlProgress" << pane << "Copy Ads from CD-ROM to hard drive"
                                    << "!invisible" << "";
        QTest::newRow("heading") << "copy" << "Label2" << label << "Copy Ads from CD-ROM to hard drive" << "" << "";
        QTest::newRow("file being copied") << "copy" << "Text2" << text << "Copying file:" << "readonly" << "";
        QTest::newRow("file gauge") << "copy" << "ProgressGuage" << int(QAccessible::ProgressBar)
                                    << "Progress of the file" << "" << "42";
        QTest::newRow("overall gauge") << "copy" << "ProgressGuage2" << int(QAccessible::ProgressBar)
                                       << "Progress of all ads" << "" << "0";
        QTest::newRow("copy button while copying") << "copy" << "cmdCopy" << button << "Copy Ads" << "disabled" << "";
        QTest::newRow("cancel while copying") << "copy" << "cmdCancel" << button << "Cancel" << "disabled" << "";
        // The document viewer.
        QTest::newRow("viewer") << "viewer" << "txtForm" << int(QAccessible::Dialog) << "Notice" << "" << "";
        QTest::newRow("document") << "viewer" << "rtbText" << text << "Notice" << "readonly"
                                  << "~Automobile advertising of the model years 1950 to 1969";
        QTest::newRow("viewer ok") << "viewer" << "SSCommand1" << button << "OK" << "!invisible" << "";
        QTest::newRow("print button") << "viewer" << "cmdprint" << button << "Print" << "!invisible" << "";
        QTest::newRow("spare button") << "viewer" << "SSCommand2" << button << "" << "invisible,disabled" << "";
        // The About box.
        QTest::newRow("about title") << "about" << "SSPanel5" << label << "Vantorra Ads" << "" << "";
        QTest::newRow("about subtitle") << "about" << "SSPanel1" << label << "of the 50's & 60's" << "" << "";
        QTest::newRow("about version") << "about" << "SSPanel4" << label << "v1.00" << "" << "";
        QTest::newRow("about ok") << "about" << "SSCommand1" << button << "OK" << "" << "";
        QTest::newRow("about web") << "about" << "SSCommand2" << button << "www.tellwind.example" << "" << "";
        QTest::newRow("about picture") << "about" << "Image1" << graphic << "" << "" << "";
        QTest::newRow("about address") << "about" << "panTellwind" << label
                                       << "Tellwind Software, 418 Orchard Lane, Millbrook, OR 97999" << "" << "";
        // The help window.
        QTest::newRow("help text") << "help" << "browser" << label << "Help text" << "readonly" << "~Help > Contents opens this help";
        QTest::newRow("help contents") << "help" << "cmdContents" << button << "Contents" << "" << "";
        QTest::newRow("help close") << "help" << "cmdClose" << button << "Close" << "" << "";
    }

    void roleNameAndState()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, key);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, states);
        QFETCH(QString, value);

        const QHash<QString, Node> nodes = tree(scenario);
        QVERIFY2(nodes.contains(key), qPrintable(QStringLiteral("%1 is not in the tree of %2").arg(key, scenario)));
        const Node n = nodes.value(key);
        QCOMPARE(int(n.role), role);
        QCOMPARE(n.name, name);
        for (const QString& flag : states.split(',', Qt::SkipEmptyParts)) {
            const bool wanted = !flag.startsWith('!');
            QVERIFY2(stateFlag(n.state, flag.mid(wanted ? 0 : 1)) == wanted, qPrintable(flag));
        }
        if (value.startsWith('~'))
            QVERIFY2(n.text.contains(value.mid(1)), qPrintable(n.text.left(200)));
        else if (!value.isEmpty()) {
            if (qIsNaN(n.number))
                QCOMPARE(n.value, value);
            else
                QCOMPARE(n.number, value.toDouble());
        }
    }

    // Everything a keyboard user can reach on screen has a name to be read.
    void everyShownFocusableControlHasAName_data()
    {
        QTest::addColumn<QString>("scenario");
        for (const char* s : {"year", "zoomed", "copy", "viewer", "about", "help"})
            QTest::newRow(s) << s;
    }

    void everyShownFocusableControlHasAName()
    {
        QFETCH(QString, scenario);
        const QHash<QString, Node> nodes = tree(scenario);
        QVERIFY(nodes.size() > 3);
        for (auto it = nodes.cbegin(); it != nodes.cend(); ++it) {
            const Node& n = it.value();
            if (n.state.focusable && !n.state.invisible && n.role != QAccessible::EditableText)
                QVERIFY2(!n.name.trimmed().isEmpty(), qPrintable(it.key()));
            QVERIFY2(n.role != QAccessible::CheckBox, qPrintable(it.key()));
        }
    }

    // A real message box: its text, its title and its buttons read, and a button's press
    // action answers it.
    void messageBoxReads()
    {
        QtMessageBoxes boxes;
        QHash<QString, Node> nodes;
        QString allText;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            nodes = treeOf(box);
            for (const Node& n : std::as_const(nodes))
                allText += n.name + QLatin1Char('|') + n.value + QLatin1Char('|');
            // Closing the box would answer Cancel; Retry comes only from its button.
            if (QAccessibleInterface* retry = findNode(QAccessible::queryAccessibleInterface(box), QAccessible::Button,
                                                       QStringLiteral("Retry")))
                retry->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            else
                box->close();
        });
        const int answer = boxes.show(QStringLiteral("Unable to detect the CD-ROM.\r\nPlease insert it."),
                                      MsgBox::RetryCancel, MsgBox::Exclamation, QStringLiteral("VantorraAds"));
        QVERIFY2(allText.contains("Unable to detect the CD-ROM."), qPrintable(allText));
        QVERIFY2(allText.contains("VantorraAds"), qPrintable(allText));
        QVERIFY2(allText.contains("Retry"), qPrintable(allText));
        QCOMPARE(answer, int(MsgBox::Retry));
    }

    // ---- the spin buttons' actions step as a click does ----

    void pressActionSteps_data()
    {
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<QStringList>("presses");  // "next", "previous", "increase", "decrease"
        QTest::addColumn<QString>("counter");

        QTest::newRow("next") << false << QStringList{"next"} << "2 of 3";
        QTest::newRow("next twice") << false << QStringList{"next", "next"} << "3 of 3";
        QTest::newRow("next wraps") << false << QStringList{"next", "next", "next"} << "1 of 3";
        QTest::newRow("previous wraps") << false << QStringList{"previous"} << "3 of 3";
        QTest::newRow("there and back") << false << QStringList{"next", "previous"} << "1 of 3";
        QTest::newRow("spin button's own increase") << false << QStringList{"increase", "increase"} << "3 of 3";
        QTest::newRow("spin button's own decrease") << false << QStringList{"decrease"} << "3 of 3";
        QTest::newRow("zoomed next") << true << QStringList{"next"} << "2 of 3";
        QTest::newRow("zoomed previous") << true << QStringList{"previous", "previous"} << "2 of 3";
    }

    void pressActionSteps()
    {
        QFETCH(bool, zoomed);
        QFETCH(QStringList, presses);
        QFETCH(QString, counter);

        YearOnShow s;
        QVERIFY(s.f);
        if (zoomed)
            QTest::mouseClick(s.f->cmdZoom, Qt::LeftButton);
        SpinButton* spin = zoomed ? s.f->SpinButton2 : s.f->SpinButton1;
        QAccessibleInterface* iface = s.iface(spin);
        QVERIFY(iface);
        QCOMPARE(iface->childCount(), 2);
        for (const QString& press : presses) {
            if (press == "next" || press == "previous") {
                QAccessibleInterface* arrow = iface->child(press == "next" ? 1 : 0);
                QVERIFY(arrow && arrow->actionInterface());
                QCOMPARE(arrow->parent(), iface);
                QVERIFY(arrow->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
                arrow->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            } else {
                iface->actionInterface()->doAction(press == "increase" ? QAccessibleActionInterface::increaseAction()
                                                                       : QAccessibleActionInterface::decreaseAction());
            }
        }
        QCOMPARE(s.f->Text1->text(), counter);
        QCOMPARE(s.f->Text3->text(), counter);
        // The picture and the stepper are named anew (tests/atspi-check.py sees the events
        // that tell a screen reader so; offscreen no accessibility events are sent).
        const QString picture = adPictureName("Solenne", 55, counter);
        QCOMPARE(s.iface(s.f->Image1)->text(QAccessible::Name), picture);
        QCOMPARE(s.iface(s.f->picDest)->text(QAccessible::Name), picture);
        QCOMPARE(iface->text(QAccessible::Name), stepperName(counter));
        // The ad on show is the one the counter names.
        QVERIFY(MediaBuilder::shows(s.f->PicSrc->picture(),
                                    QStringLiteral("55VaSo%1.jpg").arg(counter.section(' ', 0, 0).toInt() - 1, 2, 10,
                                                                        QChar('0'))));
    }

    void disabledSpinButtonOffersNoPress()
    {
        YearOnShow s;
        QVERIFY(s.f);
        s.f->SpinButton1->setEnabled(false);
        QAccessibleInterface* next = s.iface(s.f->SpinButton1)->child(1);
        QVERIFY(next->state().disabled);
        QVERIFY(next->actionInterface()->actionNames().isEmpty());
        next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(s.f->Text1->text(), QStringLiteral("1 of 3"));
    }

    // ---- what is said when things change ----

    void pictureNamedAfterWhatIsShown()
    {
        TestProgram p;
        p.writeMedia(solenne55(1));
        Form1* f = p.start();
        QVERIFY(f);
        QCOMPARE(QAccessible::queryAccessibleInterface(f->Image1)->text(QAccessible::Name),
                 QStringLiteral("Vantorra company picture"));
        f->Option1[1]->click();
        QCOMPARE(f->Image1->accessibleName(), QStringLiteral("Solenne emblem"));
        f->cmdYear[5]->click();
        QCOMPARE(f->Image1->accessibleName(), QStringLiteral("Solenne 1955, advertisement 1 of 1"));
        QCOMPARE(f->cmdYear[5]->accessibleDescription(), QStringLiteral("On show"));
        f->Option1[2]->click();
        QCOMPARE(f->Image1->accessibleName(), QStringLiteral("Tarvis emblem"));
        QVERIFY(f->cmdYear[5]->accessibleDescription().isEmpty());
    }

    void statesAndValuesFollowChanges()
    {
        YearOnShow s;
        QVERIFY(s.f);
        // Another make: it is checked, the last one not, and 1955 has no Tarvis ads.
        s.f->Option1[2]->click();
        QVERIFY(s.iface(s.f->Option1[2])->state().checked);
        QVERIFY(!s.iface(s.f->Option1[1])->state().checked);
        QVERIFY(s.iface(s.f->cmdYear[5])->state().disabled);
        // A status panel's new caption; a gauge's new value.
        s.f->StatusTime->setCaption(QStringLiteral("01:02:03 pm"));
        QCOMPARE(s.iface(s.f->StatusTime)->text(QAccessible::Name), QStringLiteral("01:02:03 pm"));
        s.f->ProgressGuage->setFloodPercent(30.4);
        QCOMPARE(s.iface(s.f->ProgressGuage)->valueInterface()->currentValue().toInt(), 30);
        QCOMPARE(s.iface(s.f->ProgressGuage)->text(QAccessible::Value), QStringLiteral("30%"));
    }

    void plainTexts_data()
    {
        QTest::addColumn<QString>("got");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mnemonic") << withoutMnemonic("&Copy CD-ROM Ads from CD") << "Copy CD-ROM Ads from CD";
        QTest::newRow("doubled ampersand") << withoutMnemonic("of the 50's && 60's") << "of the 50's & 60's";
        QTest::newRow("mnemonic inside") << withoutMnemonic("Print &Registration Form ") << "Print Registration Form ";
        QTest::newRow("trailing ampersand") << withoutMnemonic("A&") << "A";
        QTest::newRow("ad") << adPictureName("Isel/Ranvik", 69, "12 of 20") << "Isel/Ranvik 1969, advertisement 12 of 20";
        QTest::newRow("company with trailing blanks") << companyPictureName("Halvern  ") << "Halvern company picture";
        QTest::newRow("stepper") << stepperName("2 of 3") << "Advertisement 2 of 3";
    }

    void plainTexts()
    {
        QFETCH(QString, got);
        QFETCH(QString, expected);
        QCOMPARE(got, expected);
    }

    // ---- the keyboard reaches every command ----

    void tabOrderOfTheNormalView()
    {
        YearOnShow s;
        QVERIFY(s.f);
        s.f->Option1[0]->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int i = 0; i < 11; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // The five makes, the stepper, the one year with ads, Zoom In, Exit, then round again.
        QCOMPARE(visited, QStringList({"Option1_0", "Option1_1", "Option1_2", "Option1_3", "Option1_4", "SpinButton1",
                                       "cmdYear_5", "cmdZoom", "SSCommand2", "Option1_0", "Option1_1"}));
    }

    void keyboardSteps_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("counter");
        QTest::newRow("right") << QList<int>{Qt::Key_Right} << "2 of 3";
        QTest::newRow("up") << QList<int>{Qt::Key_Up, Qt::Key_Up} << "3 of 3";
        QTest::newRow("left wraps") << QList<int>{Qt::Key_Left} << "3 of 3";
        QTest::newRow("down after right") << QList<int>{Qt::Key_Right, Qt::Key_Down} << "1 of 3";
        QTest::newRow("period and comma, as on the year buttons")
            << QList<int>{Qt::Key_Period, Qt::Key_Period, Qt::Key_Comma} << "2 of 3";
        QTest::newRow("other keys do nothing") << QList<int>{Qt::Key_A, Qt::Key_Space} << "1 of 3";
    }

    void keyboardSteps()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, counter);
        YearOnShow s;
        QVERIFY(s.f);
        // Reached by Tab from the last make.
        s.f->Option1[4]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s.f->Option1[4], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s.f->SpinButton1);
        for (int key : keys)
            QTest::keyClick(s.f->SpinButton1, Qt::Key(key));
        QCOMPARE(s.f->Text1->text(), counter);
    }

    void clickDoesNotTakeTheFocus()
    {
        YearOnShow s;
        QVERIFY(s.f);
        s.f->cmdYear[5]->setFocus();
        QTest::mouseClick(s.f->SpinButton1, Qt::LeftButton, {}, s.f->SpinButton1->arrowRect(SpinButton::Arrow::Up).center());
        QCOMPARE(s.f->Text1->text(), QStringLiteral("2 of 3"));
        QCOMPARE(QApplication::focusWidget(), s.f->cmdYear[5]);
    }

    void makeYearZoomAndBackByKeyboard()
    {
        TestProgram p;
        p.writeMedia(solenne55(3));
        Form1* f = p.start();
        QVERIFY(f);
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        // The makes: the arrow keys choose.
        f->Option1[0]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f->Option1[0], Qt::Key_Space);
        QVERIFY(f->Option1[0]->isChecked());
        QTest::keyClick(f->Option1[0], Qt::Key_Down);
        QVERIFY(f->Option1[1]->isChecked());
        QCOMPARE(p.g.SelectedMake, QStringLiteral("Solenne"));
        // Tab past the other makes to the one year with ads; Space shows it.
        for (int i = 0; i < 6 && QApplication::focusWidget() != f->cmdYear[5]; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f->cmdYear[5]));
        QTest::keyClick(f->cmdYear[5], Qt::Key_Space);
        QCOMPARE(f->Text1->text(), QStringLiteral("1 of 3"));
        // Period steps on from the year button.
        QTest::keyClick(f->cmdYear[5], Qt::Key_Period);
        QCOMPARE(f->Text1->text(), QStringLiteral("2 of 3"));
        // Zoom In, then the keys scroll the picture that has the focus.
        QTest::keyClick(f->cmdYear[5], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f->cmdZoom));
        QTest::keyClick(f->cmdZoom, Qt::Key_Space);
        QCOMPARE(p.g.ZoomState, QStringLiteral("2"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f->picDest));
        // The zoomed round: picture, stepper, Zoom Out, Exit, then the two buttons the picture
        // covers (Zoom In still toggles, Exit still ends), as designed.
        QStringList visited;
        for (int i = 0; i < 7; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({"picDest", "SpinButton2", "cmdZoomOut", "SSCommand1", "cmdZoom", "SSCommand2",
                                       "picDest"}));
        QTest::keyClick(f->SpinButton2, Qt::Key_Right);
        QCOMPARE(f->Text3->text(), QStringLiteral("3 of 3"));
        f->cmdZoomOut->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f->cmdZoomOut, Qt::Key_Space);
        QCOMPARE(p.g.ZoomState, QStringLiteral("1"));
        QVERIFY(f->cmdYear[5]->isEnabled());
    }

    void zoomedPictureScrollsAndOpensItsMenuByKeys()
    {
        TestProgram p;
        p.writeMedia({"50VaVa00.jpg"});
        p.media().ad("55VaSo00.jpg", {900, 2000});
        Form1* f = p.start();
        QVERIFY(f);
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->Option1[1]->click();
        f->cmdYear[5]->click();
        f->cmdZoom->click();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f->picDest));
        QTest::keyClick(f->picDest, Qt::Key_Down);
        QCOMPARE(f->VScr->value(), f->VScr->singleStep());
        QTest::keyClick(f->picDest, Qt::Key_End);
        QCOMPARE(f->VScr->value(), f->VScr->maximum());
        QTest::keyClick(f->picDest, Qt::Key_PageUp);
        QCOMPARE(f->VScr->value(), f->VScr->maximum() - f->VScr->pageStep());
        QTest::keyClick(f->picDest, Qt::Key_Right);
        QCOMPARE(f->picDest->panX(), f->VScr->singleStep());
        // The menu key opens the picture's pop-up menu, as a right click does.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), f->picDest->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(f->picDest, &menuKey);
        QCOMPARE(p.fake.popups.calls.size(), 1);
        QCOMPARE(p.fake.popups.calls[0].menu, f->mnuCopyPrint);
        // The accessible menu action does the same.
        QAccessible::queryAccessibleInterface(f->picDest)->actionInterface()->doAction(
            QAccessibleActionInterface::showMenuAction());
        QCOMPARE(p.fake.popups.calls.size(), 2);
    }

    void menusOpenByTheirMnemonics_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("menu");
        QTest::newRow("file") << int(Qt::Key_F) << "mnuFile";
        QTest::newRow("help") << int(Qt::Key_H) << "mnuHelp";
    }

    void menusOpenByTheirMnemonics()
    {
        QFETCH(int, key);
        QFETCH(QString, menu);
        YearOnShow s;
        QVERIFY(s.f);
        QTest::keyClick(s.f, Qt::Key(key), Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), menu);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    }

    void aboutBoxByKeyboard()
    {
        YearOnShow s;
        QVERIFY(s.f);
        // Alt+H, then A for "&About".
        QTest::keyClick(s.f, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
        QTRY_VERIFY(s.f->aboutBox());
        frmAbout* about = s.f->aboutBox();
        about->activateWindow();
        // The box counts as active while the main window, whose box it is, has the focus;
        // the keys go to it only once it is the application's active window itself.
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(about));
        // OK first, then the web address; Space on OK closes the box.
        about->SSCommand1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(about->SSCommand1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(about->SSCommand2));
        QTest::keyClick(about->SSCommand2, Qt::Key_Backtab);
        QTest::keyClick(about->SSCommand1, Qt::Key_Space);
        QTRY_VERIFY(!s.f->aboutBox());
        QVERIFY(s.f->isEnabled());
    }

    void copyPanelByKeyboard()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        // Alt+F, then C for "&Copy CD-ROM Ads from CD".
        QTest::keyClick(f, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_C);
        QTRY_VERIFY(f->pnlProgress->isVisible());
        // The panel's buttons are the next stops of Tab.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f->cmdCopy));
        QTest::keyClick(f->cmdCopy, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f->cmdCancel));
        QTest::keyClick(f->cmdCancel, Qt::Key_Space);
        QVERIFY(!f->pnlProgress->isVisible());
    }

    void viewerButtonsByKeyboard()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        p.media().richText();
        Form1* f = p.start();
        QVERIFY(f);
        f->show();
        QStringList visited;
        bool closed = false;
        QTimer::singleShot(0, f, [&] {
            auto* viewer = qobject_cast<txtForm*>(QApplication::activeModalWidget());
            if (!viewer)
                return;
            viewer->activateWindow();
            if (!QTest::qWaitForWindowActive(viewer))
                return;
            viewer->rtbText->setFocus(Qt::TabFocusReason);
            for (int i = 0; i < 4; ++i) {
                visited << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            viewer->SSCommand1->setFocus(Qt::TabFocusReason);
            QTest::keyClick(viewer->SSCommand1, Qt::Key_Space);
            closed = true;
        });
        f->mnuNotice->trigger();
        QVERIFY(closed);
        // The text, OK and the print button (the spare buttons are hidden).
        QCOMPARE(visited, QStringList({"rtbText", "SSCommand1", "cmdprint", "rtbText"}));
        QVERIFY(!f->documentViewer());
    }
};

VANTORRA_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
