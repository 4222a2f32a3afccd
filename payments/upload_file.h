#pragma once
#include <string>
#include <string_view>

#include "common/unique_resource.h"

// The output file of a payment run, opened in binary mode, created or truncated: the lines carry
// their own CR LF, so every platform writes the same bytes. Remembers whether every write and the
// close succeeded, so that a full disk is never taken for a written file.
class UploadFile {
public:
    explicit UploadFile(const std::string& path);

    bool IsOpen() const noexcept { return !file_.IsEmpty(); }
    // False once any write has failed; nothing more is written after a failure.
    bool Write(std::string_view bytes);
    // Flushes and closes; false when that or any earlier write failed.
    bool Close();

private:
    UniqueFile file_;
    bool failed_ = false;
};
