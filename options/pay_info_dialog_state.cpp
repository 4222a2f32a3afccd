#include "options/pay_info_dialog_state.h"

#include <utility>

#include "options/calendar.h"

PayInfoDialogState::PayInfoDialogState(Payments& payments, CString templateName, CString beneficiaryReference)
    : m_payments(payments),
      m_offeredTemplate(std::move(templateName)),
      m_offeredBeneficiaryReference(std::move(beneficiaryReference)) {}

void PayInfoDialogState::StartAt(double now) { m_processingDate = NextAvailableProcessingDate(now); }

void PayInfoDialogState::SelectFormat(PaymentFormat format) {
    if (format != m_format) m_changesMade = true;
    m_format = format;
}

void PayInfoDialogState::DateChanged(double date) {
    if (date != m_processingDate) m_changesMade = true;
    m_processingDate = date;
}

CString PayInfoDialogState::TemplateBoxText() const {
    return Rules().usesTemplate ? m_offeredTemplate : CString();
}

CString PayInfoDialogState::BeneficiaryReferenceBoxText() const {
    return Rules().usesBeneficiaryReference ? m_offeredBeneficiaryReference : CString();
}

bool PayInfoDialogState::MarkSelected(const std::vector<std::int32_t>& paymentIndexes, bool mark) {
    if (paymentIndexes.empty()) return false;
    m_changesMade = true;
    for (const std::int32_t index : paymentIndexes) {
        // The host's failures here are not the user's concern: the list shows what stuck.
        try {
            if (auto payment = m_payments.Item(index)) payment->SetStatus(mark ? 1 : 0);
        } catch (...) {
        }
    }
    return true;
}

bool PayInfoDialogState::Confirm(platform::WindowHandle owner, const CString& templateText,
                                 const CString& beneficiaryText) {
    if (!ValidateBankingDate(m_processingDate, owner)) return false;
    if (IsBeyondProcessingHorizon(m_processingDate, owner)) return false;
    m_confirmedTemplate = templateText.Left(kTemplateNameLimit);
    m_confirmedBeneficiaryReference = beneficiaryText.Left(kBeneficiaryReferenceLimit);
    return true;
}

bool PayInfoDialogState::Cancel(platform::WindowHandle owner) {
    if (m_changesMade) {
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
        count = m_payments.Count();
    } catch (...) {
        return;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        try {
            if (auto payment = m_payments.Item(i)) payment->SetStatus(0);
        } catch (...) {
        }
    }
}

PaymentOptions PayInfoDialogState::Options() const {
    PaymentOptions options;
    options.processingDate = m_processingDate;
    options.format = m_format;
    // A box the format disables was empty when OK was pressed; the contract holds even if a
    // caller reads the options without it.
    if (Rules().usesTemplate) options.templateName = m_confirmedTemplate;
    if (Rules().usesBeneficiaryReference) options.beneficiaryReference = m_confirmedBeneficiaryReference;
    return options;
}
