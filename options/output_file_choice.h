#pragma once
#include <optional>
#include <string>

// Where payment files go by default, as the host's configuration tells it.
struct PaymentExportLocation {
    std::string fileName;   // up to 1023 characters
    std::string extension;  // up to 3 characters, without the dot
    std::string directory;  // up to 1023 characters, with or without a trailing backslash
};

// The initial full path of the save dialog: the directory and the file name. A directory that does
// not exist (or cannot be searched) is reported in an "Invalid default path" message box and
// replaced by "C:\"; the root of drive A: is accepted without a search result.
std::string ResolveDefaultPaymentPath(const std::string& fileName, const std::string& directory);

// The save dialog's file-type filter: "Payment Files (*.ext)" then "All Files (*.*)", each text
// ended by NUL and the whole by a second NUL; only "All Files (*.*)" without an extension.
std::string PaymentFileFilter(const std::string& extension);

// The save dialog over the active window; the chosen full path, or nothing when cancelled.
std::optional<std::string> ChooseOutputFile(const std::string& extension, const std::string& defaultPath,
                                            const std::string& filter);
