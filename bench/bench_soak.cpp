// Soak: the real main window with the real services, driven offscreen for 10,000 actions on
// the sample media. It steps through every year of every make, zooms in and out every 50
// actions and opens and closes the notice every 500 (closed through its OK button, as a
// user does). Prints resident memory and open file descriptors after a warm-up and at the
// end; exit code 0 when memory grew by at most 20 MB and no descriptor stayed open.
#include "MediaGen.h"
#include "browser/AdFiles.h"
#include "documents/txtForm.h"
#include "mainwindow/Form1.h"
#include "platform/FileLookup.h"
#include "platform/OptionButton.h"
#include "platform/ThreeDButton.h"
#include "platform/qt/QtServices.h"
#include "programwide/ProgramState.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kActions = 10000;  // after the warm-up
constexpr int kWarmUp = 1000;
constexpr int kZoomEvery = 50;
constexpr int kNoticeEvery = 500;
constexpr int kStepsInYear = 3;       // steps to the next ad after a year is chosen
constexpr double kMaxGrowthMb = 20.0;

// VmRSS of /proc/self/status, in MB.
double residentMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

struct YearOfMake {
    int parent;
    int make;
    int year;
};

// Every enabled year of every make the window offers, found by clicking through them. A
// year whose ads cannot be counted (the sample media numbers one past the last) brings the
// media prompt, whose Cancel ends the program: left out, and counted in `refused`.
std::vector<YearOfMake> everyYearOfEveryMake(Form1& form, const ProgramState& g, Services& services, int* refused)
{
    std::vector<YearOfMake> years;
    for (int p = 0; p < int(form.optParent.size()); ++p) {
        if (form.optParent[p]->isHidden() || !form.optParent[p]->isEnabled())
            continue;
        form.optParent[p]->click();
        QCoreApplication::processEvents();
        for (int m = 0; m < int(form.Option1.size()); ++m) {
            if (form.Option1[m]->isHidden() || !form.Option1[m]->isEnabled())
                continue;
            form.Option1[m]->click();
            QCoreApplication::processEvents();
            for (int y = 0; y < int(form.cmdYear.size()); ++y) {
                if (form.cmdYear[y]->isHidden() || !form.cmdYear[y]->isEnabled())
                    continue;
                const int year = yearFromCaption(form.cmdYear[y]->text());
                const int count = countAds([&](int n) { return probeOf(services.files.first(g.LocalRoot, adFile(year, g.MakeCode, n))); });
                if (countIsValid(count))
                    years.push_back({p, m, y});
                else
                    ++*refused;
            }
        }
    }
    return years;
}

class Soak
{
public:
    Soak(Form1& form, std::vector<YearOfMake> years) : m_form(form), m_years(std::move(years)) {}

    // One action: choose the next year (its parent and make first when they change) or step
    // to the next ad of the year on show; every 50 a zoom in and out, every 500 the notice.
    void act()
    {
        ++m_done;
        if (m_done % kNoticeEvery == 0) {
            ++m_noticesAsked;
            m_form.mnuNotice->trigger();  // modal: returns once the closer has clicked OK
        } else if (m_done % kZoomEvery == 0) {
            m_form.cmdZoom->click();
            QCoreApplication::processEvents();
            m_form.cmdZoomOut->click();
        } else if (m_step == 0) {
            const YearOfMake& y = m_years[m_next];
            m_next = (m_next + 1) % m_years.size();
            if (!m_form.optParent[y.parent]->isChecked())
                m_form.optParent[y.parent]->click();
            if (!m_form.Option1[y.make]->isChecked())
                m_form.Option1[y.make]->click();
            m_form.cmdYear[y.year]->click();
            m_step = kStepsInYear;
        } else {
            m_form.ShowNextAd();
            --m_step;
        }
        QCoreApplication::processEvents();
    }

    int m_noticesAsked = 0;

private:
    Form1& m_form;
    std::vector<YearOfMake> m_years;
    size_t m_next = 0;
    int m_step = 0;
    int m_done = 0;
};

} // namespace

int main(int argc, char** argv)
{
    // bench_soak [ACTIONS]: 10,000 unless told.
    const int actions = argc > 1 ? std::max(1, atoi(argv[1])) : kActions;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VantorraAds"));
    QApplication::setOrganizationName(QStringLiteral("VantorraAds"));
    QApplication::setQuitOnLastWindowClosed(false);

    QTemporaryDir dir;
    const QString media = dir.filePath(QStringLiteral("media"));
    const QString program = dir.filePath(QStringLiteral("program"));
    QDir().mkpath(program);
    mediagen::Options options;
    options.adSize = QSize(638, 825);  // a letter page at 75 dpi
    QString error;
    mediagen::WriteStats written;
    if (!mediagen::writeSampleMedia(media, options, &error, &written)) {
        std::fprintf(stderr, "Cannot write the sample media: %s\n", qPrintable(error));
        return 2;
    }
    std::printf("Sample media: %d files, %.1f MB\n", written.files, written.bytes / 1e6);

    // The viewer is modal: closed by its OK button, as a user's click does. A message box
    // (the sample media has a year whose ads are numbered past the last one, which brings
    // the media prompt) is answered Cancel, or OK where it has no Cancel, and counted.
    int noticesShown = 0;
    QMap<QString, int> boxes;
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* viewer = qobject_cast<txtForm*>(modal)) {
            if (viewer->isVisible()) {
                ++noticesShown;
                viewer->SSCommand1->click();
            }
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ++boxes[box ? box->text() : dialog->windowTitle()];
            QAbstractButton* answer = box ? box->button(QMessageBox::Cancel) : nullptr;
            if (!answer && box)
                answer = box->button(QMessageBox::Ok);
            if (answer)
                answer->click();
            else
                dialog->reject();
        }
    });
    closer.start();

    QtServices services(program, {media});
    ProgramState g;
    Form1 form(g, services.services());
    if (!form.Form_Load()) {
        std::fprintf(stderr, "The media was not accepted.\n");
        return 2;
    }
    form.show();
    QCoreApplication::processEvents();
    int refused = 0;
    const std::vector<YearOfMake> years = everyYearOfEveryMake(form, g, services.services(), &refused);
    if (years.empty()) {
        std::fprintf(stderr, "The sample media offers no year.\n");
        return 2;
    }
    int makes = 0;
    for (size_t i = 0; i < years.size(); ++i)
        makes += i == 0 || years[i].parent != years[i - 1].parent || years[i].make != years[i - 1].make;
    std::printf("%d years of %d makes on the media (%d more that bring the media prompt left out)\n",
                int(years.size()), makes, refused);

    Soak soak(form, years);
    const int warmUp = std::min(kWarmUp, actions / 10);
    for (int i = 0; i < warmUp; ++i)
        soak.act();
    const double rssStart = residentMb();
    const int fdStart = openDescriptors();
    std::printf("after %d warm-up actions: VmRSS %.1f MB, %d open descriptors\n", warmUp, rssStart, fdStart);
    std::fflush(stdout);

    QElapsedTimer timer;
    timer.start();
    const int noticesBefore = soak.m_noticesAsked;
    for (int i = 0; i < actions; ++i) {
        soak.act();
        if ((i + 1) % 2500 == 0) {
            std::printf("  %5d actions: VmRSS %.1f MB, %d open descriptors\n", i + 1, residentMb(), openDescriptors());
            std::fflush(stdout);
        }
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double rssEnd = residentMb();
    const int fdEnd = openDescriptors();
    const int notices = soak.m_noticesAsked - noticesBefore;

    std::printf("after %d more actions (%.1f s, %.2f ms each; %d notices opened and closed):\n", actions, seconds,
                seconds * 1000 / actions, notices);
    std::printf("  VmRSS %.1f MB -> %.1f MB: growth %+.1f MB (target at most %.0f MB)\n", rssStart, rssEnd,
                rssEnd - rssStart, kMaxGrowthMb);
    std::printf("  open descriptors %d -> %d (target: flat)\n", fdStart, fdEnd);
    const bool allShown = noticesShown == soak.m_noticesAsked;
    if (!allShown)
        std::printf("  the notice was asked for %d times but shown %d times\n", soak.m_noticesAsked, noticesShown);
    for (auto it = boxes.cbegin(); it != boxes.cend(); ++it)
        std::printf("  message box shown %d times (warm-up included): \"%s\"\n", it.value(),
                    qPrintable(it.key().simplified().left(100)));
    const bool holds = rssEnd - rssStart <= kMaxGrowthMb && fdEnd <= fdStart && allShown;
    std::printf("%s\n", holds ? "All targets hold." : "Some targets do NOT hold.");
    closer.stop();
    return holds ? 0 : 1;
}
