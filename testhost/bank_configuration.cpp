#include "testhost/bank_configuration.h"

#include <algorithm>
#include <cstring>

#include "host/chooser_block.h"

namespace {

constexpr std::size_t kRegisterNameSize = 1024;
constexpr std::size_t kNameSize = 100;
constexpr std::size_t kPathSize = 1024;
constexpr std::size_t kExtensionSize = 4;

// Copies the scripted text into a host buffer of `size` bytes, cut to fit.
void Fill(char* buffer, std::size_t size, const std::optional<std::string>& text) {
    if (!buffer || !text) return;
    const std::size_t length = std::min(text->size(), size - 1);
    std::memcpy(buffer, text->data(), length);
    buffer[length] = '\0';
}

std::wstring Scripted(const std::optional<std::string>& text) { return text ? QuotedText(text->c_str()) : L"-"; }

}  // namespace

unsigned char PreparedChooserByte(std::size_t index) { return static_cast<unsigned char>(0xA5 ^ (index * 7)); }

SubstituteBankConfiguration::~SubstituteBankConfiguration() {
    if (created_) State().Record(L"BankConfiguration released");
}

void SubstituteBankConfiguration::FinalConstruct() {
    if (const auto failure = State().CreationFailure(HostObjectKind::BankConfiguration)) {
        State().Record(L"BankConfiguration creation -> " + HResultText(*failure));
        throw static_cast<long>(*failure);
    }
    created_ = true;
    State().Record(L"BankConfiguration created");
}

STDMETHODIMP SubstituteBankConfiguration::RegisterBank(char* bankName, LONG kind) {
    return Respond(1, L"RegisterBank(" + BufferText(bankName, kRegisterNameSize) + L", " + NumberText(kind) + L")");
}

STDMETHODIMP SubstituteBankConfiguration::PrepareStatementChooser(char* bankName, unsigned char* chooserBlock) {
    return Respond(2, L"PrepareStatementChooser(" + BufferText(bankName, kNameSize) + L", block)", [&] {
        if (chooserBlock) {
            for (std::size_t i = 0; i < kChooserBlockSize; ++i) chooserBlock[i] = PreparedChooserByte(i);
        }
        return std::wstring();
    });
}

STDMETHODIMP SubstituteBankConfiguration::GetPaymentExportLocation(char* bankName, char* fileName, char* extension,
                                                                   char* directory) {
    return Respond(3, L"GetPaymentExportLocation(" + BufferText(bankName, kNameSize) + L")", [&] {
        const HostScript& script = State().script;
        Fill(fileName, kPathSize, script.exportFileName);
        Fill(extension, kExtensionSize, script.exportExtension);
        Fill(directory, kPathSize, script.exportDirectory);
        return Scripted(script.exportFileName) + L", " + Scripted(script.exportExtension) + L", " +
               Scripted(script.exportDirectory);
    });
}
