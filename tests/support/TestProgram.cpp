#include "TestProgram.h"

#include "library/LocalLibrary.h"
#include "startup/HandOver.h"

#include <QDir>

TestProgram::TestProgram()
    : m_media(m_dir.path() + QStringLiteral("/media"))
    , m_program(m_dir.path() + QStringLiteral("/program"))
{
    QDir().mkpath(m_media);
    QDir().mkpath(m_program);
    fake.folder.folder = m_program;
    fake.drives.roots = {m_media};
    fake.screen.setPixels(1024, 768);
}

void TestProgram::writeMedia(const QStringList& adFiles)
{
    MediaBuilder m = media();
    m.graphics();
    for (const QString& f : adFiles)
        m.ad(f);
}

void TestProgram::markLibraryComplete()
{
    library().file(QDir(m_program).relativeFilePath(libraryMarkPath(m_program + QStringLiteral("/ads"))), "complete\n");
}

Form1* TestProgram::make()
{
    form = std::make_unique<Form1>(g, fake.services());
    return form.get();
}

Form1* TestProgram::start()
{
    Form1* f = make();
    return HandOver(*f, g, fake.services()) ? f : nullptr;
}
