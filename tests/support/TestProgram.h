#pragma once

#include "MediaBuilder.h"
#include "mainwindow/Form1.h"
#include "platform/fake/FakeServices.h"
#include "programwide/ProgramState.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// main() of a test: test mode for the standard paths, a widget application, offscreen.
#define VANTORRA_TEST_MAIN(TestClass)                                                                   \
    int main(int argc, char** argv)                                                                     \
    {                                                                                                   \
        QStandardPaths::setTestModeEnabled(true);                                                       \
        QApplication app(argc, argv);                                                                   \
        app.setAttribute(Qt::AA_DontUseNativeMenuBar);                                                  \
        TestClass tc;                                                                                   \
        return QTest::qExec(&tc, argc, argv);                                                           \
    }

// One program on fakes: its own temporary folders for the media and the program's folder,
// the scripted services and the program-wide state. Every test makes a new one.
class TestProgram
{
public:
    TestProgram();

    // The media folder (a candidate root) and the program's folder.
    QString mediaRoot() const { return m_media; }
    QString programFolder() const { return m_program; }
    MediaBuilder media() { return MediaBuilder(m_media); }
    MediaBuilder library() { return MediaBuilder(m_program); }
    // Media with the graphics and these ads.
    void writeMedia(const QStringList& adFiles);

    // Makes Form1 and hands over to it as the splash window does. Returns null when the
    // program ended on the way.
    Form1* start();
    // Makes Form1 without loading it.
    Form1* make();

    FakeServices fake;
    ProgramState g;
    std::unique_ptr<Form1> form;

private:
    QTemporaryDir m_dir;
    QString m_media;
    QString m_program;
};
