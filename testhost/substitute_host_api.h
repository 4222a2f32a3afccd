#pragma once
// The substitute host's C interface, exported by SubstituteHost.dll. Tests and the demo use it
// through substitute_host.h, which wraps it in C++; the DLL also serves the classes
// BankConfiguration and StatementFileChooser once it is registered (regsvr32).
#include <windows.h>
#include <oaidl.h>

#include "host/generated_interfaces.h"

// The host objects the substitute plays. Methods are numbered as the component calls them: by
// position in the interface's vtable after the seven IUnknown/IDispatch entries, from 1.
enum class HostObjectKind : LONG {
    BankConfiguration = 1,
    StatementFileChooser = 2,
    ServiceFilter = 3,
    FilterAccount = 4,
    StatementTransactions = 5,
    StatementTransaction = 6,
    Payments = 7,
    Payment = 8,
};

// Plain C calling convention, so that the names link the same on i686 and x86_64.
extern "C" {

// Forgets every recorded call and every scripted answer; recording is on.
void SubstituteHostReset();

// Turns recording of calls off (while a test sets up its objects) and on again; returns whether it
// was on before.
BOOL SubstituteHostRecord(BOOL on);

// What BankConfiguration method 3 writes into its three buffers (single-byte text; nullptr
// writes nothing into that buffer).
void SubstituteHostSetExportLocation(const char* fileName, const char* extension, const char* directory);

// What StatementFileChooser answers after Choose: method 5 gives `outcome` (0: a file was
// chosen), method 4 gives `path` (nullptr gives a null BSTR).
void SubstituteHostSetChooserAnswer(LONG outcome, const wchar_t* path);

// A file that Choose offers to the component's recogniser, in order of the calls.
void SubstituteHostAddChooserCandidate(const char* path);

// Makes `method` of every object of `kind` fail with `hr`. With a description the object
// publishes error information and says so through ISupportErrorInfo; without one it publishes
// none and denies supporting it.
void SubstituteHostFailMethod(HostObjectKind kind, LONG method, HRESULT hr, const wchar_t* description);

// Makes creating BankConfiguration or StatementFileChooser fail with `hr`.
void SubstituteHostFailCreation(HostObjectKind kind, HRESULT hr);

// Makes the one call that would be recorded at `position` (counted from 0 since the last reset)
// fail with `hr`, a method call or a creation alike; the description as for SubstituteHostFailMethod.
void SubstituteHostFailCall(LONG position, HRESULT hr, const wchar_t* description);

// How many of the substitute's objects are alive, whoever holds them.
LONG SubstituteHostLiveObjects();

// The calls recorded since the last reset, in order, one line each (the caller frees the BSTR).
LONG SubstituteHostCallCount();
BSTR SubstituteHostCall(LONG index);

// In-process objects the host would hand to the component, each recording what it receives.
// Payments: `count` payments with every property empty and Status 0.
HRESULT SubstituteHostCreatePayments(LONG count, ITeskPayments** payments);
// A filter whose account has this sort code and account number (nullptr gives null BSTRs).
HRESULT SubstituteHostCreateServiceFilter(const wchar_t* sortCode, const wchar_t* accountNumber,
                                                 ITeskServiceFilter** filter);
// An empty reconciliation list.
HRESULT SubstituteHostCreateStatementTransactions(ITeskStatementTransactions** transactions);
}
