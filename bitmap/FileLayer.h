#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace slanter {

// The few platform file calls the bitmap store makes. Readers share a file: any number may
// hold it for reading at once, so that conversions of one picture run side by side. A
// writer holds it alone: a create fails while anyone holds the file, and an open for
// reading fails while a writer holds it, so that no file is read half-written. A read or
// write that the platform refuses counts as one that came short. FileLayerPosix.cpp and
// FileLayerWindows.cpp hold the two platforms' calls.
class PlatformFile {
  public:
    PlatformFile() = default;
    ~PlatformFile();
    PlatformFile(const PlatformFile&) = delete;
    PlatformFile& operator=(const PlatformFile&) = delete;

    // An existing regular file, for reading.
    bool OpenForReading(const std::string& name);
    // A new or emptied file, for reading and writing.
    bool Create(const std::string& name);
    bool IsOpen() const;
    // False when the platform reports at the close that the written data was not kept.
    bool Close();

    // The number of bytes moved; fewer than count means the transfer came short.
    std::size_t Read(void* buffer, std::size_t count);
    std::size_t Write(const void* buffer, std::size_t count);

    // Asks the platform to start writing bytes [offset, offset + count) of the file out to
    // the disk now, without waiting for them, so that a flush at the end finds little
    // left to do. Only a hint: where the platform has no such call, nothing happens.
    void StartWriteBack(std::int64_t offset, std::int64_t count);

    // Size of the open file in bytes; -1 when the platform cannot tell.
    std::int64_t Size() const;
    // Bytes read and written since the file was opened.
    std::int64_t Position() const { return position_; }
    // The system's words (in the run's language where it has them) for the last call
    // that failed or came short; empty when none did.
    std::string FailureReason() const;

  private:
#ifdef _WIN32
    // A HANDLE; null when no file is held.
    bool Hold(void* handle, bool mustBeRegular);
    void* handle_ = nullptr;
#else
    // lock is the flock operation that holds the file: shared or exclusive.
    bool Hold(int fd, bool mustBeRegular, int lock);
    int fd_ = -1;
#endif
    std::int64_t position_ = 0;
    // The platform's error code of the last failure, 0 for none.
    unsigned long lastError_ = 0;
};

} // namespace slanter
