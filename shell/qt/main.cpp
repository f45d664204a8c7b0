// The desktop program: the framework's start, the windows, the message loop.
#include <QIcon>
#include <QObject>

#include "shell/qt/GeneralError.h"
#include "shell/qt/MainForm.h"
#include "shell/qt/PlatformStart.h"
#include "shell/qt/ProgramWindows.h"
#include "shell/qt/SlanterApplication.h"
#include "shell/qt/TerminationSignals.h"

int main(int argc, char** argv) {
    using namespace slanter;
    TSlanterApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/slanter.png")));
    // The desktop entry names the program on the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("slanter"));

    // A settings store that cannot be written is reported; the program runs without it.
    RunGuarded(StartGeneral);

    ProgramWindows windows;
    if (!windows.Create(PlatformProgramStart().commandLine, LaunchShowCommand()))
        return 1;
    QObject::connect(windows.Main(), &TMainForm::Closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // Ended from outside, the program still closes as its Exit command closes it.
    const TerminationSignals termination([&windows] { windows.Main()->close(); });
    windows.OpenNamedPicture(PictureArguments());
    return application.exec();
}
