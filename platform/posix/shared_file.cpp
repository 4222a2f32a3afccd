#include "platform/shared_file.h"
#include "platform/lock_retry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {


// A file descriptor, given back as a held lock is.
using UniqueDescriptor = UniqueResource<LockTraits>;

std::string SystemReason() { return std::strerror(errno); }

// Asks for large pages under a buffer of megabytes: filling it page by page of 4 KB costs more than
// reading the file into it. Only a hint: without it the buffer works as well.
void AdviseLargePages(char* data, std::size_t size) {
    constexpr std::uintptr_t kPage = 4096;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kPage - 1);
#ifdef MADV_HUGEPAGE  // Linux's
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

void LockTraits::Close(Handle handle) noexcept { ::close(static_cast<int>(handle)); }

WholeFile ReadWholeFile(const std::string& path) {
    WholeFile file;
    const UniqueDescriptor in(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.IsEmpty()) {
        file.state = errno == ENOENT ? WholeFile::State::Missing : WholeFile::State::Failed;
        file.reason = SystemReason();
        return file;
    }
    const int descriptor = static_cast<int>(in.Get());
    // Read straight into room for the whole file, and a byte more so that its end is seen without
    // growing: a history runs to megabytes.
    struct stat status {};
    const std::size_t expected = ::fstat(descriptor, &status) == 0 && status.st_size > 0 ? static_cast<std::size_t>(status.st_size) : 0;
    file.bytes.reserve(expected + 1);
    AdviseLargePages(file.bytes.data(), file.bytes.capacity());
    file.bytes.resize(expected + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == file.bytes.size()) file.bytes.resize(2 * filled);
        const ssize_t got = ::read(descriptor, &file.bytes[filled], file.bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            file.state = WholeFile::State::Failed;
            file.reason = SystemReason();
            file.bytes.clear();
            return file;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    file.bytes.resize(filled);
    file.state = WholeFile::State::Read;
    return file;
}

bool ReplaceWholeFile(const std::string& path, const std::vector<std::string_view>& pieces, std::string& reason) {
    const std::string aside = path + ".new";
    bool written = false;
    {
        const UniqueDescriptor out(::open(aside.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (out.IsEmpty()) {
            reason = SystemReason();
            return false;
        }
        const int descriptor = static_cast<int>(out.Get());
        written = std::all_of(pieces.begin(), pieces.end(), [&](std::string_view piece) { return WriteAll(descriptor, piece); }) &&
                  ::fsync(descriptor) == 0;
        if (!written) reason = SystemReason();
    }
    if (written && std::rename(aside.c_str(), path.c_str()) == 0) return true;
    if (written) reason = SystemReason();
    std::remove(aside.c_str());
    return false;
}

bool RandomBytes(std::uint8_t* bytes, std::size_t size) {
    const UniqueFile source(std::fopen("/dev/urandom", "rb"));
    return source && std::fread(bytes, 1, size, source.Get()) == size;
}

LockAttempt LockFile(const std::string& path, std::chrono::milliseconds wait) {
    LockAttempt attempt;
    int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A lock file another user made may be theirs to write: reading it is enough to lock it.
    if (descriptor < 0 && errno == EACCES) descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        attempt.reason = SystemReason();
        return attempt;
    }
    FileLock held(descriptor);
    const LockTry result = TryToLock(wait, [&] {
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) return LockTry::Locked;
        if (errno == EWOULDBLOCK || errno == EINTR) return LockTry::Busy;
        attempt.reason = SystemReason();
        return LockTry::Failed;
    });
    if (result == LockTry::Locked) attempt.lock = std::move(held);
    attempt.busy = result == LockTry::Busy;
    return attempt;
}

}  // namespace platform
