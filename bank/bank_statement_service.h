#pragma once
// CBankStatementService: the statement service, position 1 of the service list. Its run,
// ImportStatement, brings a downloaded statement into the host's reconciliation.
#include "bank/bank_service_impl.h"
#include "server/class_factory.h"
#include "server/support_error_info.h"
#include "statements/statement_account.h"

class CBankStatementService : public ComObjectRoot,
                              public CoClass<&CLSID_BankStatementService>,
                              public SupportErrorInfoImpl<&IID_IBankStatementService>,
                              public IBankServiceImpl<CBankStatementService, IBankStatementService> {
public:
    static constexpr char kName[] = "Bank Reconciliation Service";

    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_IBankStatementService, &InterfaceOf<CBankStatementService, IBankStatementService>},
        {&IID_ITeskBankStatementService, &InterfaceOf<CBankStatementService, IBankStatementService>},
        {&IID_IDispatch, &InterfaceOf<CBankStatementService, IBankStatementService>},
        {&IID_ISupportErrorInfo, &InterfaceOf<CBankStatementService, ISupportErrorInfo>},
    };

    CBankStatementService() : IBankServiceImpl(kName) {}

    // Statements have no status texts: nothing is written.
    STDMETHODIMP StatusText(LONG code, BSTR* text) override;

    // Lets the user choose a statement file, empties `transactions` and adds one transaction for
    // each record of the account that `accountSource` names. ResultCode: 0, or 1 when no file was
    // chosen.
    STDMETHODIMP ImportStatement(ITeskServiceFilter* accountSource, ITeskStatementTransactions* transactions) override;

private:
    // The reconciled account as the host last gave it; kept for an import whose source gives none.
    StatementAccount account_;
};
