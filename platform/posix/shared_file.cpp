#include "platform/shared_file.h"
#include "platform/lock_retry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {


// A file descriptor, given back as a held lock is.
using UniqueDescriptor = UniqueResource<LockTraits>;

std::string SystemReason() { return std::strerror(errno); }

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
    const UniqueFile in(std::fopen(path.c_str(), "rb"));
    if (!in) {
        file.state = errno == ENOENT ? WholeFile::State::Missing : WholeFile::State::Failed;
        file.reason = SystemReason();
        return file;
    }
    // Room for the whole file at once: a history runs to megabytes.
    struct stat status {};
    if (::fstat(::fileno(in.Get()), &status) == 0 && status.st_size > 0) file.bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[64 * 1024];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in.Get())) > 0;) file.bytes.append(buffer, got);
    if (std::ferror(in.Get())) {
        file.state = WholeFile::State::Failed;
        file.reason = SystemReason();
        file.bytes.clear();
        return file;
    }
    file.state = WholeFile::State::Read;
    return file;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string& reason) {
    const std::string aside = path + ".new";
    bool written = false;
    {
        const UniqueDescriptor out(::open(aside.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (out.IsEmpty()) {
            reason = SystemReason();
            return false;
        }
        written = WriteAll(static_cast<int>(out.Get()), bytes) && ::fsync(static_cast<int>(out.Get())) == 0;
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
