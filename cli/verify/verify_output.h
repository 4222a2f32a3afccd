#pragma once
#include <string>

#include "payments/upload_verifier.h"

namespace cli {

// What `varrow verify` prints for each file.

// FILE:LINE:FIELD: error: TEXT, or FILE:LINE: warning: TEXT for a finding about the whole line.
std::string FindingLine(const std::string& file, const Finding& finding);

// The summary after a file's findings, which never begins with FILE:LINE:
// "FILE: FORMAT, N lines, N payments, total T: N errors, N warnings".
std::string SummaryLine(const std::string& file, const VerifyReport& report);

// --json: every file's report, or why it could not be read, as one JSON document.
class VerifyJson {
public:
    void Add(const std::string& file, const VerifyReport& report);
    void AddUnreadable(const std::string& file, const std::string& reason);
    // The document, ended by a line feed.
    std::string Text() const;

private:
    void BeginFile(const std::string& file);

    std::string files_;
    std::size_t errors_ = 0;
    std::size_t warnings_ = 0;
};

}  // namespace cli
