#include "mainwindow/Form1.h"

#include "library/LibraryRules.h"
#include "library/LocalLibrary.h"
#include "platform/FileLookup.h"
#include "platform/LocalFiles.h"
#include "platform/MessageBoxes.h"
#include "platform/MousePointer.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"
#include "platform/ScreenInfo.h"
#include "platform/Services.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "platform/Units.h"
#include "programwide/MediaPrompt.h"
#include "programwide/ProgramState.h"
#include "programwide/Texts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>

#include <algorithm>

namespace {

// The progress panel is painted at most this often; its values change on every chunk.
constexpr qint64 kPaintIntervalMs = 33;
// The window system and the timers are asked for their events at most this often.
constexpr qint64 kEventPollIntervalMs = 1;

// Paints of the controls whose values change on every chunk: off while copying, except
// for one repaint every kPaintIntervalMs.
void setProgressUpdates(Form1& f, bool enabled)
{
    f.Text2->setUpdatesEnabled(enabled);
    f.ProgressGuage->setUpdatesEnabled(enabled);
    f.ProgressGuage2->setUpdatesEnabled(enabled);
}

} // namespace

// ---- space test and panel -----------------------------------------------------

void Form1::mnuCopy_Click()
{
    qint64 total = 0;
    qint64 freeSpace = 0;
    QString root;
    GetDiskSpace(m_s, total, freeSpace, root);
    // Kilobyte-scaled units times 1000 (not 1024): the free-byte figure compared and shown.
    const qint64 freeBytes = freeSpace * 1000;
    if (freeBytes < AdSetBytes) {
        m_g.MessageText = spaceShortfallText(freeBytes);
        // The doubled ampersand is part of this caption.
        const int answer = m_s.boxes.show(m_g.MessageText, MsgBox::OkOnly, MsgBox::Critical,
                                          QStringLiteral("Vantorra Ads of the 50's && 60's"));
        m_g.MessageAnswer = QString::number(answer);
        return;
    }
    pnlProgress->raise();
    pnlProgress->setVisible(true);
    // Centred on the screen (its width in pixels taken as twips / 15), in the window's
    // coordinates; kept inside the client area so that its buttons can always be reached.
    const double left = (m_s.screen.widthTwips() / 15.0 - pnlProgress->width()) * 0.5;
    const double top = (m_s.screen.heightTwips() / 15.0 - pnlProgress->height()) * 0.5;
    const int x = std::clamp(roundHalfEven(left), 0, std::max(0, client->width() - pnlProgress->width()));
    const int y = std::clamp(roundHalfEven(top), 0, std::max(0, client->height() - pnlProgress->height()));
    pnlProgress->move(x, y);
    takeFocusFromKeyboard(cmdCopy);
}

void Form1::cmdCancel_Click()
{
    pnlProgress->setVisible(false);
}

// ---- the copy run -------------------------------------------------------------

void Form1::cmdCopy_Click()
{
    if (!ListMediaAds())
        return;
    cmdCopy->setEnabled(false);
    cmdCancel->setEnabled(false);
    pnlProgress->setVisible(true);

    const QString programFolder = m_s.folder.path();
    const bool complete = CopyAllAds();
    if (m_s.end.hasEnded())
        return;
    // Only a whole copy is read from: a library with holes would leave years without ads.
    if (complete)
        m_g.LocalRoot = programFolder;

    cmdCopy->setEnabled(true);
    cmdCancel->setEnabled(true);
    pnlProgress->setVisible(false);
}

bool Form1::ListMediaAds()
{
    m_g.ErrorCode = QStringLiteral("ER001");
    for (;;) {
        bool failed = false;
        QStringList names = m_s.files.all(m_g.MediaRoot, QStringLiteral("/Ads/*.*"), &failed);
        QString folder;
        if (!failed && !names.isEmpty()) {
            // The folder as it is spelled on the media.
            const Listing first = m_s.files.first(m_g.MediaRoot, QStringLiteral("/Ads/") + names.first());
            failed = !first.found();
            folder = QFileInfo(first.path).path();
        }
        if (!failed) {
            sortByCodeUnits(names);
            m_g.AdFileList.clear();
            for (const QString& name : names)
                m_g.AdFileList.append(folder + QLatin1Char('/') + name);
            return true;
        }
        // The media cannot be read: prompt, and on Retry list again.
        if (!ReportMediaError(m_g, m_s))
            return false;
    }
}

bool Form1::CopyAllAds()
{
    m_s.pointer.setMousePointer(MousePointer::Hourglass);
    m_g.CopyBytesLeft = AdSetBytes;
    setEnabled(false);
    setProgressUpdates(*this, false);
    m_panelPainted.invalidate();
    m_eventsPolled.invalidate();

    const QString folder = localAdsFolder(m_s, m_s.folder.path());
    const int total = int(m_g.AdFileList.size());
    int copied = 0;
    QStringList copies;
    QString firstName;
    QString firstReason;
    bool diskFull = false;
    bool ended = false;
    // A folder that cannot be made (or marked incomplete) takes no files: its reason is the one said.
    const bool prepared = prepareLibraryFolder(folder, &firstReason);
    if (!prepared)
        firstName = folder;
    for (int i = 0; prepared && i < total; ++i) {
        // A copy keeps the name of its file.
        const QString name = QFileInfo(m_g.AdFileList[i]).fileName();
        m_g.CopyTargetPath = folder + QLatin1Char('/') + name;
        m_g.CopySourcePath = m_g.AdFileList[i];
        QString reason;
        const CopyResult result = CopyAdFile(&reason);
        if (result == CopyResult::Ended) {
            ended = true;
            break;
        }
        if (result == CopyResult::Copied) {
            ++copied;
            copies.append(m_g.CopyTargetPath);
            continue;
        }
        if (firstName.isEmpty()) {
            firstName = name;
            firstReason = reason;
        }
        // A full disk takes no more files: the run stops with one message.
        if (result == CopyResult::DiskFull) {
            diskFull = true;
            break;
        }
    }
    setProgressUpdates(*this, true);
    if (ended) {
        m_s.pointer.setMousePointer(MousePointer::Default);
        setEnabled(true);
        return false;
    }

    bool complete = prepared && copied == total;
    if (complete)
        showGauge(ProgressGuage2, 100);
    m_s.pointer.setMousePointer(MousePointer::Default);
    if (complete) {
        m_g.MessageText = copySuccessText();
        m_g.MessageAnswer = QString::number(
            m_s.boxes.show(m_g.MessageText, MsgBox::OkOnly, MsgBox::Exclamation, programTitle()));
        // Every copy is whole in the file system when the message says so, as after cp; while
        // the message is read the system writes them out. Only once they are on the disk
        // is the library marked complete, and only a marked library is read from.
        complete = markLibraryCompleteWithHourglass(folder, copies);
    } else {
        showCopyFailure(copyFailureText(total - copied, total, firstName, firstReason, diskFull));
    }
    setEnabled(true);
    return complete;
}

bool Form1::markLibraryCompleteWithHourglass(const QString& folder, const QStringList& copies)
{
    m_s.pointer.setMousePointer(MousePointer::Hourglass);
    QString reason;
    const bool marked = markLibraryComplete(folder, copies, &reason);
    m_s.pointer.setMousePointer(MousePointer::Default);
    if (!marked)
        showCopyFailure(copyFailureText(0, int(copies.size()), folder, reason, false));
    return marked;
}

void Form1::showCopyFailure(const QString& text)
{
    m_g.MessageText = text;
    m_g.MessageAnswer =
        QString::number(m_s.boxes.show(m_g.MessageText, MsgBox::OkOnly, MsgBox::Critical, programTitle()));
}

Form1::CopyResult Form1::CopyAdFile(QString* reason)
{
    const qint64 bytesLeftAtStart = m_g.CopyBytesLeft;
    for (;;) {
        const CopyResult result = copyAdFileOnce(reason);
        if (m_s.end.hasEnded())
            return CopyResult::Ended;
        if (result != CopyResult::Failed || mediaStillPresent())
            return result;
        // The media has gone. The partial copy is already gone; on Retry this file is
        // copied again from its start.
        m_g.ErrorCode = QStringLiteral("ER001");
        m_s.pointer.setMousePointer(MousePointer::Default);
        if (!ReportMediaError(m_g, m_s))
            return CopyResult::Ended;
        m_s.pointer.setMousePointer(MousePointer::Hourglass);
        m_g.CopyBytesLeft = bytesLeftAtStart;
    }
}

Form1::CopyResult Form1::copyAdFileOnce(QString* reason)
{
    auto failed = [reason](const FileFailure& failure) {
        *reason = failure.error;
        return failure.diskFull ? CopyResult::DiskFull : CopyResult::Failed;
    };
    // The copy is written under a temporary name: an earlier copy stays until this one is whole.
    FileFailure failure;
    const std::unique_ptr<FileCopy> copy = m_s.localFiles.openCopy(m_g.CopySourcePath, m_g.CopyTargetPath, &failure);
    if (!copy)
        return failed(failure);
    const qint64 length = copy->size();
    const qint64 chunks = length / CopyChunkSize;
    for (qint64 k = 1; k <= chunks; ++k) {
        if (Text2->text() != m_g.CopySourcePath)
            Text2->setText(m_g.CopySourcePath);
        showGauge(ProgressGuage, filePercent(k, length));
        m_g.CopyBytesLeft -= CopyChunkSize;
        showGauge(ProgressGuage2, overallPercent(m_g.CopyBytesLeft));
        // One chunk from the source to the copy, inside the system where it can.
        if (!copy->copy(CopyChunkSize))
            return failed(copy->failure());
        yieldAfterChunk();
        if (m_s.end.hasEnded())
            return CopyResult::Ended;
    }
    showGauge(ProgressGuage, 100);

    // The remainder, in one step; it does not move the overall gauge.
    const qint64 rest = length - chunks * CopyChunkSize;
    if ((rest > 0 && !copy->copy(rest)) || !copy->commit())
        return failed(copy->failure());
    return CopyResult::Copied;
}

// ---- helpers --------------------------------------------------------------------

bool Form1::mediaStillPresent()
{
    return m_s.files.first(m_g.MediaRoot, QStringLiteral("/ads/*.jpg")).found();
}

void Form1::showGauge(ThreeDPanel* gauge, double percent)
{
    // The caption is the fill percentage as the gauge keeps it: a whole number, at most 100.
    gauge->setFloodPercent(percent);
    gauge->setCaption(QString::number(gauge->floodPercent()));
}

void Form1::yieldAfterChunk()
{
    // The three controls whose values change on every chunk are repainted only every
    // kPaintIntervalMs.
    const bool paint = !m_panelPainted.isValid() || m_panelPainted.elapsed() >= kPaintIntervalMs;
    if (paint) {
        setProgressUpdates(*this, true);   // re-enabling asks for one repaint of each
        m_panelPainted.start();
    }
    // Pending events run after every chunk: those queued in the program (repaints among
    // them) at once, while the window system and the timers (the clock) are asked for theirs
    // at most every kEventPollIntervalMs. Asking takes a system call each time, which over
    // thousands of small chunks would cost the copy a sixth of its time; nothing on the
    // screen can tell a millisecond.
    if (!m_eventsPolled.isValid() || m_eventsPolled.elapsed() >= kEventPollIntervalMs) {
        QCoreApplication::processEvents();
        m_eventsPolled.start();
    } else {
        QCoreApplication::sendPostedEvents();
    }
    if (paint)
        setProgressUpdates(*this, false);
}

bool Form1::prepareLibraryFolder(const QString& folder, QString* reason)
{
    // The library is incomplete from now until every file has been copied again, and that
    // is on the disk before the first old copy is replaced.
    const QString mark = libraryMarkPath(folder);
    if (m_s.localFiles.fileExists(mark)
        && (!m_s.localFiles.removeFile(mark, reason) || !m_s.localFiles.flush({}, folder, reason)))
        return false;
    // An existing folder is no failure.
    if (!m_s.localFiles.makeFolder(folder, reason))
        return false;
    // What copies killed before they were whole left behind; one that stays is replaced.
    for (const QString& path : m_s.localFiles.leftoverTemporaryFiles(folder))
        m_s.localFiles.removeFile(path, nullptr);
    return true;
}

bool Form1::markLibraryComplete(const QString& folder, const QStringList& copies, QString* reason)
{
    // The copies are on the disk before the mark that vouches for them.
    if (!m_s.localFiles.flush(copies, folder, reason))
        return false;
    FileFailure failure;
    if (m_s.localFiles.writeFile(libraryMarkPath(folder), QByteArrayLiteral("complete\n"), &failure))
        return true;
    *reason = failure.error;
    return false;
}
