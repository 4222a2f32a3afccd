#include "options/output_file_choice.h"

#include <algorithm>
#include <cctype>

#include "platform/file_search.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"

namespace {

constexpr std::size_t kSearchPatternLimit = 259;  // a 260-character buffer
constexpr std::size_t kDefaultPathLimit = 1023;   // a 1024-character buffer
constexpr std::size_t kMessageLimit = 1023;

bool EndsWithBackslash(const std::string& text) { return !text.empty() && text.back() == '\\'; }

std::string WithBackslash(const std::string& directory) {
    return EndsWithBackslash(directory) ? directory : directory + "\\";
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// Present when the search finds an entry. An empty directory names no place at all, and a
// pattern that does not fit the search buffer cannot be searched: both count as missing.
bool DirectoryIsPresent(const std::string& directory, const std::string& pattern) {
    if (directory.empty() || pattern.size() > kSearchPatternLimit) return false;
    return platform::AnyFileMatches(pattern);
}

void ReportMissingDirectory(const std::string& directory) {
    std::string text = "The default payment directory (" + directory +
                       ") specified does not exist.  Please correct this within configuration for the specified "
                       "banking component. The root directory (C:\\) will be used in the mean time.";
    text.resize(std::min(text.size(), kMessageLimit));
    platform::ShowMessageBox({platform::ActiveWindow(), text, "Invalid default path", platform::MessageIcon::Error,
                              platform::MessageButtons::Ok});
}

std::string CutToDefaultPathLimit(std::string path) {
    path.resize(std::min(path.size(), kDefaultPathLimit));
    return path;
}

}  // namespace

std::string ResolveDefaultPaymentPath(const std::string& fileName, const std::string& directory) {
    const std::string pattern = WithBackslash(directory) + "*.*";
    if (!DirectoryIsPresent(directory, pattern) && !SameTextIgnoringCase(pattern, "A:\\*.*")) {
        ReportMissingDirectory(directory);
        return CutToDefaultPathLimit("C:\\" + fileName);
    }
    return CutToDefaultPathLimit(WithBackslash(directory) + fileName);
}

std::string PaymentFileFilter(const std::string& extension) {
    std::string filter = extension.empty() ? std::string("All Files (*.*)|*.*||")
                                           : "Payment Files (*." + extension + ")|*." + extension +
                                                 "|All Files (*.*)|*.*||";
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter;
}

std::optional<std::string> ChooseOutputFile(const std::string& extension, const std::string& defaultPath,
                                            const std::string& filter) {
    return platform::ShowSaveDialog({platform::ActiveWindow(), defaultPath, filter, extension});
}
