#include "testhost/host_program.h"

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "cli/export/payment_table.h"

namespace host_program {
namespace {

std::optional<std::wstring> Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::vector<substitute_host::PaymentFields> LoadPaymentList(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string csv((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<substitute_host::PaymentFields> payments;
    for (const PaymentRecord& r : cli::LoadPaymentTable(csv)) {
        substitute_host::PaymentFields p;
        p.value = r.Value;
        p.payerBankBACSReference = Wide(r.PayerBankBACSReference);
        p.payerBankSortCode = Wide(r.PayerBankSortCode);
        p.payerBankAccountNumber = Wide(r.PayerBankAccountNumber);
        p.payerBankAccountName = Wide(r.PayerBankAccountName);
        p.payerBuildingSocietyRollNumber = Wide(r.PayerBuildingSocietyRollNumber);
        p.payeeBankBACSReference = Wide(r.PayeeBankBACSReference);
        p.payeeBankSortCode = Wide(r.PayeeBankSortCode);
        p.payeeBankAccountNumber = Wide(r.PayeeBankAccountNumber);
        p.payeeBankAccountName = Wide(r.PayeeBankAccountName);
        p.payeeBuildingSocietyRollNumber = Wide(r.PayeeBuildingSocietyRollNumber);
        p.reference = Wide(r.Reference);
        p.details = Wide(r.Details);
        p.currency = r.Currency;
        p.date = r.Date;
        p.status = r.Status;
        payments.push_back(std::move(p));
    }
    return payments;
}

std::string PrepareSettingsFile() {
    char folder[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, folder, CSIDL_COMMON_APPDATA, FALSE)) return {};
    const std::filesystem::path settingsFolder = std::filesystem::path(folder) / "TESK" / "Tesk EBanking";
    std::filesystem::create_directories(settingsFolder);
    return (settingsFolder / "BANKSERV.INI").string();
}

}  // namespace host_program
