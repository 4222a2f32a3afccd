#include "bank/statement_file_choice.h"

#include <cstring>
#include <optional>
#include <string>

#include "bank/statement_recogniser_function.h"
#include "host/bank_name.h"
#include "host/chooser_block.h"
#include "host/generated_interfaces.h"
#include "host/host_classes.h"
#include "platform/code_page.h"
#include "server/host_object.h"

namespace {

constexpr std::size_t kChooserBankNameSize = 100;
// What the chooser's outcome (method 5) says when the user chose a file.
constexpr LONG kFileChosen = 0;

using Chooser = HostObject<ITeskStatementFileChooser>;
using Configuration = HostObject<ITeskBankConfiguration>;

// The configuration fills the block for this bank; the recogniser then goes in front of it.
ChooserBlock PreparedChooserBlock(const Configuration& configuration) {
    auto name = BankNameBuffer<kChooserBankNameSize>();
    ChooserBlock block{};
    configuration.Raising([&](ITeskBankConfiguration& host) {
        return host.PrepareStatementChooser(name.data(), reinterpret_cast<unsigned char*>(&block));
    });
    block.recogniser = &StatementRecogniser;
    return block;
}

// The chosen path as the host gives it, converted with the ANSI code page. The outcome comes first;
// the path is asked for in any case, but its failure counts only when a file was chosen.
std::optional<std::string> ChosenPath(const Chooser& chooser) {
    LONG outcome = kFileChosen;
    chooser.Raising([&](ITeskStatementFileChooser& host) { return host.GetOutcome(&outcome); });
    UniqueBstr chosen;
    const HRESULT pathResult =
        chooser.Unchecked([&](ITeskStatementFileChooser& host) { return host.GetChosenPath(chosen.Receive()); });
    if (FAILED(pathResult)) {
        chosen.Detach();  // not ours to free after a failure
        if (outcome == kFileChosen) RaiseComCallFailure(pathResult, chooser.Get(), IID_ITeskStatementFileChooser);
        // Without a choice the path does not matter.
        ForgetHostFailure();
    }
    if (outcome != kFileChosen) return std::nullopt;
    const auto* text = reinterpret_cast<const char16_t*>(chosen.Get());
    return platform::WideToAnsi(std::u16string_view(text ? text : u"", ::SysStringLen(chosen.Get())));
}

}  // namespace

bool ChooseStatementFile(StatementPathBuffer& path) {
    // Both live until the choice is over: what the configuration put into the block may be its own.
    const Chooser chooser = Chooser::Create(kStatementFileChooserClassId);
    const Configuration configuration = Configuration::Create(kBankConfigurationClassId);
    path.fill('\0');
    ChooserBlock block = PreparedChooserBlock(configuration);
    chooser.Raising(
        [&](ITeskStatementFileChooser& host) { return host.Choose(reinterpret_cast<unsigned char*>(&block)); });
    const std::optional<std::string> chosen = ChosenPath(chooser);
    if (!chosen) return false;
    if (chosen->size() >= path.size()) throw static_cast<unsigned long>(ERROR_FILENAME_EXCED_RANGE);
    std::memcpy(path.data(), chosen->data(), chosen->size());
    return true;
}
