#pragma once

#include "programwide/ProgramState.h"

#include <QPointer>
#include <QStringList>
#include <memory>

class Form1;
class Form2;
class QtServices;

// One run of the program: owns the program-wide state, the real services and the windows.
class Application
{
public:
    Application(const QString& programFolder, const QStringList& mediaRoots);
    ~Application();

    // Shows the splash window; the event loop does the rest.
    void start();

private:
    ProgramState m_state;
    std::unique_ptr<QtServices> m_services;
    QPointer<Form2> m_splash;
    std::unique_ptr<Form1> m_form1;
};
