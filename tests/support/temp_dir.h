#pragma once
#include <filesystem>
#include <string>

// A fresh directory for one test, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of `name` inside the directory, as text for a command line.
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Writes `content` byte for byte to `name` and returns its path.
    std::string Write(const std::string& name, const std::string& content) const;
    // The bytes of `name`.
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::string& path);
