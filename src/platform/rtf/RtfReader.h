#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Our own RTF reader: RTF 1.x as word processors and converters write it, read into a
// QTextDocument for the document viewer. It never throws, crashes or hangs on bad input;
// it shows what can be read.
namespace rtf {

struct ReadResult {
    bool ok = false;        // false only when nothing could be read at all (e.g. not RTF and empty)
    QString error;          // reason when !ok, or a note on what was skipped (may be empty)
};

// Replaces the contents of doc with the RTF in data. Never throws, crashes or hangs; shows what can be read.
ReadResult read(const QByteArray& data, QTextDocument* doc);
// Reads a file: a file that cannot be opened/read gives ok=false and error = QFile::errorString().
ReadResult readFile(const QString& path, QTextDocument* doc);
// The document's plain text as rtfdump prints it (one line per paragraph, table cells in reading order separated by tabs).
QString plainText(const QTextDocument& doc);

}
