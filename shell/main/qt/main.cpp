// The desktop program: the framework's start, the windows, the message loop.
#include <QCoreApplication>
#include <QIcon>
#include <QObject>

#include "shell/main/qt/MainForm.h"
#include "shell/main/qt/ProgramWindows.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/PlatformStart.h"
#include "shell/qt/PlatformTranslations.h"
#include "shell/qt/ProgramEnd.h"
#include "shell/qt/SlanterApplication.h"
#include "shell/qt/TerminationSignals.h"

int main(int argc, char** argv) {
    using namespace slanter;
    FollowLanguageSwitch(argc, argv);
    TSlanterApplication application(argc, argv);
    KeepArgumentBytes(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/slanter.png")));
    // The desktop entry names the program on the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("slanter"));

    // A settings store that cannot be written is reported; the program runs without it.
    RunGuarded(StartGeneral);

    ProgramWindows windows;
    // Ended from outside, the program still closes as its Exit command closes it, whatever
    // dialog is open; the handler is there before the windows, so that no signal finds the
    // run's folder made but nobody to remove it.
    ProgramEnd ending([&windows] {
        if (windows.Main() != nullptr)
            windows.Main()->close();
    });
    const TerminationSignals termination([&ending] { ending.Request(); });
    if (!windows.Create(PlatformProgramStart().commandLine, LaunchShowCommand()))
        return 1;
    // exit, not quit: quit leaves a loop alone while a dialog of it is shown.
    QObject::connect(
        windows.Main(), &TMainForm::Closed, &application, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    if (!ending.Requested())
        windows.OpenNamedPicture(PictureArguments());
    // A signal during the start or a message before the loop: the loop must not start.
    if (ending.Requested()) {
        windows.Main()->close();
        return 0;
    }
    return application.exec();
}
