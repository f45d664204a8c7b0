#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "shell/PlatformServices.h"

namespace slanter {

// Work on a thread of its own, for a window that waits for it while the program's events
// go on: what the two share, and the end of the wait.
class BackgroundThread {
  public:
    explicit BackgroundThread(std::function<std::string(BackgroundControl&)> work);
    // Cancels work that has not finished and waits for it.
    ~BackgroundThread();
    BackgroundThread(const BackgroundThread&) = delete;
    BackgroundThread& operator=(const BackgroundThread&) = delete;

    BackgroundControl& Control() { return shared_->control; }
    bool Finished() const { return shared_->finished.load(); }
    // Waits for the work, cancelled first when it has not finished (the program ends while
    // it runs), and answers its answer.
    std::string Finish();

  private:
    // Shared with the thread, which may outlive the waiting only until it is joined.
    struct Shared {
        BackgroundControl control;
        std::atomic<bool> finished{false};
        std::string answer;
    };
    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};

} // namespace slanter
