#include "bitmap/BandedResultFile.h"

#include <algorithm>
#include <system_error>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/OutputFile.h"

namespace slanter {

BandedResultFile::BandedResultFile(const std::string& path) : temporary_(path) {}

BandedResultFile::~BandedResultFile() {
    Stop();
}

void BandedResultFile::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    more_.notify_one();
    if (writer_.joinable())
        writer_.join();
}

void BandedResultFile::RowsDone(THandyBitmap& bitmap, std::int32_t rows) {
    if (!Refusal().empty())
        return;
    {
        std::lock_guard lock(mutex_);
        bitmap_ = &bitmap;
        ready_ = std::max(ready_, rows);
    }
    if (!writer_.joinable() && !stopping_) {
        try {
            writer_ = std::thread([this] { Write(); });
        } catch (const std::system_error&) {
            return; // Finish writes it all instead
        }
    }
    more_.notify_one();
}

void BandedResultFile::Write() {
    std::unique_lock lock(mutex_);
    for (;;) {
        more_.wait(lock, [this] { return stopping_ || ready_ > written_; });
        if (failed_ || ready_ <= written_)
            return;
        const std::int32_t rows = ready_;
        lock.unlock();
        const bool written = WriteUpTo(rows);
        lock.lock();
        failed_ = !written;
    }
}

bool BandedResultFile::WriteUpTo(std::int32_t rows) {
    if (!started_) {
        if (!file_.Create(temporary_.Name()) || !bitmap_->StartSave(file_))
            return false;
        started_ = true;
    }
    const std::int64_t from = file_.Position();
    if (!bitmap_->SaveRows(file_, written_, rows))
        return false;
    written_ = rows;
    file_.StartWriteBack(from, file_.Position() - from);
    return true;
}

std::string BandedResultFile::Finish(THandyBitmap& bitmap, const std::function<bool()>& keepGoing) {
    if (!Refusal().empty())
        return Refusal();
    Stop();
    bitmap_ = &bitmap;
    const bool written = !failed_ && WriteUpTo(bitmap.biHeight());
    if (!file_.IsOpen())
        return temporary_.NamingAsked(bitmap_text::kCantCreate + temporary_.Name());
    // A fault the platform only reports at the close is a failed save too.
    const bool closed = file_.Close();
    if (!written)
        return BmpFailure(bitmap, temporary_);
    if (!closed)
        return file_.FailureReason().empty() ? "the file could not be written"
                                             : file_.FailureReason();
    return temporary_.ReplaceAsked(keepGoing);
}

} // namespace slanter
