#pragma once
// How a failure inside the component reaches its caller: an HRESULT of the form 0x800AFFxx and
// a description published as the thread's error information.
#include <windows.h>
#include <oaidl.h>

// One row of the mapping from internal HRESULTs to what the caller receives.
struct ErrorMapping {
    HRESULT raised;
    const wchar_t* description;
    HRESULT returned;
};

// The mapping, row by row; a value not listed uses row 0.
const ErrorMapping* ErrorMappingBegin() noexcept;
const ErrorMapping* ErrorMappingEnd() noexcept;

// Publishes the description of `hr` and returns the caller's code. DISP_E_EXCEPTION and codes of
// FACILITY_CONTROL are already in the caller's form: they come back unchanged, with nothing
// published.
HRESULT ErrorInfoFromHResult(HRESULT hr) noexcept;

// Publishes the system's text for a Win32 error code and returns 0x800AFFFF.
HRESULT ErrorInfoFromSystemText(DWORD code) noexcept;

// Hands the error object that `creator` built to SetErrorInfo.
void PublishErrorInfo(ICreateErrorInfo* creator) noexcept;
