#pragma once

#include <functional>
#include <string>

namespace slanter {

// The file a save writes first: a new file in the folder of the file the user named,
// which replaces that file only at the end, flushed to disk and renamed into place, so
// that a failed or interrupted save never leaves a partial file at the user's path (an
// existing one stays as it was) nor the temporary beside it. A path that is a symbolic
// link is written where the link points, the link kept; a loop of links is refused. An
// existing path must be a regular file its user may write (on Windows: not marked
// read-only), whose permission bits the new file takes; a pipe, a device or a folder is
// refused.
class TemporaryBeside {
  public:
    explicit TemporaryBeside(const std::string& asked);
    // Removes the temporary unless it has replaced the user's file.
    ~TemporaryBeside();
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;

    // Why there is no temporary to write, the system's reason where it gives one; empty
    // when there is one.
    const std::string& Refusal() const { return refusal_; }
    const std::string& Name() const { return temporary_; }

    // Flushes the written temporary to disk, asks keepGoing (false answers kWriteStopped)
    // and renames it onto the user's file. Answers the reason for a failure, empty on
    // success; the temporary is gone either way.
    std::string ReplaceAsked(const std::function<bool()>& keepGoing);

    // text, with the user's file named wherever it names the temporary: the user never
    // asked for that one.
    std::string NamingAsked(std::string text) const;

  private:
    std::string asked_;
    std::string path_; // where the file goes: asked_, or where its links lead
    std::string temporary_;
    std::string refusal_;
#ifndef _WIN32
    int descriptor_ = -1; // kept open for the flush
#endif
};

} // namespace slanter
