#include "bank/bank_statement_service.h"

STDMETHODIMP CBankStatementService::StatusText(LONG, BSTR* text) {
    return ComMethodGuard([&] { RequireOut(text); });
}

STDMETHODIMP CBankStatementService::ImportStatement(ITeskServiceFilter*, ITeskStatementTransactions*) {
    return ComMethodGuard([] { RaiseHResult(E_NOTIMPL); });
}
