#include "platform/shared_file.h"
#include "platform/lock_retry.h"

#include <windows.h>
#include <ntsecapi.h>

#include <algorithm>

namespace platform {
namespace {


// Any file handle, given back as a held lock is.
using UniqueFileHandle = UniqueResource<LockTraits>;

std::intptr_t AsHandleValue(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<std::intptr_t>(handle);
}

HANDLE AsHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

// The system's text for an error, without its line end.
std::string SystemReason(DWORD error = ::GetLastError()) {
    char text[512] = {};
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                          text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
    return reason.empty() ? "error " + std::to_string(error) : reason;
}

// Other processes may read, replace and lock the files meanwhile: each keeps them open briefly.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

void LockTraits::Close(Handle handle) noexcept { ::CloseHandle(AsHandle(handle)); }

WholeFile ReadWholeFile(const std::string& path) {
    WholeFile file;
    const UniqueFileHandle in(AsHandleValue(
        ::CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (in.IsEmpty()) {
        const DWORD error = ::GetLastError();
        file.state = error == ERROR_FILE_NOT_FOUND ? WholeFile::State::Missing : WholeFile::State::Failed;
        file.reason = SystemReason(error);
        return file;
    }
    // Read straight into room for the whole file, and a byte more so that its end is seen without
    // growing: a history runs to megabytes.
    LARGE_INTEGER size{};
    const std::size_t expected =
        ::GetFileSizeEx(AsHandle(in.Get()), &size) && size.QuadPart > 0 ? static_cast<std::size_t>(size.QuadPart) : 0;
    file.bytes.resize(expected + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == file.bytes.size()) file.bytes.resize(2 * filled);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(file.bytes.size() - filled, 1u << 20));
        DWORD got = 0;
        if (!::ReadFile(AsHandle(in.Get()), &file.bytes[filled], chunk, &got, nullptr)) {
            file.state = WholeFile::State::Failed;
            file.reason = SystemReason();
            file.bytes.clear();
            return file;
        }
        if (got == 0) break;
        filled += got;
    }
    file.bytes.resize(filled);
    file.state = WholeFile::State::Read;
    return file;
}

bool ReplaceWholeFile(const std::string& path, const std::vector<std::string_view>& pieces, std::string& reason) {
    const std::string aside = path + ".new";
    bool written = false;
    {
        const UniqueFileHandle out(AsHandleValue(
            ::CreateFileA(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
        if (out.IsEmpty()) {
            reason = SystemReason();
            return false;
        }
        const HANDLE handle = AsHandle(out.Get());
        written = std::all_of(pieces.begin(), pieces.end(), [&](std::string_view piece) { return WriteAll(handle, piece); }) &&
                  ::FlushFileBuffers(handle);
        if (!written) reason = SystemReason();
    }
    if (written && ::MoveFileExA(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (written) reason = SystemReason();
    ::DeleteFileA(aside.c_str());
    return false;
}

bool RandomBytes(std::uint8_t* bytes, std::size_t size) {
    return RtlGenRandom(bytes, static_cast<ULONG>(size)) != FALSE;
}

LockAttempt LockFile(const std::string& path, std::chrono::milliseconds wait) {
    LockAttempt attempt;
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    // A lock file another user made may be theirs to write: reading it is enough to lock it.
    if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED)
        handle = ::CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        attempt.reason = SystemReason();
        return attempt;
    }
    FileLock held(AsHandleValue(handle));
    const LockTry result = TryToLock(wait, [&] {
        OVERLAPPED start{};
        if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start))
            return LockTry::Locked;
        const DWORD error = ::GetLastError();
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return LockTry::Busy;
        attempt.reason = SystemReason(error);
        return LockTry::Failed;
    });
    if (result == LockTry::Locked) attempt.lock = std::move(held);
    attempt.busy = result == LockTry::Busy;
    return attempt;
}

}  // namespace platform
