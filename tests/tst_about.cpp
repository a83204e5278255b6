// The About box, the web links and the help window.
#include "DesignCheck.h"
#include "TestProgram.h"

#include "documents/HelpWindow.h"
#include "documents/frmAbout.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "platform/qt/QtDesktop.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QWindow>

namespace {

const QString kSite = QStringLiteral("http://www.tellwind.example");

struct Started
{
    TestProgram p;
    Form1* f = nullptr;

    Started()
    {
        p.writeMedia({"55VaVa00.jpg"});
        f = p.start();
        if (f)
            f->show();
    }

    frmAbout* openAbout()
    {
        f->mnuAbout->trigger();
        return f->aboutBox();
    }
};

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Clicks the link whose text is `text` in the browser, as a person does.
bool clickLink(QTextBrowser* browser, const QString& text)
{
    const QTextCursor found = browser->document()->find(text);
    if (found.isNull())
        return false;
    QTextCursor middle(browser->document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    browser->setTextCursor(middle);
    browser->ensureCursorVisible();
    const QPoint at = browser->cursorRect(middle).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    return true;
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    // ---- the About box ----

    void aboutBoxAsDesigned()
    {
        Started s;
        QVERIFY(s.f);
        frmAbout* a = s.openAbout();
        QVERIFY(a);
        const QStringList diff = differencesFromDesign(a, frmAboutDesign());
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join('\n')));
        QCOMPARE(a->size(), QSize(638, 519));

        // The design's rows in pixels (twips / 15), with their containers.
        struct Row { QWidget* w; QWidget* parent; QRect place; };
        const Row rows[] = {
            {a->SSPanel3, a, QRect(0, 0, 641, 377)},
            {a->Image1, a->SSPanel3, QRect(16, 16, 609, 343)},
            {a->panAbout, a, QRect(0, 376, 641, 145)},
            {a->SSPanel5, a->panAbout, QRect(48, 32, 161, 24)},
            {a->SSPanel1, a->panAbout, QRect(40, 56, 193, 24)},
            {a->SSPanel4, a->panAbout, QRect(104, 88, 41, 16)},
            {a->Picture2, a->panAbout, QRect(240, 16, 161, 81)},
            {a->SSPanel2, a->panAbout, QRect(432, 16, 177, 24)},
            {a->panTellwind, a->panAbout, QRect(432, 32, 177, 65)},
            {a->SSCommand1, a->panAbout, QRect(240, 104, 160, 25)},
            {a->SSCommand2, a->panAbout, QRect(424, 104, 180, 25)},
        };
        for (const Row& r : rows) {
            QCOMPARE(r.w->parentWidget(), r.parent);
            QCOMPARE(r.w->geometry(), r.place);
        }

        QCOMPARE(a->SSPanel5->caption(), QString("Vantorra Ads"));
        QCOMPARE(a->SSPanel1->caption(), QString("of the 50's && 60's"));
        QVERIFY(a->SSPanel1->showsMnemonics());   // drawn "of the 50's & 60's"
        QCOMPARE(a->SSPanel4->caption(), QString("v1.00"));
        QCOMPARE(a->SSCommand1->text(), QString("OK"));
        QCOMPARE(a->SSCommand2->text(), QString("www.tellwind.example"));
        for (ThreeDPanel* title : {a->SSPanel5, a->SSPanel1}) {
            QCOMPARE(title->foreColor(), QColor(255, 0, 0));
            QCOMPARE(title->font().pointSizeF(), 13.5);
            QVERIFY(title->font().bold() && title->font().italic());
        }
        for (ThreeDPanel* maker : {a->SSPanel2, a->panTellwind})
            QCOMPARE(maker->foreColor(), QColor(0, 0, 128));
        QCOMPARE(a->Picture2->backColor(), QColor(Qt::white));
        QCOMPARE(a->Image1->picture().size(), QSize(613, 378));
        QCOMPARE(a->Picture2->picture().size(), QSize(170, 85));
    }

    void loadStepWritesTheMakersDetails()
    {
        Started s;
        QVERIFY(s.f);
        frmAbout* a = s.openAbout();
        QVERIFY(a);
        const QStringList lines = a->panTellwind->caption().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(0), QString("Tellwind Software"));
        QVERIFY(!lines.at(1).trimmed().isEmpty());
        QVERIFY(lines.at(2).startsWith(' '));
        QVERIFY(!a->SSPanel2->caption().isEmpty());
        QVERIFY(!a->SSPanel2->caption().contains('\n'));
        QVERIFY(a->SSPanel2->caption().contains("Tellwind Software"));
    }

    void aboutBoxPlacedByTheMainWindowsSize()
    {
        Started s;
        QVERIFY(s.f);
        frmAbout* a = s.openAbout();
        QVERIFY(a);
        // Half the difference of the sizes, frames included, from the screen's corner (15
        // twips a pixel).
        const QSize frame = a->frameGeometry().size();
        const int left = qRound((s.f->Width() - frame.width() * 15.0) / 2 / 15);
        const int top = qRound((s.f->Height() - frame.height() * 15.0) / 2 / 15);
        QCOMPARE(a->pos(), QPoint(left, top));
    }

    void mainWindowDisabledWhileOpen_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QStringList>("opened");
        QTest::newRow("OK") << "ok" << QStringList();
        QTest::newRow("web site button") << "web" << QStringList{kSite};
        QTest::newRow("title bar close") << "close" << QStringList();
    }

    void mainWindowDisabledWhileOpen()
    {
        QFETCH(QString, way);
        QFETCH(QStringList, opened);
        Started s;
        QVERIFY(s.f);
        QPointer<frmAbout> a = s.openAbout();
        QVERIFY(a);
        QVERIFY(a->isVisible());
        QVERIFY(!a->isModal());
        QVERIFY(!s.f->isEnabled());
        QVERIFY(a->isEnabled());
        QVERIFY(a->SSCommand1->isEnabled());

        if (way == "ok")
            QTest::mouseClick(a->SSCommand1, Qt::LeftButton);
        else if (way == "web")
            QTest::mouseClick(a->SSCommand2, Qt::LeftButton);
        else
            a->close();
        QVERIFY(s.f->isEnabled());
        QTRY_VERIFY(!a);
        QVERIFY(!s.f->aboutBox());
        QCOMPARE(s.p.fake.shell.opened, opened);

        // Each showing loads it afresh.
        QPointer<frmAbout> again = s.openAbout();
        QVERIFY(again);
        QVERIFY(!s.f->isEnabled());
        QTest::keyClick(again->SSCommand1, Qt::Key_Space);
        QVERIFY(s.f->isEnabled());
    }

    void okByKeyboard()
    {
        Started s;
        QVERIFY(s.f);
        QPointer<frmAbout> a = s.openAbout();
        QVERIFY(a);
        a->SSCommand1->setFocus();
        QTest::keyClick(a->SSCommand1, Qt::Key_Space);
        QVERIFY(s.f->isEnabled());
        QTRY_VERIFY(!a);
    }

    // ---- web links ----

    void webLinks_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("address");
        QTest::newRow("web site") << "mnuTellwindSoftware" << kSite;
        QTest::newRow("on-line registration") << "mnuRegisterOL" << kSite + "/register.htm";
    }

    void webLinks()
    {
        QFETCH(QString, item);
        QFETCH(QString, address);
        Started s;
        QVERIFY(s.f);
        QAction* action = s.f->findChild<QAction*>(item);
        QVERIFY(action);
        action->trigger();
        QCOMPARE(s.p.fake.shell.opened, QStringList{address});
        QVERIFY(s.p.fake.boxes.calls.isEmpty());
    }

    void webLinkInFullScreenBringsTheTaskbarBack()
    {
        TestProgram p;
        p.fake.screen.setPixels(800, 600);
        p.writeMedia({"55VaVa00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        f->show();
        f->mnuHideStatus->trigger();
        QTRY_VERIFY(f->windowState() & Qt::WindowFullScreen);
        const QString modeCaption = f->mnuHideStatus->text();
        f->mnuRegisterOL->trigger();
        QTRY_VERIFY(!(f->windowState() & Qt::WindowFullScreen));
        QCOMPARE(p.fake.shell.opened, QStringList{kSite + "/register.htm"});
        // The full-screen command keeps its caption.
        QCOMPARE(f->mnuHideStatus->text(), modeCaption);
    }

    void aboutBoxAndHelpAreKeptAboveTheMainWindow()
    {
        // The window manager keeps a window above the one it is transient for: a click on
        // the disabled main window, or a main window in full screen, cannot hide the box.
        Started s;
        QVERIFY(s.f);
        QVERIFY(QTest::qWaitForWindowExposed(s.f));
        frmAbout* a = s.openAbout();
        QVERIFY(a && a->isVisible());
        QVERIFY(a->windowHandle());
        QCOMPARE(a->windowHandle()->transientParent(), s.f->windowHandle());
        // Disabling the main window does not disable the box.
        QVERIFY(!s.f->isEnabled());
        QVERIFY(a->isEnabled());
        QTest::mouseClick(a->SSCommand1, Qt::LeftButton);

        s.f->mnuContents->trigger();
        HelpWindow* w = s.f->helpWindow();
        QVERIFY(w && w->isVisible());
        QVERIFY(w->windowHandle());
        QCOMPARE(w->windowHandle()->transientParent(), s.f->windowHandle());
    }

    // ---- help ----

    void helpFileBesideTheProgram()
    {
        // The build copies the help text to <build>/share/vantorraads; the tests run one
        // folder below the build, so the installed-prefix form finds it.
        QVERIFY2(QFile::exists(VANTORRA_HELP_FILE), VANTORRA_HELP_FILE);
        const QStringList where = QtHelpFile().candidates();
        QCOMPARE(where.size(), 2);
        const QString exe = QCoreApplication::applicationDirPath();
        QCOMPARE(where.at(0), QDir::cleanPath(exe + "/share/vantorraads/vantorraads.html"));
        QCOMPARE(where.at(1), QDir::cleanPath(exe + "/../share/vantorraads/vantorraads.html"));
        QCOMPARE(QFileInfo(where.at(1)).canonicalFilePath(), QFileInfo(VANTORRA_HELP_FILE).canonicalFilePath());
    }

    void helpLinksAllLead()
    {
        // Every link inside the help text has its anchor, and the contents list covers every section.
        const QString html = readAll(VANTORRA_HELP_FILE);
        QVERIFY(!html.isEmpty());
        QSet<QString> anchors;
        for (auto it = QRegularExpression(R"re(<a name="([^"]+)")re").globalMatch(html); it.hasNext();)
            anchors.insert(it.next().captured(1));
        QVERIFY(anchors.contains(HelpWindow::contentsAnchor()));
        QSet<QString> linked;
        for (auto it = QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(anchors.contains(target), qPrintable(target));
            linked.insert(target);
        }
        anchors.remove(HelpWindow::contentsAnchor());
        QCOMPARE(linked - QSet<QString>{HelpWindow::contentsAnchor()}, anchors);
    }

    void contentsShowsTheHelpAtItsContents()
    {
        Started s;
        QVERIFY(s.f);
        QTemporaryDir dir;
        const QString help = dir.filePath("vantorraads.html");
        QVERIFY(QFile::copy(VANTORRA_HELP_FILE, help));
        s.p.fake.help.paths = {dir.filePath("missing/vantorraads.html"), help};
        s.f->mnuContents->trigger();
        HelpWindow* w = s.f->helpWindow();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QVERIFY(s.f->isEnabled());
        QCOMPARE(w->helpFilePath(), help);
        QCOMPARE(w->browser->source().toLocalFile(), help);
        QCOMPARE(w->browser->source().fragment(), QString("contents"));
        const QString text = w->browser->toPlainText();
        QVERIFY(text.contains("Stepping through a year's ads"));
        QVERIFY(text.contains("--media DIR"));

        // A link of the contents, clicked, goes to its section; Back returns.
        w->resize(700, 500);
        QVERIFY(clickLink(w->browser, "The command line"));
        QCOMPARE(w->browser->source().fragment(), QString("commandline"));
        QVERIFY(w->cmdBack->isEnabled());
        QTest::mouseClick(w->cmdBack, Qt::LeftButton);
        QCOMPARE(w->browser->source().fragment(), QString("contents"));

        // Choosing the item again uses the same window.
        s.f->mnuContents->trigger();
        QCOMPARE(s.f->helpWindow(), w);
        QTest::mouseClick(w->cmdClose, Qt::LeftButton);
        QVERIFY(!w->isVisible());
    }

    void webLinksInTheHelpGoToTheDesktop()
    {
        Started s;
        QVERIFY(s.f);
        QTemporaryDir dir;
        const QString help = dir.filePath("vantorraads.html");
        QFile file(help);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body><a name=\"contents\"></a><p><a href=\"http://www.tellwind.example/faq.htm\">"
                   "Questions and answers</a></p><p><a href=\"other.html\">Another page</a></p></body></html>");
        file.close();
        s.p.fake.help.paths = {help};
        s.f->mnuContents->trigger();
        HelpWindow* w = s.f->helpWindow();
        QVERIFY(w);
        QVERIFY(clickLink(w->browser, "Questions and answers"));
        QCOMPARE(s.p.fake.shell.opened, QStringList{"http://www.tellwind.example/faq.htm"});
        // A page of the help that is missing is said so in the window.
        QVERIFY(clickLink(w->browser, "Another page"));
        QVERIFY(w->browser->toPlainText().contains("not found"));
    }

    void missingHelpFileIsSaidSo_data()
    {
        QTest::addColumn<bool>("anywhere");
        QTest::newRow("not found") << true;
        QTest::newRow("nowhere to look") << false;
    }

    void missingHelpFileIsSaidSo()
    {
        QFETCH(bool, anywhere);
        Started s;
        QVERIFY(s.f);
        QTemporaryDir dir;
        const QString missing = dir.filePath("share/vantorraads/vantorraads.html");
        if (anywhere)
            s.p.fake.help.paths = {missing};
        s.f->mnuContents->trigger();
        HelpWindow* w = s.f->helpWindow();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QVERIFY(w->helpFilePath().isEmpty());
        const QString text = w->browser->toPlainText();
        QVERIFY2(text.contains("Help is not available") && text.contains("was not found"), qPrintable(text));
        if (anywhere)
            QVERIFY(text.contains(missing));
        QVERIFY(s.p.fake.boxes.calls.isEmpty());
    }
};

VANTORRA_TEST_MAIN(TestAbout)
#include "tst_about.moc"
