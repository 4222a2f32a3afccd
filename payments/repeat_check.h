#pragma once
#include <optional>
#include <string>
#include <vector>

#include "options/payment_options.h"
#include "payments/duplicate_findings.h"
#include "payments/payment_file.h"
#include "settings/payment_history.h"

// The check for payments made twice, where an administrator turned it on (DuplicateDays in
// BANKSERV.INI): after the options and before the save dialog, the payments the file would hold
// are compared with one another and with the payment history beside BANKSERV.INI; once the file
// is written, its payments go into the history. While it is off it reads and writes nothing.
//
// The history is shared by every user of the machine: one that cannot be used, or that has damaged
// lines, is told once through a message box and costs only the comparison with earlier runs. The
// user is never stopped by it.
class RepeatCheck {
public:
    // `days` back from the OLE date `today`; nothing: the check is off.
    RepeatCheck(std::optional<int> days, const std::string& settingsFolder, double today);

    // The payments of the run that look paid already, in their order.
    std::vector<DuplicateFinding> Find(Payments& payments, const PaymentOptions& options);

    // The run's step before the save dialog: false when something was found and the user answered
    // No to writing the file anyway (the question's default).
    bool WriteAnyway(Payments& payments, const PaymentOptions& options);

    // The run's step after the file: the payments found by Find go into the history, when the
    // file `outputPath` holds them.
    void Record(const PaymentOptions& options, const std::string& outputPath, const PaymentFileOutcome& outcome);

private:
    void Tell(const std::string& text);

    std::optional<PaymentHistory> history_;
    std::vector<WrittenPayment> written_;
    bool told_ = false;
};

// One finding as the user knows the payment, with the payment numbered from `firstNumber`:
// "payment 4 (20-32-06, 73004521, 1250.00, INV-20931): the same as payment 1".
std::string FindingText(const DuplicateFinding& finding, Payments& payments, int firstNumber);

// The question of the run: up to ten findings, "and N more", and "Write the file anyway?".
std::string RepeatQuestion(const std::vector<DuplicateFinding>& findings, Payments& payments);
