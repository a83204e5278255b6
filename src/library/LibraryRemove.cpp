#include "mainwindow/Form1.h"

#include "library/LibraryRules.h"
#include "library/LocalLibrary.h"
#include "platform/FileLookup.h"
#include "platform/LocalFiles.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "platform/Services.h"
#include "programwide/ProgramState.h"
#include "programwide/Texts.h"

void Form1::mnuRemove_Click()
{
    const int answer = m_s.boxes.show(removeQuestionText(), MsgBox::YesNo, MsgBox::Question, programTitle());
    if (answer != MsgBox::Yes)
        return;

    setCursor(Qt::WaitCursor);
    const QString programFolder = m_s.folder.path();
    const QString folder = localAdsFolder(programFolder);
    int notRemoved = 0;
    QString firstName;
    QString firstReason;
    auto noteFailure = [&](const QString& name, const QString& reason) {
        if (notRemoved++ == 0) {
            firstName = name;
            firstReason = reason;
        }
    };

    // The mark goes first: a library that has lost some of its ads is never used again.
    // When the mark cannot go, nothing else is deleted, so the library stays whole.
    QString reason;
    const QString mark = libraryMarkPath(programFolder);
    if (m_s.localFiles.fileExists(mark) && !m_s.localFiles.removeFile(mark, &reason)) {
        noteFailure(mark, reason);
    } else {
        m_g.CopyTargetPath = folder + QStringLiteral("/*.jpg");
        // No folder (nothing to remove) lists nothing; every other file stays, and so does the folder then.
        const QStringList names = m_s.files.all(folder, QStringLiteral("/*.jpg"));
        for (const QString& name : names) {
            if (!m_s.localFiles.removeFile(folder + QLatin1Char('/') + name, &reason))
                noteFailure(name, reason);
        }
        m_s.localFiles.removeFolder(folder, nullptr);
    }
    m_g.LocalRoot = m_g.MediaRoot;

    if (notRemoved == 0) {
        m_g.MessageText = removedText();
        m_s.boxes.show(m_g.MessageText, MsgBox::OkOnly, MsgBox::NoIcon, programTitle());
    } else {
        m_g.MessageText = removeFailureText(notRemoved, firstName, firstReason);
        m_s.boxes.show(m_g.MessageText, MsgBox::OkOnly, MsgBox::Exclamation, programTitle());
    }
    unsetCursor();
    // The orderly close: the close handler stores the geometry and ends the program.
    close();
}
