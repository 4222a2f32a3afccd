#include "testhost/statement_file_chooser.h"

#include <cstring>

#include "host/chooser_block.h"
#include "testhost/bank_configuration.h"

namespace {

constexpr std::size_t kDescriptionSize = 256;

std::wstring BlockText(const unsigned char* block) {
    if (!block) return L"null";
    ChooserBlock received;
    std::memcpy(&received, block, sizeof received);
    bool asPrepared = true;
    for (std::size_t i = offsetof(ChooserBlock, rest); i < kChooserBlockSize; ++i) {
        asPrepared = asPrepared && block[i] == PreparedChooserByte(i);
    }
    return std::wstring(received.recogniser ? L"recogniser set" : L"no recogniser") +
           (asPrepared ? L", rest as prepared" : L", rest changed");
}

void OfferCandidates(const unsigned char* block) {
    ChooserBlock received;
    std::memcpy(&received, block, sizeof received);
    if (!received.recogniser) return;
    for (const std::string& path : State().script.chooserCandidates) {
        char description[kDescriptionSize] = {};
        const int recognised = received.recogniser(description, path.c_str());
        State().Record(L"StatementRecogniser(" + QuotedText(path.c_str()) + L") -> " + std::to_wstring(recognised) +
                       L", " + BufferText(description, kDescriptionSize));
    }
}

}  // namespace

SubstituteStatementFileChooser::~SubstituteStatementFileChooser() {
    if (created_) State().Record(L"StatementFileChooser released");
}

void SubstituteStatementFileChooser::FinalConstruct() {
    if (const auto failure = State().CreationFailure(HostObjectKind::StatementFileChooser)) {
        State().Record(L"StatementFileChooser creation -> " + HResultText(*failure));
        throw static_cast<long>(*failure);
    }
    created_ = true;
    State().Record(L"StatementFileChooser created");
}

STDMETHODIMP SubstituteStatementFileChooser::Choose(unsigned char* chooserBlock) {
    const HRESULT hr = Respond(1, L"Choose(" + BlockText(chooserBlock) + L")");
    if (SUCCEEDED(hr) && chooserBlock) OfferCandidates(chooserBlock);
    return hr;
}

STDMETHODIMP SubstituteStatementFileChooser::GetChosenPath(BSTR* path) {
    return Respond(4, L"GetChosenPath()", [&] {
        const auto& chosen = State().script.chooserPath;
        if (path) *path = chosen ? ::SysAllocString(chosen->c_str()) : nullptr;
        return chosen ? QuotedText(chosen->c_str()) : std::wstring(L"null");
    });
}

STDMETHODIMP SubstituteStatementFileChooser::GetOutcome(LONG* outcome) {
    return Respond(5, L"GetOutcome()", [&] {
        if (outcome) *outcome = State().script.chooserOutcome;
        return NumberText(State().script.chooserOutcome);
    });
}
