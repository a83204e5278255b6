#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class ThreeDButton;
class HelpFile;
class Shell;

// The program's help window: the help text in a browser with Contents, Back and Close.
// Links inside the help text are followed in the window; web and mail addresses go to the
// desktop. A help file that cannot be found or read is said so in the window.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    HelpWindow(HelpFile& helpFile, Shell& shell, QWidget* parent = nullptr);

    QTextBrowser* browser = nullptr;
    ThreeDButton* cmdContents = nullptr;
    ThreeDButton* cmdBack = nullptr;
    ThreeDButton* cmdClose = nullptr;

    // Shows the help file at its contents (found anew each time), and brings the window up.
    void showContents();
    // The help file shown, empty when none was found.
    QString helpFilePath() const { return m_path; }

    // The anchor of the contents in the help file.
    static QString contentsAnchor() { return QStringLiteral("contents"); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void followLink(const QUrl& link);
    void showMissing(const QStringList& lookedIn, const QString& reason);

    HelpFile& m_helpFile;
    Shell& m_shell;
    QString m_path;
};
