#include "startup/Application.h"

#include "mainwindow/Form1.h"
#include "platform/qt/QtServices.h"
#include "startup/Form2.h"

Application::Application(const QString& programFolder, const QStringList& mediaRoots)
    : m_services(std::make_unique<QtServices>(programFolder, mediaRoots))
{
}

Application::~Application()
{
    m_form1.reset();
    delete m_splash;
}

void Application::start()
{
    m_splash = new Form2(m_state, m_services->services(), [this] {
        m_form1 = std::make_unique<Form1>(m_state, m_services->services());
        return m_form1.get();
    });
    m_splash->Form_Load();
}
