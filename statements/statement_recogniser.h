#pragma once
#include <string>
#include <string_view>

// What the host's file chooser shows for a file that the recogniser accepts.
constexpr std::string_view kStatementDescription = "Varrow Quidlane Statement";

// The recogniser's decision: the file opens in text mode and its header line has 14 or 18
// fields. Nothing but the header is read.
bool RecognisesStatement(const std::string& path);
