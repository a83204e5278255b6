#pragma once

#include <QByteArray>
#include <QString>

// The whole of a file the test reads; empty when it cannot be read.
QByteArray fileBytes(const QString& path);
