#pragma once
#include <string>
#include <string_view>
#include <vector>

// Properties that reading any content as a statement must keep, whatever it holds:
// - the one-pass splitting, whichever way it sorts the bytes, gives the same count and fields as
//   CountFields and GetField, and sees a NUL byte where there is one;
// - every record read keeps its kept lengths, a finite non-negative amount on one side only, and
//   a date value that is 0 or a whole day the platform can convert;
// - the values handed to a transaction come in the host's order and agree with the record;
// - the same content with CRLF line ends gives the same records (unless the added CR pushes a
//   line or a field over its limit, which then refuses it).
// Returns one line of text per broken property; empty when all hold.
std::vector<std::string> CheckStatementRead(std::string_view content);
