#include "payments/upload_file.h"

UploadFile::UploadFile(const std::string& path) : m_file(std::fopen(path.c_str(), "wb")) {}

bool UploadFile::Write(std::string_view bytes) {
    if (!m_file || m_failed) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size()) m_failed = true;
    return !m_failed;
}

bool UploadFile::Close() {
    if (!m_file) return false;
    const bool flushed = std::fflush(m_file.get()) == 0;
    const bool closed = std::fclose(m_file.release()) == 0;
    return flushed && closed && !m_failed;
}
