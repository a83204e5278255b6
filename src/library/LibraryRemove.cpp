#include "mainwindow/Form1.h"

#include "library/LibraryRules.h"
#include "library/LocalLibrary.h"
#include "platform/FileLookup.h"
#include "platform/LocalFiles.h"
#include "platform/MessageBoxes.h"
#include "platform/MousePointer.h"
#include "platform/ProgramFolder.h"
#include "platform/Services.h"
#include "programwide/ProgramState.h"
#include "programwide/Texts.h"

void Form1::mnuRemove_Click()
{
    const int answer = m_s.boxes.show(removeQuestionText(), MsgBox::YesNo, MsgBox::Question, programTitle());
    if (answer != MsgBox::Yes)
        return;

    m_s.pointer.setMousePointer(MousePointer::Hourglass);
    const QString folder = localAdsFolder(m_s, m_s.folder.path());
    m_g.CopyTargetPath = folder + QStringLiteral("/*.jpg");
    // No folder (nothing to remove) lists nothing.
    const QStringList names = m_s.files.all(folder, QStringLiteral("/*.jpg"));
    int notRemoved = 0;
    QString firstName;
    QString firstReason;

    // The mark goes first: a library that has lost some of its ads is never used again.
    // When the mark cannot go, nothing else is deleted, so the library stays whole.
    const QString mark = libraryMarkPath(folder);
    if (m_s.localFiles.fileExists(mark) && !m_s.localFiles.removeFile(mark, &firstReason)) {
        notRemoved = int(names.size());
        firstName = folder;
    } else {
        for (const QString& name : names) {
            QString reason;
            if (!m_s.localFiles.removeFile(folder + QLatin1Char('/') + name, &reason) && notRemoved++ == 0) {
                firstName = name;
                firstReason = reason;
            }
        }
        // What copies killed before they were whole left behind would keep the folder.
        for (const QString& path : m_s.localFiles.leftoverTemporaryFiles(folder))
            m_s.localFiles.removeFile(path, nullptr);
        // Every other file stays, and so does the folder then.
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
    m_s.pointer.setMousePointer(MousePointer::Default);
    // The orderly close: the close handler stores the geometry and ends the program.
    close();
}
