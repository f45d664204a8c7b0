#include "conversion/WorkerPool.h"

#include <algorithm>
#include <system_error>

#include "engine/ExtendedPrecision.h"

namespace slanter {

int AllCores() {
    return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u));
}

WorkerPool::WorkerPool(int threads) {
    for (int part = 1; part < threads; ++part) {
        try {
            workers_.emplace_back([this, part] { Work(part); });
        } catch (const std::system_error&) {
            break; // fewer threads; the work is split among those there are
        }
    }
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    started_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

void WorkerPool::Run(const std::function<void(int part)>& part) {
    if (workers_.empty()) {
        part(0);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        job_ = &part;
        running_ = static_cast<int>(workers_.size());
        ++generation_;
    }
    started_.notify_all();
    part(0);
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return running_ == 0; });
    job_ = nullptr;
}

void WorkerPool::Work(int part) {
    // A new thread may start with the x87 unit at 53 bits; the exact way needs all 64.
    UseExtendedPrecision();
    std::uint64_t seen = 0;
    for (;;) {
        const std::function<void(int)>* job = nullptr;
        {
            std::unique_lock lock(mutex_);
            started_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_)
                return;
            seen = generation_;
            job = job_;
        }
        (*job)(part);
        {
            std::lock_guard lock(mutex_);
            --running_;
        }
        finished_.notify_one();
    }
}

} // namespace slanter
