// A test-only driver of the desktop program, for looking at its windows: it starts the
// program's windows as the program does, goes the whole way a user goes (open a picture,
// choose the options and a pattern, preview, convert, tile nine times, save, copy) and
// writes a PNG picture of each window as the window system shows it.
//
//     slanter_screenshot_tour FOLDER PICTURE [/JAPANESE | /ENGLISH]
//
// Writes FOLDER/LANG-main.png, LANG-method.png, LANG-preview.png, LANG-result-9.png and
// LANG-screen.png (LANG "ja" or "en"), and FOLDER/LANG-result.bmp as saved by the result
// window. Exit code 0 when every step was done.
#include <algorithm>
#include <cstdio>
#include <string>

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include "conversion/qt/FinalForm.h"
#include "method/qt/MethodForm.h"
#include "preview/qt/PreviewForm.h"
#include "shell/General.h"
#include "shell/LaunchState.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/MainForm.h"
#include "shell/qt/PlatformStart.h"
#include "shell/qt/ProgramWindows.h"
#include "shell/qt/SlanterApplication.h"

namespace {

using namespace slanter;

// Lets the window system map, lay out and paint what the last step changed.
void Settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 400) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
}

bool Shoot(QWidget& window, const QString& file) {
    window.raise();
    Settle();
    const QPixmap shot = window.screen()->grabWindow(window.winId());
    if (shot.isNull() || !shot.save(file)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

bool Click(const char* name) {
    auto* button = MethodForm->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (button == nullptr || !button->isEnabled()) {
        std::fprintf(stderr, "%s cannot be clicked\n", name);
        return false;
    }
    button->click();
    Settle();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER PICTURE [/JAPANESE | /ENGLISH]\n", argv[0]);
        return 2;
    }
    TSlanterApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const std::string picture = argv[2];
    QDir().mkpath(folder);

    RunGuarded(StartGeneral);
    ProgramWindows windows;
    if (!windows.Create(PlatformProgramStart().commandLine, kShowNormal))
        return 1;
    const QString prefix = folder + (Japanese ? "/ja-" : "/en-");
    bool done = true;
    MainForm->OpenChosenFile(picture);
    Settle();
    done = done && Shoot(*MainForm, prefix + "main.png");

    // Columns, rising to the left, smoothed, by area: each a click away from the start.
    for (const char* option : {"RadioButton2", "RadioButton4", "RadioButton6", "RadioButton8"})
        done = done && Click(option);
    auto* list = MethodForm->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    list->setCurrentRow(std::min(1, list->count() - 1));
    Settle();
    done = done && list->currentRow() >= 0 && Click("Button1");
    done = done && Shoot(*MethodForm, prefix + "method.png");
    done = done && Shoot(*PreviewForm, prefix + "preview.png");

    done = done && Click("Button2") && !MethodForm->ResultWindows().empty();
    if (done) {
        TFinalForm& result = *MethodForm->ResultWindows().back();
        result.findChild<QAction*>(QStringLiteral("KView9"))->trigger();
        Settle();
        done = Shoot(result, prefix + "result-9.png");
        result.SaveResultAs((prefix + "result.bmp").toStdString());
        result.findChild<QAction*>(QStringLiteral("KFileClipboard"))->trigger();
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QPixmap whole = screen->grabWindow(0);
        done = done && whole.save(prefix + "screen.png");
    }

    MainForm->close();
    return done ? 0 : 1;
}
