#include "platform/RichTextBox.h"

#include <QMouseEvent>
#include <QTextDocument>

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
}

rtf::ReadResult RichTextBox::loadFile(const QString& path)
{
    // Read into a document of its own first, so that a failed read leaves the box as it was.
    auto* read = new QTextDocument(this);
    read->setDefaultFont(font());
    const rtf::ReadResult result = rtf::readFile(path, read);
    if (!result.ok) {
        delete read;
        return result;
    }
    // The document it replaces was the box's own child and goes with the change.
    setDocument(read);
    m_fileName = path;
    return result;
}

void RichTextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTextEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
