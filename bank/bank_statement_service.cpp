#include "bank/bank_statement_service.h"

#include "bank/host_transactions.h"
#include "bank/statement_account_source.h"
#include "bank/statement_file_choice.h"

namespace {
constexpr LONG kImported = 0;
constexpr LONG kNoFileChosen = 1;
}  // namespace

STDMETHODIMP CBankStatementService::StatusText(LONG, BSTR* text) {
    return ComMethodGuard([&] { RequireOut(text); });
}

STDMETHODIMP CBankStatementService::ImportStatement(ITeskServiceFilter* accountSource,
                                                    ITeskStatementTransactions* transactions) {
    return ComMethodGuard([&] {
        SetResultCode(kImported);
        // Without a list the statement has nowhere to go: fail before the user is asked for a file.
        if (!transactions) RaiseHResult(E_INVALIDARG);
        StatementPathBuffer path{};
        if (!ChooseStatementFile(path)) {
            SetResultCode(kNoFileChosen);
            return;
        }
        HostTransactions list(transactions);
        list.Empty();
        TakeAccountFrom(accountSource, account_);
        ImportStatementFile(path.data(), account_, list);
    });
}
