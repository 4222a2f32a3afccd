#include "bank/host_payment_run_parts.h"

#include <array>
#include <cstring>

#include "bank/filter_account.h"
#include "host/bank_name.h"
#include "host/host_classes.h"
#include "options/win32/pay_info_dialog.h"

namespace {

constexpr std::size_t kNameSize = 100;
constexpr std::size_t kPathSize = 1024;
constexpr std::size_t kExtensionSize = 4;

// The text the host put into a buffer, up to its terminator or the buffer's end, whichever
// comes first: a host that leaves a buffer unterminated must not make the run read past it.
template <std::size_t Size>
std::string BufferText(const std::array<char, Size>& buffer) {
    const void* end = std::memchr(buffer.data(), '\0', Size);
    const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - buffer.data()) : Size;
    return std::string(buffer.data(), length);
}

}  // namespace

HostPaymentRunParts::HostPaymentRunParts(ITeskServiceFilter* filter, std::function<void(std::int32_t)> setResultCode)
    : configuration_(HostObject<ITeskBankConfiguration>::Create(kBankConfigurationClassId)),
      filter_(filter),
      setResultCode_(std::move(setResultCode)) {}

PaymentExportLocation HostPaymentRunParts::ExportLocation() {
    auto name = BankNameBuffer<kNameSize>();
    std::array<char, kPathSize> fileName{};
    std::array<char, kExtensionSize> extension{};
    std::array<char, kPathSize> directory{};
    configuration_.Raising([&](ITeskBankConfiguration& configuration) {
        return configuration.GetPaymentExportLocation(name.data(), fileName.data(), extension.data(), directory.data());
    });
    return {BufferText(fileName), BufferText(extension), BufferText(directory)};
}

AccountForKeys HostPaymentRunParts::Account() { return AccountOfFilter(filter_); }

std::optional<PaymentOptions> HostPaymentRunParts::AskOptions(Payments& payments, const CString& templateName,
                                                              const CString& beneficiaryReference,
                                                              const HolidayList& listed) {
    CPayInfoDialog dialog(payments, templateName, beneficiaryReference, listed);
    if (dialog.DoModal(::GetActiveWindow()) != IDOK) return std::nullopt;
    return dialog.Options();
}
