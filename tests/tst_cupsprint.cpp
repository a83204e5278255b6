// Printing on the system's default printer through CUPS, on a PDF queue whose output is
// read back. tests/cups-print.sh sets the queue up and runs this; without it, it skips.
#include "PdfPage.h"
#include "TestProgram.h"

#include "documents/txtForm.h"
#include "platform/ImageControl.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBoxes.h"
#include "platform/ThreeDButton.h"
#include "platform/PictureBox.h"
#include "platform/qt/QtOutput.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTimer>

namespace {

constexpr int kDpi = 36;
constexpr int kJobTimeoutMs = 90000;

// "612x792": a size in points; empty when it is not one.
QSizeF pointSize(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool w = false, h = false;
    const QSizeF size = parts.size() == 2 ? QSizeF(parts[0].toDouble(&w), parts[1].toDouble(&h)) : QSizeF();
    return w && h ? size : QSizeF();
}

// What is wrong when `page` (points) is not `paper` within one point.
QString offPaper(const QSizeF& page, const QSizeF& paper)
{
    if (std::abs(page.width() - paper.width()) <= 1 && std::abs(page.height() - paper.height()) <= 1)
        return QString();
    return QString("page %1 x %2 pt, the printer's paper %3 x %4 pt")
        .arg(page.width()).arg(page.height()).arg(paper.width()).arg(paper.height());
}

} // namespace

class TestCupsPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_outFolder = qEnvironmentVariable("VANTORRA_CUPS_PDF_DIR");
        m_queue = qEnvironmentVariable("VANTORRA_CUPS_QUEUE");
        if (m_outFolder.isEmpty() || m_queue.isEmpty())
            QSKIP("needs a CUPS PDF queue as the default printer; tests/cups-print.sh sets one up");
        // The paper the queue is set up with; without it, the one the queue names as its default.
        m_paper = pointSize(qEnvironmentVariable("VANTORRA_CUPS_PAPER"));
        if (m_paper.isEmpty())
            m_paper = QPrinterInfo::defaultPrinter().defaultPageSize().size(QPageSize::Point);
        QVERIFY(!m_paper.isEmpty());
    }

    void printsOnTheDefaultPrinter()
    {
        const QImage picture = PdfPage::quadrantPicture({120, 180});
        Started s(picture);
        QVERIFY(s.f);
        QVERIFY(s.p.fake.printer.installed());
        QPrinter& printer = s.p.fake.printer.printer();
        QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
        QCOMPARE(printer.printerName(), m_queue);
        // Laid out on the queue's own paper, not on the A4 Qt starts every printer on.
        const QString laidOut = offPaper(printer.pageLayout().fullRect(QPageLayout::Point).size(), m_paper);
        QVERIFY2(laidOut.isEmpty(), qPrintable(laidOut));

        const QSet<QString> before = pdfs();
        s.f->mnuPrint->trigger();
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        QCOMPARE(s.p.fake.boxes.calls.first().text, QString("Advertisement printed!"));

        // The queue writes the job's PDF into the output folder a moment later.
        QString pdf;
        QTRY_VERIFY_WITH_TIMEOUT(!(pdf = newPdf(before)).isEmpty() && PdfPage::info(pdf).pages > 0, kJobTimeoutMs);
        const PdfPage::Info info = PdfPage::info(pdf);
        QCOMPARE(info.pages, 1);
        const QString printed = offPaper(info.pointSize, m_paper);
        QVERIFY2(printed.isEmpty(), qPrintable(printed));
        QString error;
        const QImage page = PdfPage::render(pdf, kDpi, &error);
        QVERIFY2(!page.isNull(), qPrintable(error));
        // The queue's converters may re-encode the picture: allow for it in the colours.
        const QString wrong = PdfPage::checkAdPage(page, kDpi, printer.pageLayout().paintRect(QPageLayout::Point),
                                                   picture, 40);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void rejectingQueueIsReported()
    {
        Started s(PdfPage::quadrantPicture({40, 60}));
        QVERIFY(s.f);
        QVERIFY(runCups("cupsreject", {m_queue}));
        struct Accept
        {
            TestCupsPrint* t;
            ~Accept() { t->runCups("cupsaccept", {t->m_queue}); }
        } acceptAgain{this};
        s.f->mnuPrint->trigger();
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        const QString text = s.p.fake.boxes.calls.first().text;
        QVERIFY2(text.startsWith("The ad was not printed.") && text.contains("did not take the job"),
                 qPrintable(text));
    }

    void documentPrintsOnTheDefaultPrinter()
    {
        Started s(PdfPage::quadrantPicture({40, 60}));
        QVERIFY(s.f);
        QVERIFY(s.p.media().richText().ok());
        QPrinter& printer = s.p.fake.printer.printer();
        QCOMPARE(printer.printerName(), m_queue);

        const QSet<QString> before = pdfs();
        s.p.fake.boxes.answer(MsgBox::Yes).answer(MsgBox::Ok);
        bool seen = false;
        QTimer::singleShot(0, s.f, [&] {
            auto* viewer = qobject_cast<txtForm*>(QApplication::activeModalWidget());
            if (!viewer)
                return;
            seen = true;
            QTest::mouseClick(viewer->cmdprint, Qt::LeftButton);
            QTest::mouseClick(viewer->SSCommand1, Qt::LeftButton);
        });
        s.f->mnuNotice->trigger();
        QVERIFY(seen);
        QCOMPARE(s.p.fake.boxes.calls.size(), 2);
        QCOMPARE(s.p.fake.boxes.calls.at(1).text, QString("Printing complete!"));

        QString pdf;
        QTRY_VERIFY_WITH_TIMEOUT(!(pdf = newPdf(before)).isEmpty() && PdfPage::info(pdf).pages > 0, kJobTimeoutMs);
        const PdfPage::Info info = PdfPage::info(pdf);
        QVERIFY(info.pages >= 1);
        const QString printed = offPaper(info.pointSize, m_paper);
        QVERIFY2(printed.isEmpty(), qPrintable(printed));
        // The queue's converters re-embed the fonts without their character maps, so the
        // text cannot be read back; the page is checked by where its ink lies.
        // One inch from the paper's left and top edges (72 points); glyphs start a little inside.
        QString error;
        const QImage page = PdfPage::render(pdf, 72, &error);
        QVERIFY2(!page.isNull(), qPrintable(error));
        const QRect ink = PdfPage::inkBox(page);
        // The lines wrap at one inch inside the right edge of that paper: the widest comes
        // closer to it than the 17 points by which Letter and A4 differ.
        const int right = qRound(m_paper.width()) - 72;
        QVERIFY2(ink.left() >= 70 && ink.left() <= 76 && ink.top() >= 70 && ink.top() <= 90
                     && ink.right() <= right + 1 && ink.right() >= right - 12,
                 qPrintable(QString("ink %1,%2 - %3,%4").arg(ink.left()).arg(ink.top())
                                .arg(ink.right()).arg(ink.bottom())));
    }

    // The print set-up accepted as it opens leaves the paper chosen before as it was
    // (Qt's dialog by itself puts a CUPS printer back on its default page size).
    void printSetupKeepsTheChosenPaper()
    {
        QtPrinter system;
        QPrinter& printer = system.printer();
        QCOMPARE(printer.printerName(), m_queue);
        const QPageSize other(std::abs(m_paper.width() - 612) <= 1 ? QPageSize::A4 : QPageSize::Letter);
        QVERIFY(printer.setPageSize(other));
        bool clicked = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            auto* buttons = dialog ? dialog->findChild<QDialogButtonBox*>() : nullptr;
            QPushButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
            if (!ok) {
                if (dialog)
                    dialog->close();
                return;
            }
            clicked = true;
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QtCommonDialog setup;
        QVERIFY(setup.showPrinter(printer, CommonDialog::PrintSetup, nullptr));
        QVERIFY(clicked);
        QCOMPARE(printer.pageLayout().pageSize().id(), other.id());
    }

private:
    // A started program on the system's default printer, with `picture` on show.
    struct Started
    {
        TestProgram p;
        Form1* f = nullptr;

        explicit Started(const QImage& picture)
        {
            p.writeMedia({"55VaVa00.jpg"});
            f = p.start();
            if (!f)
                return;
            p.fake.printer.useSystemPrinter();
            f->PicSrc->setPicture(picture);
            f->Image1->setPicture(picture);
            f->picDest->setPicture(picture);
        }
    };

    QSet<QString> pdfs() const
    {
        const QStringList names = QDir(m_outFolder).entryList({"*.pdf"}, QDir::Files);
        return QSet<QString>(names.begin(), names.end());
    }

    QString newPdf(const QSet<QString>& before) const
    {
        for (const QString& name : pdfs())
            if (!before.contains(name))
                return QDir(m_outFolder).filePath(name);
        return QString();
    }

    bool runCups(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            qWarning("%s did not finish", qPrintable(program));
            return false;
        }
        if (process.exitCode() != 0)
            qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QString m_outFolder;
    QString m_queue;
    QSizeF m_paper;     // points
};

VANTORRA_TEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
