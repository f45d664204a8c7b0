#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "bitmap/FileLayer.h"
#include "bitmap/TemporaryBeside.h"

namespace slanter {

class THandyBitmap;

// A BMP result file written while its rows are computed: each band of final rows goes to
// the temporary file at once, on a thread of its own, and its write to the disk is
// started then, so that the flush before the rename finds little left to wait for. The
// bytes, the temporary file and the rename are WriteResultFile's.
class BandedResultFile {
  public:
    explicit BandedResultFile(const std::string& path);
    // Stops the writing; the temporary goes unless Finish put it in place.
    ~BandedResultFile();
    BandedResultFile(const BandedResultFile&) = delete;
    BandedResultFile& operator=(const BandedResultFile&) = delete;

    // Why the file cannot be written, known before any work; empty when it can.
    const std::string& Refusal() const { return temporary_.Refusal(); }

    // Rows [0, rows) of bitmap, the same record every time, are final and may be written
    // while later rows are filled.
    void RowsDone(THandyBitmap& bitmap, std::int32_t rows);

    // Writes what is left of bitmap, flushes it, asks keepGoing and renames it into place;
    // answers as WriteResultFile.
    std::string Finish(THandyBitmap& bitmap, const std::function<bool()>& keepGoing);

  private:
    void Write();
    // Writes rows up to `rows`; false after a failure.
    bool WriteUpTo(std::int32_t rows);
    void Stop();

    TemporaryBeside temporary_;
    PlatformFile file_;
    THandyBitmap* bitmap_ = nullptr;
    std::mutex mutex_;
    std::condition_variable more_;
    std::int32_t ready_ = 0;   // rows final
    std::int32_t written_ = 0; // rows written, by the writer alone
    bool started_ = false;     // the headers are written
    bool failed_ = false;
    bool stopping_ = false;
    std::thread writer_;
};

} // namespace slanter
