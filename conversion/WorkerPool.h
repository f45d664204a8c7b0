#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace slanter {

// The machine's cores, at least 1.
int AllCores();

// A few threads that run the parts of one job at a time: part 0 on the calling thread,
// the others on threads of the pool, and Run returns when all parts are done. The
// threads live as long as the pool. A thread the system refuses leaves the pool smaller;
// with none at all the caller runs every part itself.
class WorkerPool {
  public:
    // threads: how many run a job together, the caller included (1 or more).
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int Threads() const { return static_cast<int>(workers_.size()) + 1; }

    // Calls part(0) to part(Threads() - 1), each once, and waits for all of them.
    void Run(const std::function<void(int part)>& part);

  private:
    void Work(int part);

    std::mutex mutex_;
    std::condition_variable started_;
    std::condition_variable finished_;
    const std::function<void(int)>* job_ = nullptr;
    std::uint64_t generation_ = 0; // counts the jobs handed out
    int running_ = 0;              // pool threads still on the current job
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

} // namespace slanter
