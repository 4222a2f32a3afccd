// Fuzz target: the verifier on any bytes as an upload file, its format given or not. It throws
// nothing; every finding is one line of plain ASCII on a line and field of the file; the counts
// agree with the findings; and a file's own format, given, finds the same.
#include <algorithm>
#include <exception>

#include "payments/upload_text.h"
#include "payments/upload_verifier.h"
#include "tests/support/fuzz_check.h"
#include "tests/support/fuzz_input.h"

namespace {

using Problems = std::vector<std::string>;

constexpr int kMostFields = 85;

bool IsOneAsciiLine(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

// A finding's field is one of its line, or one that a record's layout has beyond a short line.
void CheckFindings(const VerifyReport& report, const UploadText& text, Problems& problems) {
    const std::size_t lines = text.lines.size();
    if (report.lines != lines) problems.push_back(std::to_string(report.lines) + " lines, read " + std::to_string(lines));
    for (const Finding& f : report.findings) {
        const std::string where = std::to_string(f.line) + ":" + std::to_string(f.field) + ": ";
        if (f.line < 1 || f.line > std::max<std::size_t>(lines, 1)) {
            problems.push_back(where + "no such line");
            continue;
        }
        SplitLine split;
        if (lines) SplitUploadLine(text.lines[f.line - 1].text, text.separator, split);
        const std::size_t fields = split.fields.size();
        if (f.field < 0 || static_cast<std::size_t>(f.field) > std::max<std::size_t>(fields, kMostFields))
            problems.push_back(where + "no such field");
        if (!IsOneAsciiLine(f.text)) problems.push_back(where + "not one line of ASCII: " + f.text);
    }
    if (report.payments > 0 && report.total.find('.') != report.total.size() - 3)
        problems.push_back("a total of " + report.total);
}

std::string Described(const VerifyReport& report) {
    std::string out;
    for (const Finding& f : report.findings) out += std::to_string(f.line) + ":" + std::to_string(f.field) + ":" + f.text + "\n";
    return out;
}

}  // namespace

std::vector<std::string> FuzzCheck(std::string_view input) {
    Problems problems;
    try {
        FuzzInput in(input);
        VerifyOptions options;
        const unsigned format = in.Below(5);
        if (format < 4) options.format = static_cast<PaymentFormat>(format);
        options.today = 46357 + in.Below(60);  // from 1 December 2026
        const std::string bytes = in.Rest();
        const VerifyReport report = VerifyUploadFile(bytes, options);
        CheckFindings(report, ReadUploadText(bytes), problems);
        if (!options.format && report.format) {
            options.format = report.format;
            if (Described(VerifyUploadFile(bytes, options)) != Described(report))
                problems.push_back("its own format given, the file verifies otherwise");
        }
    } catch (const std::exception& e) {
        problems.push_back(std::string("escaped: ") + e.what());
    }
    return problems;
}
