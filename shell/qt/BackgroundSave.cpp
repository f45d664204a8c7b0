#include "shell/qt/BackgroundSave.h"

#include <memory>
#include <thread>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace slanter {

namespace {

// How long a save runs before its progress shows, and how often the window looks.
constexpr int kQuietMilliseconds = 1000;
constexpr int kPollMilliseconds = 50;

} // namespace

std::string RunSaveInBackground(QMainWindow& window, const QString& cancelText,
                                const std::function<std::string(SaveControl&)>& job) {
    // Shared with the thread, which may outlive this frame only until it is joined below.
    auto control = std::make_shared<SaveControl>();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    auto answer = std::make_shared<std::string>();
    std::thread worker([control, finished, answer, job] {
        *answer = job(*control);
        finished->store(true);
    });

    window.setCursor(Qt::BusyCursor);
    auto* bar = new QProgressBar; // owned by the status bar once added
    bar->setRange(0, 1000);
    bar->setTextVisible(false);
    auto* cancel = new QPushButton(cancelText);
    cancel->setObjectName(QStringLiteral("SaveCancel"));
    QObject::connect(cancel, &QPushButton::clicked, [control] { control->cancelled = true; });
    QStatusBar* foot = window.statusBar();
    foot->addWidget(bar, 1);
    foot->addPermanentWidget(cancel);
    foot->hide();

    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (finished->load()) {
            loop.quit();
            return;
        }
        if (clock.elapsed() >= kQuietMilliseconds && !foot->isVisible())
            foot->show();
        bar->setValue(control->permille.load());
    });
    poll.start(kPollMilliseconds);
    // Left early only when the program ends: the save is then cancelled and awaited.
    loop.exec();
    if (!finished->load())
        control->cancelled = true;
    worker.join();

    poll.stop();
    foot->removeWidget(bar);
    foot->removeWidget(cancel);
    delete bar;
    delete cancel;
    foot->hide();
    window.unsetCursor();
    return *answer;
}

} // namespace slanter
