// A test-only driver of the desktop program, for looking at its windows: it starts the
// program's windows as the program does, goes the whole way a user goes (drop a picture
// on the main window, choose the options and a pattern, preview, convert, tile nine
// times, save as BMP and PNG, copy) and writes a PNG picture of each window as the window
// system shows it.
//
//     slanter_screenshot_tour FOLDER PICTURE [ICON] [LARGE_PICTURE] [/JAPANESE | /ENGLISH]
//
// Writes FOLDER/LANG-main.png, LANG-method.png, LANG-preview.png, LANG-preview-outline.png,
// LANG-result-9.png, LANG-result-9-50.png (zoomed to 50%), LANG-result-1-200.png (200%),
// LANG-result-view-menu.png and LANG-screen.png (LANG "ja" or "en"), the windows with
// their frames as the help shows them (LANG-framed-main.png, -method, -preview, -result), and
// FOLDER/LANG-result.bmp and LANG-result.png as saved by the result window. PICTURE is any
// picture the program opens (BMP, PNG, JPEG ...). Given an icon file (.ico), then
// LANG-main-icon.png, the main window with the icon open, narrower than its menu bar. With
// LARGE_PICTURE, a picture larger than the screen, it goes on with that one and the
// largest tile that converts in a few seconds: LANG-large-main.png,
// LANG-large-result-1.png and LANG-large-result-9.png (scrolled to the middle of the
// tiles) show the windows kept on the screen with scroll bars, LANG-large-result-fit.png
// the result fitted to its window, LANG-large-screen.png the whole screen. Exit code 0
// when every step was done.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
#include <QUrl>

#include "conversion/ResultShape.h"
#include "conversion/qt/FinalForm.h"
#include "engine/Slanter.h"
#include "method/qt/MethodForm.h"
#include "preview/qt/PreviewForm.h"
#include "shell/General.h"
#include "shell/LaunchState.h"
#include "shell/main/qt/MainForm.h"
#include "shell/main/qt/ProgramWindows.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/PlatformStart.h"
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

// The window with its frame, as the help shows it: LANG-framed-NAME.png.
bool ShootFramed(QWidget& window, const QString& file) {
    window.raise();
    Settle();
    const QRect frame = window.frameGeometry();
    const QPixmap shot =
        window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (shot.isNull() || !shot.save(file)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

// Drops the file on the main window as a file manager does: the drag enters, then drops.
void Drop(const std::string& picture) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromLocal8Bit(picture.c_str()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(MainForm, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(MainForm, &drop);
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

// Converts the largest tile (by area, low in the list) that a 24-bit file holds and that
// converts in a few seconds, and shoots its window in view 1, in view 9 scrolled to the
// middle of the tiles, and in view 1 fitted to the window.
bool ShootLargeResult(const TSlanter& engine, const QString& prefix) {
    constexpr std::int64_t kMostPixels = 16'000'000;
    auto* list = MethodForm->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    int chosen = -1;
    for (int row = 0; row < list->count(); ++row) {
        const TPoint tile = engine.PatternSize(row);
        if (ResultFitsInFile(tile, 24) && std::int64_t{tile.X} * tile.Y <= kMostPixels)
            chosen = row;
    }
    list->setCurrentRow(chosen);
    Settle();
    if (list->currentRow() < 0 || !Click("Button2") || MethodForm->ResultWindows().empty())
        return false;
    TFinalForm& result = *MethodForm->ResultWindows().back();
    bool done = Shoot(result, prefix + "large-result-1.png");
    result.findChild<QAction*>(QStringLiteral("KView9"))->trigger();
    auto* area = result.findChild<QScrollArea*>(QStringLiteral("ClientArea"));
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum() / 2);
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum() / 2);
    done = Shoot(result, prefix + "large-result-9.png") && done;
    // The picture alone, fitted: seen whole in its window.
    result.findChild<QAction*>(QStringLiteral("KView1"))->trigger();
    result.findChild<QAction*>(QStringLiteral("KViewFit"))->trigger();
    return Shoot(result, prefix + "large-result-fit.png") && done;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: %s FOLDER PICTURE [ICON] [LARGE_PICTURE] [/JAPANESE | /ENGLISH]\n",
                     argv[0]);
        return 2;
    }
    TSlanterApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const std::string picture = argv[2];
    std::string icon;
    std::string large;
    for (int k = 3; k < argc; ++k) {
        const QString word = QString::fromLocal8Bit(argv[k]);
        if (word.startsWith('/') && !QFileInfo::exists(word))
            continue;
        (word.endsWith(".ico", Qt::CaseInsensitive) ? icon : large) = argv[k];
    }
    QDir().mkpath(folder);

    RunGuarded(StartGeneral);
    ProgramWindows windows;
    if (!windows.Create(PlatformProgramStart().commandLine, kShowNormal))
        return 1;
    const QString prefix = folder + (Japanese ? "/ja-" : "/en-");
    bool done = true;
    Drop(picture);
    Settle();
    done = done && Shoot(*MainForm, prefix + "main.png");
    done = done && ShootFramed(*MainForm, prefix + "framed-main.png");

    // Columns, rising to the left, smoothed, by area: each a click away from the start.
    for (const char* option : {"RadioButton2", "RadioButton4", "RadioButton6", "RadioButton8"})
        done = done && Click(option);
    auto* list = MethodForm->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    list->setCurrentRow(std::min(1, list->count() - 1));
    Settle();
    done = done && list->currentRow() >= 0 && Click("Button1");
    done = done && Shoot(*MethodForm, prefix + "method.png");
    done = done && Shoot(*PreviewForm, prefix + "preview.png");
    // The wallpaper again with its middle tile outlined.
    auto* outline = PreviewForm->findChild<QAbstractButton*>(QStringLiteral("CheckBox1"));
    done = done && outline != nullptr && outline->isVisible();
    if (done) {
        outline->setChecked(true);
        done = Shoot(*PreviewForm, prefix + "preview-outline.png");
        done = done && ShootFramed(*MethodForm, prefix + "framed-method.png");
        done = done && ShootFramed(*PreviewForm, prefix + "framed-preview.png");
        outline->setChecked(false);
    }

    done = done && Click("Button2") && !MethodForm->ResultWindows().empty();
    if (done) {
        TFinalForm& result = *MethodForm->ResultWindows().back();
        result.findChild<QAction*>(QStringLiteral("KView9"))->trigger();
        Settle();
        done = Shoot(result, prefix + "result-9.png");
        done = done && ShootFramed(result, prefix + "framed-result.png");
        // Zoomed: the nine tiles at half size, the picture alone at twice its size.
        const auto choose = [&result](const char* item) {
            result.findChild<QAction*>(QString::fromLatin1(item))->trigger();
            Settle();
        };
        choose("KView50");
        done = done && Shoot(result, prefix + "result-9-50.png");
        choose("KView1");
        choose("KView200");
        done = done && Shoot(result, prefix + "result-1-200.png");
        choose("KView100");
        // The View menu open, with its view and zoom items.
        auto* viewMenu = result.findChild<QMenu*>(QStringLiteral("KView"));
        viewMenu->popup(result.mapToGlobal(QPoint(0, 0)));
        done = done && Shoot(*viewMenu, prefix + "result-view-menu.png");
        viewMenu->close();
        result.SaveResultAs((prefix + "result.bmp").toStdString());
        result.SaveResultAs((prefix + "result.png").toStdString());
        result.findChild<QAction*>(QStringLiteral("KFileClipboard"))->trigger();
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QPixmap whole = screen->grabWindow(0);
        done = done && whole.save(prefix + "screen.png");
    }

    if (!icon.empty()) {
        MainForm->Presenter().OpenFile(icon);
        Settle();
        done = done && Shoot(*MainForm, prefix + "main-icon.png");
    }
    if (!large.empty()) {
        MainForm->Presenter().OpenFile(large);
        Settle();
        done = Shoot(*MainForm, prefix + "large-main.png") && done;
        done = ShootLargeResult(windows.State().PatternEngine, prefix) && done;
        if (QScreen* screen = QGuiApplication::primaryScreen())
            done = screen->grabWindow(0).save(prefix + "large-screen.png") && done;
    }

    MainForm->close();
    return done ? 0 : 1;
}
