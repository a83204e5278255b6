// The picture's pop-up menu, printing the picture on show and copying it to the clipboard.
#include "PdfPage.h"
#include "TestProgram.h"

#include "output/AdPrinting.h"
#include "platform/CommonDialog.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>

namespace {

const QString kTitle = QStringLiteral("Vantorra Ads of the 50's & 60's");
const QString kMenuPrinted = QStringLiteral("Advertisement printed!");
const QString kPopupPrinted = QStringLiteral("Vantorra Ad printed!");
constexpr int kDpi = 36;

// The ways to reach print and copy: the File menu, or the pop-up on either view.
enum class Route { Menu, PopupNormal, PopupZoomed };

// A started program on fakes, with `picture` loaded the way the loaders leave it.
struct Started
{
    TestProgram p;
    Form1* f = nullptr;

    explicit Started(const QImage& picture = PdfPage::quadrantPicture({60, 90}))
    {
        p.writeMedia({"55VaVa00.jpg"});
        f = p.start();
        if (!f)
            return;
        show(picture);
        f->show();
    }

    void show(const QImage& picture)
    {
        f->PicSrc->setPicture(picture);
        f->Image1->setPicture(picture);
        f->picDest->setPicture(picture);
    }

    // The zoomed view as the zoom switch leaves it, scrolled down a little.
    void zoomIn()
    {
        p.g.ZoomState = QStringLiteral("2");
        f->Image1->hide();
        f->picDest->setGeometry(8, 0, 768, 494);
        f->picDest->show();
        f->picDest->raise();
        f->VScr->show();
        f->picDest->move(8, -40);
    }

    QWidget* view(Route route) const
    {
        return route == Route::PopupZoomed ? static_cast<QWidget*>(f->picDest) : f->Image1;
    }

    // Runs print (item 1) or copy (item 2) along `route`.
    void run(Route route, int item)
    {
        if (route == Route::Menu) {
            (item == 1 ? f->mnuPrint : f->mnuClip)->trigger();
            return;
        }
        if (route == Route::PopupZoomed)
            zoomIn();
        p.fake.popups.choose(f->mnuPrintCopy[item]);
        QTest::mouseClick(view(route), Qt::RightButton, Qt::NoModifier, QPoint(20, 30));
    }

    QPrinter& printer() { return p.fake.printer.printer(); }
    QRectF printablePoints() { return printer().pageLayout().paintRect(QPageLayout::Point); }
};

QImage asRgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

Q_DECLARE_METATYPE(Route)

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    // ---- the pop-up menu ----

    void popupOpensOnRightButtonWithPictureOnly_data()
    {
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("opens");
        for (bool zoomed : {false, true}) {
            const char* view = zoomed ? "zoomed" : "normal";
            QTest::addRow("%s right", view) << zoomed << int(Qt::RightButton) << true << true;
            QTest::addRow("%s left", view) << zoomed << int(Qt::LeftButton) << true << false;
            QTest::addRow("%s middle", view) << zoomed << int(Qt::MiddleButton) << true << false;
            QTest::addRow("%s right, nothing loaded", view) << zoomed << int(Qt::RightButton) << false << false;
        }
    }

    void popupOpensOnRightButtonWithPictureOnly()
    {
        QFETCH(bool, zoomed);
        QFETCH(int, button);
        QFETCH(bool, loaded);
        QFETCH(bool, opens);
        Started s;
        QVERIFY(s.f);
        if (!loaded)
            s.f->PicSrc->setPicture(QImage());
        if (zoomed)
            s.zoomIn();
        QWidget* view = s.view(zoomed ? Route::PopupZoomed : Route::PopupNormal);
        const QPoint at(25, 35);
        QTest::mouseClick(view, Qt::MouseButton(button), Qt::ShiftModifier, at);
        QCOMPARE(s.p.fake.popups.calls.size(), opens ? 1 : 0);
        if (opens) {
            const auto& call = s.p.fake.popups.calls.first();
            QCOMPARE(call.menu, s.f->mnuCopyPrint);
            QCOMPARE(call.globalPos, view->mapToGlobal(at));
            QCOMPARE(call.items, QStringList({"Print this Ad?", "Copy this Ad to the Windows Clipboard?"}));
        }
        QVERIFY(s.p.fake.boxes.calls.isEmpty());
    }

    void popupBeforeStartUpOpensNothing()
    {
        // The main window made but not loaded: PicSrc holds no picture yet, even though
        // Image1 shows its design picture.
        TestProgram p;
        Form1* f = p.make();
        QVERIFY(!f->Image1->picture().isNull());
        QTest::mouseClick(f->Image1, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(p.fake.popups.calls.isEmpty());
    }

    void popupDismissedDoesNothing()
    {
        Started s;
        QVERIFY(s.f);
        QTest::mouseClick(s.f->Image1, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(s.p.fake.popups.calls.size(), 1);
        QVERIFY(s.p.fake.boxes.calls.isEmpty());
        QVERIFY(!QFile::exists(s.p.fake.printer.pdfFile()));
        QCOMPARE(s.p.fake.clipboard.puts, 0);
    }

    void otherPopupIndexesDoNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("0") << 0;
        QTest::newRow("3") << 3;
        QTest::newRow("-1") << -1;
    }

    void otherPopupIndexesDoNothing()
    {
        QFETCH(int, index);
        Started s;
        QVERIFY(s.f);
        s.f->mnuPrintCopy_Click(index);
        QVERIFY(s.p.fake.boxes.calls.isEmpty());
        QVERIFY(!QFile::exists(s.p.fake.printer.pdfFile()));
        QCOMPARE(s.p.fake.clipboard.puts, 0);
    }

    // ---- placement on the page ----

    void placement_data()
    {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QSizeF>("printable");
        QTest::addColumn<QRectF>("expected");
        // Printable area 8000 x 10000 device pixels, proportions 4:5.
        const QSizeF page(8000, 10000);
        QTest::newRow("tall: height limits") << QSizeF(400, 1000) << page << QRectF(0, 0, 4000, 10000);
        QTest::newRow("wide: width limits") << QSizeF(1000, 250) << page << QRectF(0, 0, 8000, 2000);
        QTest::newRow("small: enlarged") << QSizeF(8, 6) << page << QRectF(0, 0, 8000, 6000);
        QTest::newRow("same proportions") << QSizeF(40, 50) << page << QRectF(0, 0, 8000, 10000);
        QTest::newRow("larger than the page") << QSizeF(16000, 40000) << page << QRectF(0, 0, 4000, 10000);
        QTest::newRow("landscape page") << QSizeF(475, 555) << QSizeF(11100, 7500)
                                        << QRectF(0, 0, 7500.0 * 475 / 555, 7500);
        QTest::newRow("one pixel") << QSizeF(1, 1) << page << QRectF(0, 0, 8000, 8000);
        QTest::newRow("empty picture") << QSizeF(0, 50) << page << QRectF();
        QTest::newRow("empty page") << QSizeF(40, 50) << QSizeF(0, 0) << QRectF();
    }

    void placement()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QSizeF, printable);
        QFETCH(QRectF, expected);
        const QRectF r = adPlacement(picture, printable);
        QCOMPARE(r, expected);
        if (!r.isEmpty()) {
            QVERIFY(r.right() <= printable.width());
            QVERIFY(r.bottom() <= printable.height());
        }
    }

    // ---- the printed page ----

    void printedPage_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<QMarginsF>("margins");   // millimetres; negative: the printer's own
        const QMarginsF own(-1, -1, -1, -1);
        const QMarginsF wideMargins(12, 20, 30, 25);
        QTest::newRow("tall") << QSize(60, 240) << own;
        QTest::newRow("wide, wider than 8 inches at 96 DPI") << QSize(1200, 300) << own;
        QTest::newRow("small") << QSize(8, 6) << own;
        QTest::newRow("tall, margins") << QSize(60, 240) << wideMargins;
        QTest::newRow("wide, margins") << QSize(1200, 300) << wideMargins;
        QTest::newRow("small, margins") << QSize(8, 6) << wideMargins;
    }

    void printedPage()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(QMarginsF, margins);
        const QImage picture = PdfPage::quadrantPicture(pictureSize);
        Started s(picture);
        QVERIFY(s.f);
        if (margins.left() >= 0)
            QVERIFY(s.printer().setPageMargins(margins, QPageLayout::Millimeter));
        s.f->mnuPrint_Click();

        const QString pdf = s.p.fake.printer.pdfFile();
        const PdfPage::Info info = PdfPage::info(pdf);
        QVERIFY2(info.pages >= 0, qPrintable(info.error));
        QCOMPARE(info.pages, 1);
        const QSizeF paper = s.printer().pageLayout().fullRect(QPageLayout::Point).size();
        QVERIFY(std::abs(info.pointSize.width() - paper.width()) < 1);
        QVERIFY(std::abs(info.pointSize.height() - paper.height()) < 1);

        QString error;
        const QImage page = PdfPage::render(pdf, kDpi, &error);
        QVERIFY2(!page.isNull(), qPrintable(error));
        const QString wrong = PdfPage::checkAdPage(page, kDpi, s.printablePoints(), picture);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        QCOMPARE(s.p.fake.boxes.calls.first().text, kMenuPrinted);
    }

    // ---- the printer's own paper ----

    // The ad goes out on the paper of the printer it is sent to, as large as that paper's
    // printable area lets it be, whole and in its proportions. A printer that names no
    // paper of its own keeps the one Qt gives every printer, A4 upright.
    void onThePrintersOwnPaper_data()
    {
        QTest::addColumn<QPageSize>("size");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<QSize>("points");
        QTest::addColumn<QSize>("pictureSize");
        const QPageSize letter(QPageSize::Letter), a4(QPageSize::A4);
        const auto up = QPageLayout::Portrait, across = QPageLayout::Landscape;
        for (const QSize picture : {QSize(60, 90), QSize(300, 100)}) {
            const char* shape = picture.width() < picture.height() ? "tall ad" : "wide ad";
            QTest::addRow("Letter, %s", shape) << letter << up << QSize(612, 792) << picture;
            QTest::addRow("Letter landscape, %s", shape) << letter << across << QSize(792, 612) << picture;
            QTest::addRow("A4, %s", shape) << a4 << up << QSize(595, 842) << picture;
            QTest::addRow("A4 landscape, %s", shape) << a4 << across << QSize(842, 595) << picture;
        }
        QTest::newRow("no paper named") << QPageSize() << across << QSize(595, 842) << QSize(60, 90);
    }

    void onThePrintersOwnPaper()
    {
        QFETCH(QPageSize, size);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(QSize, points);
        QFETCH(QSize, pictureSize);
        const QImage picture = PdfPage::quadrantPicture(pictureSize);
        Started s(picture);
        QVERIFY(s.f);
        s.p.fake.printer.standFor({size, orientation});
        s.run(Route::Menu, 1);
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        QCOMPARE(s.p.fake.boxes.calls.first().text, kMenuPrinted);

        const QString pdf = s.p.fake.printer.pdfFile();
        const PdfPage::Info info = PdfPage::info(pdf);
        QCOMPARE(info.pages, 1);
        QVERIFY2(std::abs(info.pointSize.width() - points.width()) <= 1
                     && std::abs(info.pointSize.height() - points.height()) <= 1,
                 qPrintable(QString("page %1 x %2").arg(info.pointSize.width()).arg(info.pointSize.height())));
        // The printable area lies on that paper, and the ad within it.
        const QRectF printable = s.printablePoints();
        QVERIFY(QRectF(QPointF(), QSizeF(points) + QSizeF(1, 1)).contains(printable));
        const QRectF placed = adPlacement(picture.size(), printable.size());
        QVERIFY(placed.width() <= printable.width() + 1e-6 && placed.height() <= printable.height() + 1e-6);
        QVERIFY(std::abs(placed.width() * pictureSize.height() - placed.height() * pictureSize.width())
                < 1e-6 * placed.width() * pictureSize.height());
        QString error;
        const QImage page = PdfPage::render(pdf, kDpi, &error);
        QVERIFY2(!page.isNull(), qPrintable(error));
        const QString wrong = PdfPage::checkAdPage(page, kDpi, printable, picture);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // The paper chosen in the print set-up replaces the printer's own for the rest of the run.
    void printSetupChoiceOutlivesThePrintersPaper()
    {
        Started s;
        QVERIFY(s.f);
        s.p.fake.printer.standFor({QPageSize(QPageSize::Letter), QPageLayout::Portrait});
        const auto pagePoints = [&] {
            const QSizeF size = PdfPage::info(s.p.fake.printer.pdfFile()).pointSize;
            return QSize(qRound(size.width()), qRound(size.height()));
        };
        s.run(Route::Menu, 1);
        QCOMPARE(pagePoints(), QSize(612, 792));
        s.p.fake.commonDialog.onShow = [](QPrinter& printer) { printer.setPageSize(QPageSize(QPageSize::A4)); };
        s.f->mnuSetup->trigger();
        for (int i = 0; i < 2; ++i) {
            QVERIFY(QFile::remove(s.p.fake.printer.pdfFile()));
            s.run(Route::PopupNormal, 1);
            QCOMPARE(pagePoints(), QSize(595, 842));
        }
    }

    void orientationFromCupsOptions_data()
    {
        QTest::addColumn<QStringList>("options");   // name=value, or a bare name
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        const auto up = QPageLayout::Portrait, across = QPageLayout::Landscape;
        QTest::newRow("none") << QStringList() << up;
        QTest::newRow("portrait") << QStringList{"orientation-requested=3"} << up;
        QTest::newRow("landscape") << QStringList{"orientation-requested=4"} << across;
        QTest::newRow("reverse landscape") << QStringList{"orientation-requested=5"} << across;
        QTest::newRow("reverse portrait") << QStringList{"orientation-requested=6"} << up;
        QTest::newRow("not a number") << QStringList{"orientation-requested=sideways"} << up;
        QTest::newRow("landscape flag") << QStringList{"landscape"} << across;
        QTest::newRow("landscape true") << QStringList{"landscape=true"} << across;
        QTest::newRow("landscape false") << QStringList{"landscape=false"} << up;
        QTest::newRow("requested portrait over the flag")
            << QStringList{"landscape", "orientation-requested=3"} << up;
        QTest::newRow("other options") << QStringList{"media=Letter", "sides=one-sided"} << up;
    }

    void orientationFromCupsOptions()
    {
        QFETCH(QStringList, options);
        QFETCH(QPageLayout::Orientation, orientation);
        QHash<QString, QString> given;
        for (const QString& o : options)
            given.insert(o.section(QLatin1Char('='), 0, 0), o.section(QLatin1Char('='), 1));
        QCOMPARE(paperOrientation(given), orientation);
    }

    void printingTwiceGivesOnePageEachTime()
    {
        Started s;
        QVERIFY(s.f);
        s.f->mnuPrint_Click();
        QVERIFY(QFile::remove(s.p.fake.printer.pdfFile()));
        const QImage second = PdfPage::quadrantPicture({300, 100});
        s.show(second);
        s.f->mnuPrint_Click();
        QCOMPARE(PdfPage::info(s.p.fake.printer.pdfFile()).pages, 1);
        const QImage page = PdfPage::render(s.p.fake.printer.pdfFile(), kDpi);
        const QString wrong = PdfPage::checkAdPage(page, kDpi, s.printablePoints(), second);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QCOMPARE(s.p.fake.boxes.calls.size(), 2);
    }

    // ---- each route: what is printed and what is said ----

    void printRoutes_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QString>("message");
        QTest::newRow("File menu") << Route::Menu << kMenuPrinted;
        QTest::newRow("pop-up, normal view") << Route::PopupNormal << kPopupPrinted;
        QTest::newRow("pop-up, zoomed view") << Route::PopupZoomed << kPopupPrinted;
    }

    void printRoutes()
    {
        QFETCH(Route, route);
        QFETCH(QString, message);
        // Taller than the zoomed viewport, so only part of it is in view there.
        const QImage picture = PdfPage::quadrantPicture({200, 1200});
        Started s(picture);
        QVERIFY(s.f);
        bool printedBeforeMessage = false;
        s.p.fake.boxes.onShow = [&](const FakeMessageBoxes::Call&) {
            printedBeforeMessage = QFile::exists(s.p.fake.printer.pdfFile());
        };
        s.run(route, 1);
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        const auto& call = s.p.fake.boxes.calls.first();
        QCOMPARE(call.text, message);
        QCOMPARE(call.icon, int(MsgBox::Exclamation));
        QCOMPARE(call.buttons, int(MsgBox::OkOnly));
        QCOMPARE(call.title, kTitle);
        QVERIFY(printedBeforeMessage);
        // The whole picture, whatever part of it is scrolled into view.
        const QImage page = PdfPage::render(s.p.fake.printer.pdfFile(), kDpi);
        const QString wrong = PdfPage::checkAdPage(page, kDpi, s.printablePoints(), picture);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QCOMPARE(PdfPage::info(s.p.fake.printer.pdfFile()).pages, 1);
    }

    void printFailures_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("saying");
        QTest::addColumn<bool>("pageWritten");
        for (Route route : {Route::Menu, Route::PopupNormal}) {
            const char* via = route == Route::Menu ? "menu" : "pop-up";
            QTest::addRow("no printer, %s", via) << route << "none" << "No printer is installed" << false;
            QTest::addRow("cannot start, %s", via) << route << "start" << "could not start the print job" << false;
            QTest::addRow("job refused, %s", via) << route << "refuse" << "did not take the job: off line" << true;
            QTest::addRow("no picture, %s", via) << route << "picture" << "There is no ad on show." << false;
        }
    }

    void printFailures()
    {
        QFETCH(Route, route);
        QFETCH(QString, failure);
        QFETCH(QString, saying);
        QFETCH(bool, pageWritten);
        Started s;
        QVERIFY(s.f);
        if (failure == "none")
            s.p.fake.printer.isInstalled = false;
        else if (failure == "start")
            s.p.fake.printer.cannotStart = true;
        else if (failure == "refuse")
            s.p.fake.printer.refusal = "off line";
        else
            s.f->Image1->setPicture(QImage());
        s.run(route, 1);
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        const auto& call = s.p.fake.boxes.calls.first();
        QVERIFY2(call.text.contains(saying), qPrintable(call.text));
        QVERIFY(call.text != kMenuPrinted && call.text != kPopupPrinted);
        QCOMPARE(call.icon, int(MsgBox::Exclamation));
        QCOMPARE(call.buttons, int(MsgBox::OkOnly));
        QCOMPARE(call.title, kTitle);
        QCOMPARE(QFile::exists(s.p.fake.printer.pdfFile()), pageWritten);
    }

    void printWorksAgainAfterAFailure()
    {
        Started s;
        QVERIFY(s.f);
        s.p.fake.printer.cannotStart = true;
        s.f->mnuPrint_Click();
        s.p.fake.printer.cannotStart = false;
        s.f->mnuPrint_Click();
        QCOMPARE(s.p.fake.boxes.calls.size(), 2);
        QCOMPARE(s.p.fake.boxes.calls.at(1).text, kMenuPrinted);
        QCOMPARE(PdfPage::info(s.p.fake.printer.pdfFile()).pages, 1);
    }

    // ---- print set-up ----

    void printSetupReachesLaterPrints()
    {
        Started s;
        QVERIFY(s.f);
        s.p.fake.commonDialog.onShow = [](QPrinter& printer) {
            printer.setPageSize(QPageSize(QPageSize::A5));
            printer.setPageOrientation(QPageLayout::Landscape);
        };
        s.f->mnuSetup->trigger();
        QCOMPARE(s.p.fake.commonDialog.calls.size(), 1);
        const auto& call = s.p.fake.commonDialog.calls.first();
        QCOMPARE(call.flags, 0x40);
        QCOMPARE(call.printer, &s.printer());
        QCOMPARE(call.parent, static_cast<QWidget*>(s.f));
        QVERIFY(s.p.fake.boxes.calls.isEmpty());   // nothing said, nothing printed
        QVERIFY(!QFile::exists(s.p.fake.printer.pdfFile()));

        const QImage picture = PdfPage::quadrantPicture({60, 90});
        s.run(Route::PopupNormal, 1);
        const PdfPage::Info info = PdfPage::info(s.p.fake.printer.pdfFile());
        QCOMPARE(info.pages, 1);
        const QSizeF a5Landscape = QPageSize(QPageSize::A5).size(QPageSize::Point).transposed();
        QVERIFY2(std::abs(info.pointSize.width() - a5Landscape.width()) < 1
                     && std::abs(info.pointSize.height() - a5Landscape.height()) < 1,
                 qPrintable(QString("page %1 x %2").arg(info.pointSize.width()).arg(info.pointSize.height())));
        const QImage page = PdfPage::render(s.p.fake.printer.pdfFile(), kDpi);
        const QString wrong = PdfPage::checkAdPage(page, kDpi, s.printablePoints(), picture);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QCOMPARE(s.p.fake.boxes.calls.first().text, kPopupPrinted);
    }

    void printSetupWithoutPrinterSaysSo()
    {
        Started s;
        QVERIFY(s.f);
        s.p.fake.printer.isInstalled = false;
        s.f->mnuSetup->trigger();
        QVERIFY(s.p.fake.commonDialog.calls.isEmpty());
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        QVERIFY(s.p.fake.boxes.calls.first().text.contains("No printer is installed"));
        QCOMPARE(s.p.fake.boxes.calls.first().icon, int(MsgBox::Exclamation));
        QCOMPARE(s.p.fake.boxes.calls.first().title, kTitle);
    }

    // ---- the clipboard ----

    void copyRoutes_data()
    {
        QTest::addColumn<Route>("route");
        QTest::newRow("File menu") << Route::Menu;
        QTest::newRow("pop-up, normal view") << Route::PopupNormal;
        QTest::newRow("pop-up, zoomed view") << Route::PopupZoomed;
    }

    void copyRoutes()
    {
        QFETCH(Route, route);
        const QImage picture = PdfPage::quadrantPicture({90, 700});
        Started s(picture);
        QVERIFY(s.f);
        QImage before(5, 5, QImage::Format_RGB32);
        before.fill(Qt::magenta);
        QGuiApplication::clipboard()->setImage(before);
        s.run(route, 2);
        QCOMPARE(s.p.fake.clipboard.puts, 1);
        QVERIFY(s.p.fake.boxes.calls.isEmpty());
        const QImage held = QGuiApplication::clipboard()->image();
        QCOMPARE(held.size(), picture.size());
        QVERIFY(asRgb(held) == asRgb(picture));
        QVERIFY(!QFile::exists(s.p.fake.printer.pdfFile()));
    }

    void copyHoldsTheImageControlsPicture()
    {
        // Image1 and the zoomed view hold the same picture; what is copied is Image1's.
        Started s;
        QVERIFY(s.f);
        const QImage shown = PdfPage::quadrantPicture({33, 44});
        s.f->Image1->setPicture(shown);
        s.run(Route::PopupZoomed, 2);
        QVERIFY(asRgb(QGuiApplication::clipboard()->image()) == asRgb(shown));
    }

    void copyFailures_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<bool>("refuse");   // false: no picture on show
        QTest::newRow("refused, menu") << Route::Menu << true;
        QTest::newRow("refused, pop-up") << Route::PopupNormal << true;
        QTest::newRow("no picture, menu") << Route::Menu << false;
    }

    void copyFailures()
    {
        QFETCH(Route, route);
        QFETCH(bool, refuse);
        Started s;
        QVERIFY(s.f);
        s.p.fake.clipboard.refuse = refuse;
        if (!refuse)
            s.f->Image1->setPicture(QImage());
        s.run(route, 2);
        QCOMPARE(s.p.fake.boxes.calls.size(), 1);
        const auto& call = s.p.fake.boxes.calls.first();
        QVERIFY2(call.text.startsWith("The ad could not be copied to the clipboard."), qPrintable(call.text));
        QVERIFY(call.text.contains(refuse ? "in use" : "There is no ad on show."));
        QCOMPARE(call.icon, int(MsgBox::Exclamation));
        QCOMPARE(call.buttons, int(MsgBox::OkOnly));
        QCOMPARE(call.title, kTitle);
    }

    void realClipboardTakesAndHoldsThePicture()
    {
        QtClipboard clipboard;
        const QImage picture = PdfPage::quadrantPicture({17, 23});
        QString error;
        QVERIFY2(clipboard.putPicture(picture, &error), qPrintable(error));
        QVERIFY(asRgb(QGuiApplication::clipboard()->image()) == asRgb(picture));
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }
};

VANTORRA_TEST_MAIN(TestOutput)
#include "tst_output.moc"
