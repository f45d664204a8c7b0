#include "shell/BackgroundThread.h"

#include <utility>

namespace slanter {

BackgroundThread::BackgroundThread(std::function<std::string(BackgroundControl&)> work)
    : shared_(std::make_shared<Shared>()) {
    worker_ = std::thread([shared = shared_, work = std::move(work)] {
        shared->answer = work(shared->control);
        shared->finished.store(true);
    });
}

BackgroundThread::~BackgroundThread() {
    if (worker_.joinable())
        Finish();
}

std::string BackgroundThread::Finish() {
    if (!Finished())
        shared_->control.cancelled = true;
    if (worker_.joinable())
        worker_.join();
    return shared_->answer;
}

} // namespace slanter
