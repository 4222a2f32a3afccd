' Drives the registered component as a late-bound automation client of the host would: by
' ProgID, through IDispatch only. A runtime error would end the script silently, so the last
' line it prints is the marker that the test run looks for.
Option Explicit

Dim failures
failures = 0

' Values must agree in type too: the component's numbers are Longs (CLng).
Sub Check(label, actual, expected)
    If VarType(actual) = VarType(expected) And actual = expected Then
        WScript.Echo "ok   " & label
    Else
        WScript.Echo "FAIL " & label & ": got [" & actual & "] (type " & VarType(actual) & "), expected [" & expected & "]"
        failures = failures + 1
    End If
End Sub

Dim bank, services, service, count, names, key, missing

Set bank = CreateObject("TeskVarrowInternetBanking.Bank")
Check "Bank.Name", bank.Name, "Varrow Online"
Check "Bank.Indicator", bank.Indicator, CLng(1)

Set services = bank.Services
Check "Services.Count", services.Count, CLng(2)

count = 0
names = ""
For Each service In services
    count = count + 1
    names = names & service.Name & ";"
    Check "service " & count & " ResultCode before", service.ResultCode, CLng(0)
    service.ResultCode = -7 * count
    Check "service " & count & " ResultCode after", service.ResultCode, CLng(-7 * count)
Next
Check "For Each visits", count, 2
Check "For Each names", names, "Bank Payment Service;Bank Reconciliation Service;"

Check "payment StatusText(0)", services(0).StatusText(0), "Payment processed successfully."
Check "payment StatusText(29)", services(0).StatusText(29), _
      "Invalid Payee Bank Account Number: the account number must be 8 digits and a numeric value."
Check "statement StatusText(0) is empty", IsEmpty(services(1).StatusText(0)) Or services(1).StatusText(0) = "", True

Check "Item by name", services("Bank Reconciliation Service").Name, "Bank Reconciliation Service"
key = "Bank Payment Service"
Check "Item by name in a variable", services.Item(key).Name, "Bank Payment Service"
Check "Item by number", services.Item(1).Name, "Bank Reconciliation Service"
Check "same service each time", services(0) Is bank.Services(0), True
Check "result codes kept", bank.Services(0).ResultCode, CLng(-7)

On Error Resume Next
Set missing = services(2)
Check "Item(2) error number", Err.Number, 65532
Check "Item(2) error description", Err.Description, "Invalid argument"
Err.Clear
Set missing = services("bank payment service")
Check "Item by wrong-case name error number", Err.Number, 65532
Err.Clear
On Error GoTo 0

If failures = 0 Then
    WScript.Echo "VBSCRIPT CLIENT PASSED"
    WScript.Quit 0
End If
WScript.Echo failures & " checks failed"
WScript.Quit 1
