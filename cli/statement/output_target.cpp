#include "cli/statement/output_target.h"

namespace cli {

namespace {

// Large enough that a statement is written in few system calls.
constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

OutputTarget::OutputTarget(std::optional<std::string> path) : path_(std::move(path)) {}

OutputTarget::~OutputTarget() {
    if (path_ && stream_) std::fclose(stream_);
}

std::FILE* OutputTarget::Stream() {
    if (stream_ || failed_) return stream_;
    if (path_) {
        stream_ = std::fopen(path_->c_str(), "wb");
        failed_ = stream_ == nullptr;
    } else {
        stream_ = stdout;
    }
    if (stream_) std::setvbuf(stream_, nullptr, _IOFBF, kBufferSize);
    return stream_;
}

void OutputTarget::Write(std::string_view bytes) {
    std::FILE* const stream = Stream();
    if (stream && std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) failed_ = true;
}

bool OutputTarget::Finish() {
    std::FILE* const stream = Stream();  // an empty output is still written
    if (!stream) return false;
    bool written = std::fflush(stream) == 0 && !std::ferror(stream) && !failed_;
    if (path_) {
        written = std::fclose(stream) == 0 && written;
        stream_ = nullptr;
        failed_ = true;  // nothing more goes to a closed file
    }
    return written;
}

std::string OutputTarget::Name() const { return path_ ? *path_ : "the output"; }

}  // namespace cli
