#pragma once

// Test stand-ins for the printer, the clipboard, the pop-up menus and the printer dialog.

#include "platform/qt/QtOutput.h"

#include <QList>
#include <QPoint>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

class QAction;

// The real printer in its PDF form, writing into a file of its own temporary folder, so
// a test prints through the real painting code and reads the page. It can stand for a
// printer whose own paper is, say, Letter or A4, pretend that no printer is installed,
// fail to start the job (the PDF goes into a missing folder), or have the job refused
// after it was sent.
class FakePrinter : public Printer
{
public:
    FakePrinter();

    bool installed() override { return isInstalled && m_real->installed(); }
    QPrinter& printer() override;
    QString jobError() override;

    // Where a print goes: the PDF file, or the system's default printer after useSystemPrinter().
    QString pdfFile() const;
    void useSystemPrinter();
    // From now on a PDF printer whose own paper is `paper`, made afresh on first use.
    void standFor(const PrinterPaper& paper);

    bool isInstalled = true;
    bool cannotStart = false;
    QString refusal;        // when set, the reason the printer gives for not taking the job

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QtPrinter> m_real;
};

// The real clipboard (in the test process it works offscreen), able to refuse the picture.
class FakeClipboard : public Clipboard
{
public:
    bool putPicture(const QImage& picture, QString* error) override;

    bool refuse = false;
    int puts = 0;
    QtClipboard real;
};

// Records every pop-up and chooses the next scripted item (none: dismissed).
class FakePopupMenus : public PopupMenus
{
public:
    struct Call
    {
        QMenu* menu = nullptr;
        QPoint globalPos;
        QStringList items;      // the texts of its items at the time
    };

    void popup(QMenu& menu, const QPoint& globalPos) override;
    FakePopupMenus& choose(QAction* item) { m_choices.enqueue(item); return *this; }

    QList<Call> calls;

private:
    QQueue<QAction*> m_choices;
};

// Records every printer dialog; onShow stands for what the user chose in it.
class FakeCommonDialog : public CommonDialog
{
public:
    struct Call
    {
        int flags = 0;
        QPrinter* printer = nullptr;
        QWidget* parent = nullptr;
    };

    bool showPrinter(QPrinter& printer, int flags, QWidget* parent) override;

    std::function<void(QPrinter&)> onShow;
    bool accept = true;
    QList<Call> calls;
};
