// Times the result window at a large result and reads the process's memory from /proc:
// the conversion, view 9 (opened, then scrolled across), and the memory left once the
// window is closed. Meant to run on a real display (xvfb-run with a window manager).
//
//     result_view_bench [WIDTH HEIGHT DEPTH PATTERN [WINDOWS]]
//
// Defaults: a 1024 x 768 24-bit picture and pattern 97 by area, its largest result
// (4677 x 6725), in 3 result windows one after another. Figures go to standard output,
// one "name value" a line.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QScrollBar>

#include "bitmap/HandyBitmap.h"
#include "conversion/qt/FinalForm.h"
#include "engine/Slanter.h"
#include "shell/ProgramState.h"
#include "shell/TemporaryPictures.h"

namespace {

using namespace slanter;
using Clock = std::chrono::steady_clock;

// A field of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double StatusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == field + ":") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

// Lets the peak of VmHWM start again from the present memory.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Processes events for a while, so that the window system has mapped and painted.
void Settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Processes what is pending now: the paint that the last step asked for.
void PaintNow() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

THandyBitmap Picture(int width, int height, int depth) {
    THandyBitmap picture;
    picture.NewImage(width, height, depth);
    if (depth <= 8) {
        picture.SetPaletteCount(1 << depth);
        for (int i = 0; i < (1 << depth); ++i)
            picture.SetPaletteColor(i, (i * 37 & 255) | (i * 91 & 255) << 8 | (i * 13 & 255) << 16);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (depth <= 8)
                picture.SetPixelIndex(x, y, (x / 7 + y / 5) % (1 << depth));
            else
                picture.SetPixelColor(x, y, (x & 255) | (y & 255) << 8 | ((x + y) & 255) << 16);
        }
    }
    return picture;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int width = argc > 4 ? std::atoi(argv[1]) : 1024;
    const int height = argc > 4 ? std::atoi(argv[2]) : 768;
    const int depth = argc > 4 ? std::atoi(argv[3]) : 24;
    const int pattern = argc > 4 ? std::atoi(argv[4]) : 97;
    const int windows = argc > 5 ? std::atoi(argv[5]) : 3;

    ProgramState state;
    state.TemporaryFiles = std::make_unique<TemporaryPictures>(UserTemporaryLocation());
    state.WorkingFile = state.TemporaryFiles->WorkingFileName();
    TSlanter& engine = state.PatternEngine;
    {
        THandyBitmap made = Picture(width, height, depth);
        state.TemporaryFiles->Writing(state.WorkingFile);
        if (!made.SaveToFile(state.WorkingFile) ||
            !state.SourceBitmap.LoadFromFile(state.WorkingFile)) {
            std::fprintf(stderr, "cannot write the source picture\n");
            return 1;
        }
    }
    engine.SetSortOnAngle(false);
    engine.SetSourceSize({width, height});
    engine.SetPatternIndex(pattern);
    const TPoint tile = engine.PatternSize(pattern);
    std::printf("source %dx%d %d bits, pattern %d, result %dx%d\n", width, height, depth, pattern,
                tile.X, tile.Y);

    std::printf("rss_start_mb %.0f\n", StatusMegabytes("VmRSS"));
    // Closed windows stay until the end, as they stay with the method window.
    std::vector<std::unique_ptr<TFinalForm>> kept;
    for (int number = 1; number <= windows; ++number) {
        std::printf("window %d\n", number);
        auto form = std::make_unique<TFinalForm>(state);
        auto start = Clock::now();
        form->Window().Convert(number, false);
        std::printf("convert_s %.2f\n", Seconds(start));
        if (!form->isVisible()) {
            std::fprintf(stderr, "the result is not shown\n");
            return 1;
        }
        Settle();
        std::printf("rss_view1_mb %.0f\n", StatusMegabytes("VmRSS"));

        ResetPeak();
        start = Clock::now();
        form->findChild<QAction*>(QStringLiteral("KView9"))->trigger();
        PaintNow();
        std::printf("view9_open_s %.3f\n", Seconds(start));
        Settle();
        std::printf("view9_window %dx%d\n", form->width(), form->height());
        std::printf("rss_view9_mb %.0f\n", StatusMegabytes("VmRSS"));
        std::printf("peak_view9_mb %.0f\n", StatusMegabytes("VmHWM"));

        auto* area = form->findChild<QScrollArea*>(QStringLiteral("ClientArea"));
        QScrollBar* across = area->horizontalScrollBar();
        QScrollBar* down = area->verticalScrollBar();
        double slowest = 0;
        constexpr int kSteps = 20;
        for (int step = 0; step <= kSteps; ++step) {
            const auto before = Clock::now();
            across->setValue(across->maximum() * step / kSteps);
            down->setValue(down->maximum() * (kSteps - step) / kSteps);
            PaintNow();
            slowest = std::max(slowest, Seconds(before));
        }
        std::printf("scroll_ranges %dx%d\n", across->maximum(), down->maximum());
        std::printf("scroll_slowest_step_s %.3f\n", slowest);

        // Closed as the user closes it: the window object stays, as with its owner.
        form->close();
        Settle();
        std::printf("rss_closed_mb %.0f\n", StatusMegabytes("VmRSS"));
        kept.push_back(std::move(form));
    }
    kept.clear();
    return 0;
}
