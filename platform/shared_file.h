#pragma once
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/unique_resource.h"

namespace platform {

// Files that the payment runs of every user of the machine share, beside BANKSERV.INI: read
// whole, replaced whole, and guarded by a lock between processes.

struct WholeFile {
    enum class State { Read, Missing, Failed } state = State::Missing;
    std::string bytes;
    std::string reason;  // why it failed, in the system's words
};

// The bytes of `path`; Missing when there is no such file, Failed when there is one that cannot be
// read (a folder of that name, no permission).
WholeFile ReadWholeFile(const std::string& path);

// Replaces `path` with `pieces`, one after the other, in one step: they are written to `path`.new,
// flushed to the disk and then renamed over `path`, so that a crash leaves the old file or the new
// one, never a mix. On failure the old file stays, `reason` says why, and the result is false.
// Pieces spare a caller that keeps most of a large file the copy of it into one buffer.
bool ReplaceWholeFile(const std::string& path, const std::vector<std::string_view>& pieces, std::string& reason);

inline bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string& reason) {
    return ReplaceWholeFile(path, std::vector<std::string_view>{bytes}, reason);
}

// Fills `size` bytes from the system's cryptographic random source; false when it gives none.
bool RandomBytes(std::uint8_t* bytes, std::size_t size);

// The held lock of a lock file: the system's handle, given back when the holder goes or its
// process ends.
struct LockTraits {
    using Handle = std::intptr_t;
    static Handle Empty() noexcept { return -1; }
    static bool IsEmpty(Handle handle) noexcept { return handle == -1; }
    static void Close(Handle handle) noexcept;
};
using FileLock = UniqueResource<LockTraits>;

struct LockAttempt {
    FileLock lock;       // empty when not locked
    bool busy = false;   // another process held the lock all the time
    std::string reason;  // otherwise why the lock file cannot be opened or locked, in the system's words
};

// An exclusive lock on the lock file `path`, made when missing and never removed (removing it
// would let two runs lock two different files), tried until `wait` has passed.
LockAttempt LockFile(const std::string& path, std::chrono::milliseconds wait);

}  // namespace platform
