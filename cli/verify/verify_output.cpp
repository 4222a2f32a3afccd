#include "cli/verify/verify_output.h"

#include "cli/export/stand_ins.h"
#include "cli/shared/json_text.h"
#include "payments/written_fields.h"

namespace cli {

namespace {

const char* SeverityName(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

const char* FormatText(const VerifyReport& report) {
    return report.format ? FormatInfo(*report.format).commandLineName : nullptr;
}

// Each byte as the character of the same value.
std::u16string Latin1(const std::string& text) {
    std::u16string wide;
    for (const char c : text) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    return wide;
}

// A name from the command line: UTF-8 natively, the ANSI code page in the Windows build; bytes
// that are neither stand for themselves.
void AppendJsonCommandLineText(std::string& out, const std::string& name) {
    const auto text = ArgumentText(name);
    AppendJsonUtf16(out, text ? *text : Latin1(name));
}

}  // namespace

std::string FindingLine(const std::string& file, const Finding& finding) {
    std::string line = file + ':' + std::to_string(finding.line);
    if (finding.field > 0) line += ':' + std::to_string(finding.field);
    return line + ": " + SeverityName(finding.severity) + ": " + finding.text + '\n';
}

std::string SummaryLine(const std::string& file, const VerifyReport& report) {
    const char* format = FormatText(report);
    return file + ": " + (format ? format : "format unknown") + ", " + Counted(report.lines, "line", "lines") + ", " +
           Counted(report.payments, "payment", "payments") + ", total " + report.total + ": " +
           Counted(report.Count(Severity::Error), "error", "errors") + ", " +
           Counted(report.Count(Severity::Warning), "warning", "warnings") + '\n';
}

void VerifyJson::BeginFile(const std::string& file) {
    files_ += files_.empty() ? "\n  {\"file\": " : ",\n  {\"file\": ";
    AppendJsonCommandLineText(files_, file);
}

void VerifyJson::Add(const std::string& file, const VerifyReport& report) {
    BeginFile(file);
    const char* format = FormatText(report);
    files_ += std::string(", \"format\": ") + (format ? '"' + std::string(format) + '"' : "null");
    files_ += ", \"lines\": " + std::to_string(report.lines) + ", \"payments\": " + std::to_string(report.payments) +
              ", \"total\": \"" + report.total + "\", \"errors\": " + std::to_string(report.Count(Severity::Error)) +
              ", \"warnings\": " + std::to_string(report.Count(Severity::Warning)) + ", \"findings\": [";
    for (std::size_t i = 0; i < report.findings.size(); ++i) {
        const Finding& finding = report.findings[i];
        files_ += i == 0 ? "\n    " : ",\n    ";
        files_ += "{\"line\": " + std::to_string(finding.line) +
                  ", \"field\": " + (finding.field > 0 ? std::to_string(finding.field) : "null") +
                  ", \"severity\": \"" + SeverityName(finding.severity) + "\", \"text\": ";
        AppendJsonUtf16(files_, Latin1(finding.text));
        files_ += '}';
    }
    files_ += report.findings.empty() ? "]}" : "\n  ]}";
    errors_ += report.Count(Severity::Error);
    warnings_ += report.Count(Severity::Warning);
}

void VerifyJson::AddUnreadable(const std::string& file, const std::string& reason) {
    BeginFile(file);
    files_ += ", \"unreadable\": ";
    AppendJsonCommandLineText(files_, reason);
    files_ += '}';
}

std::string VerifyJson::Text() const {
    return "{\"files\": [" + files_ + (files_.empty() ? "" : "\n") + "], \"errors\": " + std::to_string(errors_) +
           ", \"warnings\": " + std::to_string(warnings_) + "}\n";
}

}  // namespace cli
