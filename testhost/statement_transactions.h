#pragma once
// The substitutes for the host's reconciliation list and its transactions.
#include <vector>

#include "testhost/substitute_object.h"

class SubstituteStatementTransaction
    : public SubstituteObject<ITeskStatementTransaction, HostObjectKind::StatementTransaction> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_ITeskStatementTransaction, &InterfaceOf<SubstituteStatementTransaction, ITeskStatementTransaction>},
        {&IID_IDispatch, &InterfaceOf<SubstituteStatementTransaction, ITeskStatementTransaction>},
        {&IID_ISupportErrorInfo, &InterfaceOf<SubstituteStatementTransaction, ISupportErrorInfo>},
    };

    // `ordinal` counts the transactions a list has handed out, from 1.
    explicit SubstituteStatementTransaction(long ordinal)
        : SubstituteObject(L"StatementTransaction#" + std::to_wstring(ordinal)) {}

    STDMETHODIMP SetNumber(VARIANT* number) override;
    STDMETHODIMP SetDate(double date) override;
    STDMETHODIMP SetReference(BSTR reference) override;
    STDMETHODIMP SetDirection(LONG direction) override;
    STDMETHODIMP SetNarrative(BSTR narrative) override;
    STDMETHODIMP SetAmount(double amount) override;

    STDMETHODIMP Reserved1() override { return Respond(1, L"Reserved1()"); }
    STDMETHODIMP Reserved2() override { return Respond(2, L"Reserved2()"); }
    STDMETHODIMP Reserved4() override { return Respond(4, L"Reserved4()"); }
    STDMETHODIMP Reserved6() override { return Respond(6, L"Reserved6()"); }
    STDMETHODIMP Reserved8() override { return Respond(8, L"Reserved8()"); }
    STDMETHODIMP Reserved9() override { return Respond(9, L"Reserved9()"); }
    STDMETHODIMP Reserved10() override { return Respond(10, L"Reserved10()"); }
    STDMETHODIMP Reserved12() override { return Respond(12, L"Reserved12()"); }
    STDMETHODIMP Reserved13() override { return Respond(13, L"Reserved13()"); }
    STDMETHODIMP Reserved14() override { return Respond(14, L"Reserved14()"); }
    STDMETHODIMP Reserved15() override { return Respond(15, L"Reserved15()"); }
    STDMETHODIMP Reserved16() override { return Respond(16, L"Reserved16()"); }
    STDMETHODIMP Reserved17() override { return Respond(17, L"Reserved17()"); }
    STDMETHODIMP Reserved18() override { return Respond(18, L"Reserved18()"); }
    STDMETHODIMP Reserved19() override { return Respond(19, L"Reserved19()"); }
    STDMETHODIMP Reserved20() override { return Respond(20, L"Reserved20()"); }
    STDMETHODIMP Reserved21() override { return Respond(21, L"Reserved21()"); }
    STDMETHODIMP Reserved22() override { return Respond(22, L"Reserved22()"); }
    STDMETHODIMP Reserved23() override { return Respond(23, L"Reserved23()"); }
    STDMETHODIMP Reserved24() override { return Respond(24, L"Reserved24()"); }
    STDMETHODIMP Reserved25() override { return Respond(25, L"Reserved25()"); }
    STDMETHODIMP Reserved26() override { return Respond(26, L"Reserved26()"); }
    STDMETHODIMP Reserved27() override { return Respond(27, L"Reserved27()"); }
    STDMETHODIMP Reserved28() override { return Respond(28, L"Reserved28()"); }
    STDMETHODIMP Reserved29() override { return Respond(29, L"Reserved29()"); }
    STDMETHODIMP Reserved30() override { return Respond(30, L"Reserved30()"); }
    STDMETHODIMP Reserved32() override { return Respond(32, L"Reserved32()"); }
    STDMETHODIMP Reserved33() override { return Respond(33, L"Reserved33()"); }
    STDMETHODIMP Reserved34() override { return Respond(34, L"Reserved34()"); }
    STDMETHODIMP Reserved35() override { return Respond(35, L"Reserved35()"); }
    STDMETHODIMP Reserved36() override { return Respond(36, L"Reserved36()"); }
};

class SubstituteStatementTransactions
    : public SubstituteObject<ITeskStatementTransactions, HostObjectKind::StatementTransactions> {
public:
    static constexpr InterfaceMapEntry kInterfaceMap[] = {
        {&IID_ITeskStatementTransactions, &InterfaceOf<SubstituteStatementTransactions, ITeskStatementTransactions>},
        {&IID_IDispatch, &InterfaceOf<SubstituteStatementTransactions, ITeskStatementTransactions>},
        {&IID_ISupportErrorInfo, &InterfaceOf<SubstituteStatementTransactions, ISupportErrorInfo>},
    };

    SubstituteStatementTransactions() : SubstituteObject(L"StatementTransactions") {}

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(LONG index, ITeskStatementTransaction** transaction) override;
    // Appends a new transaction and hands it out.
    STDMETHODIMP Add(ITeskStatementTransaction** transaction) override;
    STDMETHODIMP Clear() override;
    STDMETHODIMP Reserved5() override { return Respond(5, L"Reserved5()"); }
    STDMETHODIMP Reserved6() override { return Respond(6, L"Reserved6()"); }
    STDMETHODIMP SetBalance(double balance) override;

private:
    std::vector<ComPtr<ITeskStatementTransaction>> transactions_;
    long handedOut_ = 0;
};
