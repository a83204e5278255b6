#include "documents/HelpWindow.h"

#include "platform/HelpFile.h"
#include "platform/Shell.h"
#include "platform/ThreeDButton.h"
#include "programwide/Texts.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>

namespace {

constexpr int kGap = 6;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 25;

// A link the help window does not show itself: it goes to the desktop.
bool isExternal(const QUrl& link)
{
    const QString scheme = link.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto");
}

} // namespace

HelpWindow::HelpWindow(HelpFile& helpFile, Shell& shell, QWidget* parent)
    : QWidget(parent, Qt::Window), m_helpFile(helpFile), m_shell(shell)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(programTitle() + QStringLiteral(" Help"));
    resize(640, 560);

    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("browser"));
    browser->setOpenLinks(false);
    browser->setAccessibleName(QStringLiteral("Help text"));
    connect(browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);

    auto button = [this](const QString& name, const QString& caption) {
        auto* b = new ThreeDButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    cmdContents = button(QStringLiteral("cmdContents"), QStringLiteral("&Contents"));
    cmdBack = button(QStringLiteral("cmdBack"), QStringLiteral("&Back"));
    cmdClose = button(QStringLiteral("cmdClose"), QStringLiteral("C&lose"));
    cmdBack->setEnabled(false);
    connect(browser, &QTextBrowser::backwardAvailable, cmdBack, &QWidget::setEnabled);
    connect(cmdContents, &ThreeDButton::clicked, this, &HelpWindow::showContents);
    connect(cmdBack, &ThreeDButton::clicked, browser, &QTextBrowser::backward);
    connect(cmdClose, &ThreeDButton::clicked, this, &QWidget::close);
}

void HelpWindow::showContents()
{
    const QStringList candidates = m_helpFile.candidates();
    m_path.clear();
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) {
            m_path = path;
            break;
        }
    }
    if (m_path.isEmpty()) {
        showMissing(candidates, QStringLiteral("The help file was not found."));
    } else {
        // Readable? QTextBrowser shows an empty page for a file it cannot open.
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly)) {
            showMissing({m_path}, QStringLiteral("The help file cannot be read: ") + file.errorString());
            m_path.clear();
        } else {
            QUrl contents = QUrl::fromLocalFile(m_path);
            contents.setFragment(contentsAnchor());
            browser->setSource(contents);
        }
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::followLink(const QUrl& link)
{
    if (isExternal(link)) {
        m_shell.open(link.toString());
        return;
    }
    const QUrl target = browser->source().resolved(link);
    if (target.isLocalFile() && !QFileInfo(target.toLocalFile()).isFile()) {
        showMissing({target.toLocalFile()}, QStringLiteral("The page was not found."));
        return;
    }
    browser->setSource(target);
}

void HelpWindow::showMissing(const QStringList& lookedIn, const QString& reason)
{
    QString html = QStringLiteral("<h2>Help is not available</h2><p>")
                   + reason.toHtmlEscaped() + QStringLiteral("</p>");
    if (!lookedIn.isEmpty()) {
        html += QStringLiteral("<p>It was looked for here:</p><ul>");
        for (const QString& path : lookedIn)
            html += QStringLiteral("<li>") + path.toHtmlEscaped() + QStringLiteral("</li>");
        html += QStringLiteral("</ul>");
    }
    browser->clearHistory();
    browser->setHtml(html);
}

void HelpWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The buttons along the top, the help text below them.
    int left = kGap;
    for (ThreeDButton* b : {cmdContents, cmdBack, cmdClose}) {
        b->setGeometry(left, kGap, kButtonWidth, kButtonHeight);
        left += kButtonWidth + kGap;
    }
    const int top = 2 * kGap + kButtonHeight;
    browser->setGeometry(kGap, top, qMax(0, width() - 2 * kGap), qMax(0, height() - top - kGap));
}
