#include "payments/repeat_check.h"

#include <algorithm>

#include "common/written_date.h"
#include "options/payment_list_rows.h"
#include "payments/run_message_caption.h"
#include "platform/message_box.h"

namespace {

// Findings beyond these are counted, not listed: the box must fit the screen.
constexpr std::size_t kListedFindings = 10;
constexpr std::size_t kListedLines = 5;

std::string OrElse(const std::string& text, const char* none) { return text.empty() ? none : text; }

// "line 7", "lines 7 and 9", "lines 3, 5, 9, 11, 12 and 40 more".
std::string DamagedLines(const std::vector<std::size_t>& lines) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    const std::size_t listed = std::min(lines.size(), kListedLines);
    for (std::size_t i = 0; i < listed; ++i) {
        if (i > 0) text += i + 1 < listed || lines.size() > listed ? ", " : " and ";
        text += std::to_string(lines[i]);
    }
    if (lines.size() > listed) text += " and " + std::to_string(lines.size() - listed) + " more";
    return text;
}

std::string DamageNotice(const std::string& history, const std::vector<std::size_t>& lines) {
    const bool one = lines.size() == 1;
    return "The payment history " + history + (one ? " has a damaged line, which was skipped: " : " has damaged lines, which were skipped: ") +
           DamagedLines(lines) + ".\r\n\r\nThe other payments in it are compared as usual. " +
           (one ? "The damaged line is" : "The damaged lines are") + " left out when the history is next written.";
}

std::string UnusableNotice(const std::string& history, const std::string& reason) {
    return "The payment history " + history + " cannot be used: " + reason +
           ".\r\n\r\nThe payments are not compared with those written before; payments repeated within this run "
           "are still looked for. Whoever looks after this machine can look into it.";
}

std::string UnrecordedNotice(const std::string& history, const std::string& file, const std::string& reason) {
    return "The payments of " + file + " cannot be recorded in the payment history " + history + ": " + reason +
           ".\r\n\r\nThe file is written. Later payment runs will not warn if they repeat these payments.";
}

std::vector<std::string> IdentityTexts(const std::vector<WrittenPayment>& written) {
    std::vector<std::string> texts;
    texts.reserve(written.size());
    for (const WrittenPayment& payment : written) texts.push_back(IdentityText(payment.identity));
    return texts;
}

}  // namespace

RepeatCheck::RepeatCheck(std::optional<int> days, const std::string& settingsFolder, double today) {
    if (days) history_.emplace(settingsFolder, *days, today);
}

void RepeatCheck::Tell(const std::string& text) {
    if (told_) return;
    told_ = true;
    platform::ShowMessageBox({platform::ActiveWindow(), text, kRunMessageCaption, platform::MessageIcon::Warning,
                              platform::MessageButtons::Ok});
}

std::vector<DuplicateFinding> RepeatCheck::Find(Payments& payments, const PaymentOptions& options) {
    if (!history_) return {};
    written_ = WrittenIdentities(payments, options);
    const HistoryLookup lookup = history_->Find(IdentityTexts(written_));
    if (lookup.failure) {
        Tell(UnusableNotice(history_->Path(), *lookup.failure));
    } else if (!lookup.damagedLines.empty()) {
        Tell(DamageNotice(history_->Path(), lookup.damagedLines));
    }
    std::vector<std::optional<WrittenBefore>> before;
    before.reserve(lookup.found.size());
    for (const std::optional<PastWrite>& past : lookup.found) {
        before.push_back(past ? std::optional(WrittenBefore{past->file, past->writtenOn}) : std::nullopt);
    }
    return FindDuplicates(written_, before);
}

bool RepeatCheck::WriteAnyway(Payments& payments, const PaymentOptions& options) {
    const std::vector<DuplicateFinding> findings = Find(payments, options);
    if (findings.empty()) return true;
    platform::MessageBoxRequest question{platform::ActiveWindow(), RepeatQuestion(findings, payments),
                                         kRunMessageCaption, platform::MessageIcon::Warning,
                                         platform::MessageButtons::YesNo};
    question.defaultButton = platform::DefaultButton::Second;
    return platform::ShowMessageBox(question) == platform::MessageAnswer::Yes;
}

void RepeatCheck::Record(const PaymentOptions& options, const std::string& outputPath, const PaymentFileOutcome& outcome) {
    using Failure = PaymentFileOutcome::Failure;
    // A file that could not be opened or written holds no payment.
    if (!history_ || written_.empty() || outcome.failure == Failure::OpenFailed || outcome.failure == Failure::WriteFailed)
        return;
    if (const auto failure = history_->Record(IdentityTexts(written_), options.processingDate, outputPath))
        Tell(UnrecordedNotice(history_->Path(), outputPath, *failure));
}

std::string FindingText(const DuplicateFinding& finding, Payments& payments, int firstNumber) {
    const PaymentListRow row = PaymentListRowAt(payments, finding.payment);
    std::string text = "payment " + std::to_string(finding.payment + firstNumber) + " (" +
                       OrElse(row.sortCode, "no sort code") + ", " + OrElse(row.accountNumber, "no account number") +
                       ", " + OrElse(row.amount, "no amount") + ", " + OrElse(row.reference, "no reference") + "): ";
    if (finding.written)
        return text + "written to " + finding.written->file + " on " + FormatSlashedDate(finding.written->writtenOn).value_or("?");
    return text + "the same as payment " + std::to_string(*finding.sameAs + firstNumber);
}

std::string RepeatQuestion(const std::vector<DuplicateFinding>& findings, Payments& payments) {
    std::string text = "These payments look like payments made twice:\r\n\r\n";
    const std::size_t listed = std::min(findings.size(), kListedFindings);
    for (std::size_t i = 0; i < listed; ++i) {
        std::string line = FindingText(findings[i], payments, 1);
        line[0] = 'P';
        text += line + "\r\n";
    }
    if (findings.size() > listed) text += "and " + std::to_string(findings.size() - listed) + " more\r\n";
    return text +
           "\r\nYes writes the file with every payment in it. No writes nothing, so that you can take the repeated "
           "payments out in the accounting application and run the payments again.\r\n\r\nWrite the file anyway?";
}
