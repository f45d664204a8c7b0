#include "shell/qt/BackgroundSave.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "shell/BackgroundThread.h"

namespace slanter {

namespace {

// How long a save runs before its progress shows, and how often the window looks.
constexpr int kQuietMilliseconds = 1000;
constexpr int kPollMilliseconds = 50;

} // namespace

std::string RunSaveInBackground(QMainWindow& window, const QString& cancelText,
                                const std::function<std::string(SaveControl&)>& job) {
    BackgroundThread work(job);

    window.setCursor(Qt::BusyCursor);
    auto* bar = new QProgressBar; // owned by the status bar once added
    bar->setRange(0, 1000);
    bar->setTextVisible(false);
    auto* cancel = new QPushButton(cancelText);
    cancel->setObjectName(QStringLiteral("SaveCancel"));
    QObject::connect(cancel, &QPushButton::clicked, [&work] { work.Control().cancelled = true; });
    QStatusBar* foot = window.statusBar();
    foot->addWidget(bar, 1);
    foot->addPermanentWidget(cancel);
    foot->hide();

    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (work.Finished()) {
            loop.quit();
            return;
        }
        if (clock.elapsed() >= kQuietMilliseconds && !foot->isVisible())
            foot->show();
        bar->setValue(work.Control().permille.load());
    });
    poll.start(kPollMilliseconds);
    // Left early only when the program ends: the save is then cancelled and awaited.
    loop.exec();
    const std::string answer = work.Finish();

    poll.stop();
    foot->removeWidget(bar);
    foot->removeWidget(cancel);
    delete bar;
    delete cancel;
    foot->hide();
    window.unsetCursor();
    return answer;
}

} // namespace slanter
