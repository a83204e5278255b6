// The notice and the registration form in the document viewer: opening, closing, the media
// prompt for a missing document, the print question and printing.
#include "DesignCheck.h"
#include "PdfPage.h"
#include "TestProgram.h"

#include "documents/txtForm.h"
#include "platform/MessageBoxes.h"
#include "platform/RichTextBox.h"
#include "platform/ThreeDButton.h"
#include "platform/rtf/RtfReader.h"

#include <QAction>
#include <QFile>
#include <QPointer>
#include <QPrinter>
#include <QTimer>
#include <functional>

namespace {

const QString kDocTitle = QStringLiteral("Vantorra Ads of the 50's and 60's");
const QString kNoticeCaption = QStringLiteral("Notice");
const QString kRegisterCaption = QStringLiteral("Tellwind Software Registration Form");

// A started program on media with the two documents (unless told otherwise).
struct Started
{
    TestProgram p;
    Form1* f = nullptr;

    explicit Started(bool documents = true)
    {
        p.writeMedia({"55VaVa00.jpg"});
        if (documents)
            p.media().richText();
        f = p.start();
        if (f)
            f->show();
    }

    QAction* item(bool notice) const { return notice ? f->mnuNotice : f->mnuRegister; }

    // Chooses the menu item; `whileOpen` runs on the open viewer, which the test must close.
    // Returns whether the viewer was seen open.
    bool open(bool notice, const std::function<void(txtForm*)>& whileOpen)
    {
        bool seen = false;
        QTimer::singleShot(0, f, [&] {
            auto* viewer = qobject_cast<txtForm*>(QApplication::activeModalWidget());
            if (!viewer)
                return;
            seen = true;
            whileOpen(viewer);
        });
        item(notice)->trigger();
        return seen;
    }

    // Chooses the menu item; whether a modal viewer came up.
    bool chooseSeeingAViewer(bool notice)
    {
        bool seen = false;
        QTimer::singleShot(0, f, [&] { seen = QApplication::activeModalWidget() != nullptr; });
        item(notice)->trigger();
        QCoreApplication::processEvents();
        return seen;
    }
};

void clickOk(txtForm* viewer)
{
    QTest::mouseClick(viewer->SSCommand1, Qt::LeftButton);
}

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT

private slots:
    // ---- the viewer's layout ----

    void viewerAsDesigned()
    {
        TestProgram p;
        txtForm viewer(p.g, p.fake.services());
        const QStringList diff = differencesFromDesign(&viewer, txtFormDesign());
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join('\n')));
        QCOMPARE(viewer.size(), QSize(531, 449));
        // The design's rows, in pixels.
        QCOMPARE(viewer.rtbText->geometry(), QRect(8, 8, 513, 401));
        QCOMPARE(viewer.SSCommand1->geometry(), QRect(8, 416, 417, 25));
        QCOMPARE(viewer.SSCommand2->geometry(), QRect(432, 416, 26, 25));
        QCOMPARE(viewer.SSCommand3->geometry(), QRect(464, 416, 25, 25));
        QCOMPARE(viewer.cmdprint->geometry(), QRect(496, 416, 25, 25));
        QCOMPARE(viewer.SSCommand1->text(), QString("OK"));
        QVERIFY(viewer.cmdprint->text().isEmpty());
        QCOMPARE(viewer.cmdprint->icon().actualSize(QSize(64, 64)), QSize(16, 16));
    }

    void viewerLoadStepCentresAndSetsTheCaption()
    {
        TestProgram p;
        p.fake.screen.setPixels(1024, 768);
        txtForm viewer(p.g, p.fake.services());
        QCOMPARE(viewer.Caption(), kDocTitle);
        // Half the difference in twips, rounded to the nearest pixel.
        QCOMPARE(viewer.pos(), QPoint(qRound((1024 - 531) / 2.0), qRound((768 - 449) / 2.0)));
    }

    // ---- opening and closing ----

    void openerSetsCaptionAndButtons_data()
    {
        QTest::addColumn<bool>("notice");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");   // a line of the document
        QTest::newRow("notice") << true << kNoticeCaption << QStringLiteral("About this collection");
        QTest::newRow("registration form") << false << kRegisterCaption << QStringLiteral("Which makes interest you most?");
    }

    void openerSetsCaptionAndButtons()
    {
        QFETCH(bool, notice);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        Started s;
        QVERIFY(s.f);
        QPointer<txtForm> shown;
        const bool seen = s.open(notice, [&](txtForm* v) {
            shown = v;
            QCOMPARE(v->Caption(), caption);
            QCOMPARE(v->windowTitle(), caption);
            QVERIFY(v->isModal());
            QCOMPARE(v->windowModality(), Qt::ApplicationModal);
            QVERIFY(v->isVisible());
            QVERIFY(rtf::plainText(*v->rtbText->document()).contains(text));
            QVERIFY(v->rtbText->isReadOnly());
            for (ThreeDButton* spare : {v->SSCommand2, v->SSCommand3}) {
                QVERIFY(!spare->isVisible());
                QVERIFY(!spare->isEnabled());
            }
            QCOMPARE(v->SSCommand1->width(), 484);
            QCOMPARE(v->SSCommand1->geometry().right() + 1 + 4, v->cmdprint->x());
            QVERIFY(v->cmdprint->isVisible());
            clickOk(v);
        });
        QVERIFY(seen);
        // Closed and unloaded; the main window is usable and no message was shown.
        QVERIFY(!shown);
        QVERIFY(!s.f->documentViewer());
        QVERIFY(s.f->isEnabled());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(s.p.fake.boxes.calls.isEmpty());
    }

    void doubleClickOnTheTextCloses()
    {
        Started s;
        QVERIFY(s.f);
        const bool seen = s.open(true, [&](txtForm* v) {
            QTest::mouseDClick(v->rtbText->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
        });
        QVERIFY(seen);
        QVERIFY(!s.f->documentViewer());
        QVERIFY(s.f->isEnabled());
    }

    void eachOpeningLoadsTheViewerAfresh()
    {
        Started s;
        QVERIFY(s.f);
        QPointer<txtForm> first;
        QVERIFY(s.open(true, [&](txtForm* v) { first = v; clickOk(v); }));
        QVERIFY(s.open(false, [&](txtForm* v) {
            QVERIFY(v != first);
            QCOMPARE(v->Caption(), kRegisterCaption);
            QVERIFY(rtf::plainText(*v->rtbText->document()).contains("Registration Form"));
            clickOk(v);
        }));
    }

    void documentNamesMatchWithoutLetterCase()
    {
        Started s(false);
        QVERIFY(s.f);
        MediaBuilder m = s.p.media();
        m.file("richtext/NOTICE.RTF", "{\\rtf1\\ansi Upper case notice\\par}");
        m.file("richtext/register.RTF", "{\\rtf1\\ansi Lower case form\\par}");
        QVERIFY(m.ok());
        QVERIFY(s.open(true, [&](txtForm* v) {
            QVERIFY(rtf::plainText(*v->rtbText->document()).contains("Upper case notice"));
            clickOk(v);
        }));
        QVERIFY(s.open(false, [&](txtForm* v) {
            QVERIFY(rtf::plainText(*v->rtbText->document()).contains("Lower case form"));
            clickOk(v);
        }));
        QVERIFY(s.p.fake.boxes.calls.isEmpty());
    }

    // ---- a document that cannot be read ----

    void unreadableDocumentRaisesTheMediaPrompt_data()
    {
        QTest::addColumn<bool>("notice");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("captionLeft");   // the loaded viewer's caption afterwards
        for (bool notice : {true, false}) {
            // The registration form's caption is set before the load, the notice's after it.
            const QString left = notice ? kDocTitle : kRegisterCaption;
            const char* name = notice ? "notice" : "form";
            QTest::addRow("%s missing", name) << notice << "missing" << left;
            QTest::addRow("%s a folder by that name", name) << notice << "folder" << left;
            QTest::addRow("%s media gone", name) << notice << "media gone" << left;
        }
    }

    void unreadableDocumentRaisesTheMediaPrompt()
    {
        QFETCH(bool, notice);
        QFETCH(QString, problem);
        QFETCH(QString, captionLeft);
        Started s(false);
        QVERIFY(s.f);
        const QString name = notice ? QStringLiteral("RichText/notice.rtf") : QStringLiteral("RichText/Register.rtf");
        if (problem == "empty")
            s.p.media().file(name, QByteArray());
        else if (problem == "folder")
            QVERIFY(QDir(s.p.mediaRoot()).mkpath(name));
        else if (problem == "media gone")
            s.p.fake.files.failAll = true;

        s.p.fake.boxes.answer(MsgBox::Retry);
        const bool viewerSeen = s.chooseSeeingAViewer(notice);

        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        const auto& call = s.p.fake.boxes.calls.first();
        QCOMPARE(call.text, QString("Unable to detect Vantorra Ads of the 50's & 60's CD-ROM.\r\n\r\n"
                                    "Make sure that Vantorra Ads of the 50's & 60's is in CDROM drive."));
        QCOMPARE(call.buttons, int(MsgBox::RetryCancel));
        QCOMPARE(s.p.g.ErrorCode, QString("ER001"));
        // Retry only closes the prompt: no viewer shown, the document not tried again.
        QVERIFY(!viewerSeen);
        QVERIFY(!s.p.fake.end.hasEnded());
        QVERIFY(s.f->isEnabled());
        txtForm* viewer = s.f->documentViewer();
        QVERIFY(viewer);
        QVERIFY(!viewer->isVisible());
        QCOMPARE(viewer->Caption(), captionLeft);
        QCOMPARE(s.p.fake.boxes.unexpected, 0);
    }

    void documentThatIsThereButNoDocumentIsNamedWithTheReason_data()
    {
        QTest::addColumn<bool>("notice");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        for (bool notice : {true, false}) {
            const char* name = notice ? "notice" : "form";
            QTest::addRow("%s empty", name) << notice << QByteArray() << "The file is empty.";
            QTest::addRow("%s blank", name) << notice << QByteArray(" \r\n\r\n") << "The file is empty.";
        }
    }
    void documentThatIsThereButNoDocumentIsNamedWithTheReason()
    {
        // The media is in place: no CD-ROM prompt, but one message naming the document and
        // why it cannot be shown; the program goes on.
        QFETCH(bool, notice);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        Started s(false);
        QVERIFY(s.f);
        const QString name = notice ? QStringLiteral("RichText/notice.rtf") : QStringLiteral("RichText/Register.rtf");
        s.p.media().file(name, bytes);
        s.p.fake.boxes.answer(MsgBox::Ok);
        const bool viewerSeen = s.chooseSeeingAViewer(notice);

        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        const auto& call = s.p.fake.boxes.calls.first();
        QVERIFY2(!call.text.startsWith("Unable to detect"), qPrintable(call.text));
        QVERIFY2(call.text.contains(s.p.mediaRoot() + "/" + name), qPrintable(call.text));
        QVERIFY2(call.text.contains(reason), qPrintable(call.text));
        QCOMPARE(call.buttons, int(MsgBox::OkOnly));
        QCOMPARE(call.icon, int(MsgBox::Exclamation));
        QCOMPARE(call.title, QString("Vantorra Ads of the 50's & 60's"));
        QVERIFY(!viewerSeen);
        QVERIFY(!s.p.fake.end.hasEnded());
        QVERIFY(s.f->isEnabled());
        QVERIFY(s.f->documentViewer() && !s.f->documentViewer()->isVisible());

        // Mended on the media, the same item shows it.
        s.p.media().richText();
        QVERIFY(s.open(notice, [&](txtForm* v) { clickOk(v); }));
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
    }

    void afterRetryTheItemLoadsTheDocumentAgain()
    {
        Started s(false);
        QVERIFY(s.f);
        s.p.fake.boxes.answer(MsgBox::Retry);
        s.f->mnuRegister->trigger();
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        // The media is back; the viewer that stayed loaded shows the document.
        s.p.media().richText();
        QPointer<txtForm> kept = s.f->documentViewer();
        QVERIFY(s.open(false, [&](txtForm* v) {
            QCOMPARE(v, kept.data());
            QCOMPARE(v->Caption(), kRegisterCaption);
            QVERIFY(!v->SSCommand2->isVisible());
            QCOMPARE(v->SSCommand1->width(), 484);
            clickOk(v);
        }));
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
    }

    void cancelInThePromptEndsTheProgram()
    {
        Started s(false);
        QVERIFY(s.f);
        s.p.fake.boxes.answer(MsgBox::Cancel);
        s.f->mnuNotice->trigger();
        QVERIFY(s.p.fake.end.endedAtOnce);
        QCOMPARE(s.p.fake.end.code, 0);
    }

    // ---- the print question and printing ----

    void printQuestionNamesTheDocument_data()
    {
        QTest::addColumn<bool>("notice");
        QTest::addColumn<QString>("caption");
        QTest::newRow("notice") << true << kNoticeCaption;
        QTest::newRow("registration form") << false << kRegisterCaption;
    }

    void printQuestionNamesTheDocument()
    {
        QFETCH(bool, notice);
        QFETCH(QString, caption);
        Started s;
        QVERIFY(s.f);
        s.p.fake.boxes.answer(MsgBox::No);
        QVERIFY(s.open(notice, [&](txtForm* v) {
            QTest::mouseClick(v->cmdprint, Qt::LeftButton);
            // No: nothing printed, nothing more said, the viewer stays open.
            QVERIFY(v->isVisible());
            clickOk(v);
        }));
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        const auto& call = s.p.fake.boxes.calls.first();
        QCOMPARE(call.text, QString("Would you like to print the \r\n\r\n") + caption + "?");
        QCOMPARE(call.buttons, int(MsgBox::YesNo));
        QCOMPARE(call.icon, int(MsgBox::Question));
        QCOMPARE(call.title, kDocTitle);
        QCOMPARE(s.p.g.MessageAnswer, QString("7"));
        QVERIFY(!QFile::exists(s.p.fake.printer.pdfFile()));
    }

    void yesPrintsTheDocumentThenSaysSo()
    {
        Started s;
        QVERIFY(s.f);
        s.p.fake.boxes.answer(MsgBox::Yes).answer(MsgBox::Ok);
        QVERIFY(s.open(true, [&](txtForm* v) {
            QTest::mouseClick(v->cmdprint, Qt::LeftButton);
            // Printing does not close the viewer.
            QVERIFY(v->isVisible());
            clickOk(v);
        }));
        QCOMPARE(s.p.fake.boxes.calls.size(), 2);
        const auto& done = s.p.fake.boxes.calls.at(1);
        QCOMPARE(done.text, QString("Printing complete!"));
        QCOMPARE(done.icon, int(MsgBox::Exclamation));
        QCOMPARE(done.title, kDocTitle);
        QCOMPARE(s.p.g.MessageAnswer, QString("6"));

        const QString pdf = s.p.fake.printer.pdfFile();
        const PdfPage::Info info = PdfPage::info(pdf);
        QVERIFY2(info.pages >= 1, qPrintable(info.error));
        const QString text = PdfPage::pageText(pdf, 1).simplified();
        QVERIFY2(text.contains("About this collection"), qPrintable(text));
        // The job went out under the document's name, the printer keeps its own.
        QCOMPARE(s.p.fake.printer.printer().docName(), QString("Vantorra Ad"));
    }

    void printerFailureIsReported_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("says");
        QTest::newRow("no printer") << "none" << "No printer is installed";
        QTest::newRow("job cannot start") << "start" << "could not start the print job";
        QTest::newRow("job refused") << "refused" << "did not take the job: queue stopped";
    }

    void printerFailureIsReported()
    {
        QFETCH(QString, failure);
        QFETCH(QString, says);
        Started s;
        QVERIFY(s.f);
        if (failure == "none")
            s.p.fake.printer.isInstalled = false;
        else if (failure == "start")
            s.p.fake.printer.cannotStart = true;
        else
            s.p.fake.printer.refusal = QStringLiteral("queue stopped");
        s.p.fake.boxes.answer(MsgBox::Yes).answer(MsgBox::Ok);
        QVERIFY(s.open(true, [&](txtForm* v) {
            QTest::mouseClick(v->cmdprint, Qt::LeftButton);
            clickOk(v);
        }));
        QCOMPARE(s.p.fake.boxes.calls.size(), 2);
        const QString text = s.p.fake.boxes.calls.at(1).text;
        QVERIFY2(text.startsWith("The document was not printed.") && text.contains(says), qPrintable(text));
        QVERIFY(!text.contains("Printing complete!"));
        QCOMPARE(s.p.fake.boxes.calls.at(1).title, kDocTitle);
    }
};

VANTORRA_TEST_MAIN(TestDocuments)
#include "tst_documents.moc"
