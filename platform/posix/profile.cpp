// A profile-file stand-in with the section, key and value rules of the Win32 profile calls.
#include "platform/profile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> ReadLines(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

// The name of a "[section]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// Where a section's lines run in a file: [first, last).
struct SectionSpan {
    std::size_t first = 0;
    std::size_t last = 0;
};

std::optional<SectionSpan> FindSection(const std::vector<std::string>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i]);
        if (!name || !SameName(*name, section)) continue;
        SectionSpan span{i + 1, i + 1};
        while (span.last < lines.size() && !SectionName(lines[span.last])) ++span.last;
        return span;
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<std::string>& lines, SectionSpan span, std::string_view key) {
    for (std::size_t i = span.first; i < span.last; ++i) {
        const std::string_view line = lines[i];
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || Trim(line).front() == ';') continue;
        if (SameName(Trim(line.substr(0, equals)), key)) return i;
    }
    return std::nullopt;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool WriteLines(const std::string& file, const std::vector<std::string>& lines) {
    // A new file beside the old one, then renamed over it: a failed write loses nothing.
    const std::string temporary = file + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const auto& line : lines) out << line << "\r\n";
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, file, error);
    if (error) std::remove(temporary.c_str());
    return !error;
}

}  // namespace

// Section and key names are taken without surrounding blanks, when they are looked for and when
// they are written.
std::string ReadProfileValue(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t size, const std::string& file) {
    if (size == 0) return {};
    const auto lines = ReadLines(file);
    std::string value = defaultValue;
    if (const auto span = FindSection(lines, Trim(section))) {
        if (const auto at = FindKey(lines, *span, Trim(key))) {
            const std::string_view line = lines[*at];
            value = std::string(Unquote(Trim(line.substr(line.find('=') + 1))));
        }
    }
    return value.substr(0, size - 1);
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file) {
    const fs::path folder = fs::path(file).parent_path();
    std::error_code error;
    if (file.empty() || (!folder.empty() && !fs::is_directory(folder, error))) return false;
    auto lines = ReadLines(file);
    const std::string name(Trim(section));
    const std::string entry = std::string(Trim(key)) + "=" + value;
    const auto span = FindSection(lines, name);
    if (!span) {
        lines.push_back("[" + name + "]");
        lines.push_back(entry);
    } else if (const auto at = FindKey(lines, *span, Trim(key))) {
        // The key keeps the spelling it has in the file.
        const std::string_view line = lines[*at];
        lines[*at] = std::string(Trim(line.substr(0, line.find('=')))) + "=" + value;
    } else {
        std::size_t end = span->last;
        while (end > span->first && Trim(lines[end - 1]).empty()) --end;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), entry);
    }
    return WriteLines(file, lines);
}

}  // namespace platform
