#include "options/pay_info_dialog_state.h"

#include <utility>

#include "options/calendar.h"

PayInfoDialogState::PayInfoDialogState(Payments& payments, CString templateName, CString beneficiaryReference,
                                       HolidayList listed)
    : payments_(payments),
      listed_(std::move(listed)),
      offeredTemplate_(std::move(templateName)),
      offeredBeneficiaryReference_(std::move(beneficiaryReference)) {}

void PayInfoDialogState::StartAt(double now) { processingDate_ = NextAvailableProcessingDate(now, listed_); }

void PayInfoDialogState::SelectFormat(PaymentFormat format) {
    if (format != format_) changesMade_ = true;
    format_ = format;
}

void PayInfoDialogState::DateChanged(double date) {
    if (date != processingDate_) changesMade_ = true;
    processingDate_ = date;
}

CString PayInfoDialogState::TemplateBoxText() const {
    return Rules().usesTemplate ? offeredTemplate_ : CString();
}

CString PayInfoDialogState::BeneficiaryReferenceBoxText() const {
    return Rules().usesBeneficiaryReference ? offeredBeneficiaryReference_ : CString();
}

bool PayInfoDialogState::MarkSelected(const std::vector<std::int32_t>& paymentIndexes, bool mark) {
    if (paymentIndexes.empty()) return false;
    changesMade_ = true;
    for (const std::int32_t index : paymentIndexes) {
        // The host's failures here are not the user's concern: the list shows what stuck.
        try {
            if (auto payment = payments_.Item(index)) payment->SetStatus(mark ? 1 : 0);
        } catch (...) {
        }
    }
    return true;
}

bool PayInfoDialogState::Confirm(platform::WindowHandle owner, const CString& templateText,
                                 const CString& beneficiaryText) {
    if (!ValidateBankingDate(processingDate_, owner, listed_)) return false;
    if (IsBeyondProcessingHorizon(processingDate_, owner)) return false;
    confirmedTemplate_ = templateText.Left(kTemplateNameLimit);
    confirmedBeneficiaryReference_ = beneficiaryText.Left(kBeneficiaryReferenceLimit);
    return true;
}

bool PayInfoDialogState::Cancel(platform::WindowHandle owner) {
    if (changesMade_) {
        const auto answer = platform::ShowMessageBox({owner, "Do you wish to ignore these changes?",
                                                      "Changes have been made", platform::MessageIcon::Question,
                                                      platform::MessageButtons::YesNo});
        if (answer != platform::MessageAnswer::Yes) return false;
    }
    ClearEveryMark();
    return true;
}

void PayInfoDialogState::ClearEveryMark() {
    std::int32_t count = 0;
    try {
        count = payments_.Count();
    } catch (...) {
        return;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        try {
            if (auto payment = payments_.Item(i)) payment->SetStatus(0);
        } catch (...) {
        }
    }
}

PaymentOptions PayInfoDialogState::Options() const {
    PaymentOptions options;
    options.processingDate = processingDate_;
    options.format = format_;
    // A box the format disables was empty when OK was pressed; the contract holds even if a
    // caller reads the options without it.
    if (Rules().usesTemplate) options.templateName = confirmedTemplate_;
    if (Rules().usesBeneficiaryReference) options.beneficiaryReference = confirmedBeneficiaryReference_;
    return options;
}
