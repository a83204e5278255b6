#pragma once

#include "platform/rtf/RtfReader.h"

#include <QTextEdit>

// The rich-text box: a read-only text view filled by our own RTF reader. A double-click
// on the text is reported as a signal of its own.
class RichTextBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Replaces the contents with the RTF file at path. When the file cannot be read the
    // box keeps what it held and the result says why.
    rtf::ReadResult loadFile(const QString& path);
    // The path of the file last loaded.
    QString fileName() const { return m_fileName; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString m_fileName;
};
