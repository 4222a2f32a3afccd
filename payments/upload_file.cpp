#include "payments/upload_file.h"

UploadFile::UploadFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}

bool UploadFile::Write(std::string_view bytes) {
    if (!file_ || failed_) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.Get()) != bytes.size()) failed_ = true;
    return !failed_;
}

bool UploadFile::Close() {
    if (!file_) return false;
    const bool flushed = std::fflush(file_.Get()) == 0;
    const bool closed = std::fclose(file_.Detach()) == 0;
    return flushed && closed && !failed_;
}
