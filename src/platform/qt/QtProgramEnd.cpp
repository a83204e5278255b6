#include "platform/qt/QtProgramEnd.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

QtProgramEnd::QtProgramEnd(std::function<void()> cleanUp)
    : m_cleanUp(std::move(cleanUp))
{
}

void QtProgramEnd::endNow(int exitCode)
{
    m_ended = true;
    if (m_cleanUp)
        m_cleanUp();
    std::fflush(nullptr);
    std::exit(exitCode);
}

void QtProgramEnd::endOrderly()
{
    m_ended = true;
    QCoreApplication::exit(0);
}
