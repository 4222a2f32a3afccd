#pragma once
// How the substitute host writes down the arguments it received.
#include <cstddef>
#include <string>
#include <windows.h>
#include <oaidl.h>

// "text" for a wide string; null for a null pointer.
std::wstring QuotedText(const wchar_t* text);
// The same for single-byte text, read up to its terminator.
std::wstring QuotedText(const char* text);
// A fixed-size single-byte buffer: char[size] "text", with "(not zero-filled)" when any byte
// after the text's terminator is not zero.
std::wstring BufferText(const char* buffer, std::size_t size);
// The shortest text that reads back as the same double.
std::wstring NumberText(double value);
std::wstring NumberText(long value);
// VT_I4 12, VT_BSTR "x", ...
std::wstring VariantText(const VARIANT* value);
std::wstring HResultText(HRESULT hr);
