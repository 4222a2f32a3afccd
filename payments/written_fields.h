#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "payments/record_layouts.h"

// The faults of one field of an upload file as its record's layout defines the field, each in plain
// words that name the damage where the value shows one and say what to do. Empty when the field is
// right. The processing date is judged here by its form only; the calendar judges its day.
std::vector<std::string> FieldFaults(const FieldSpec& field, std::string_view value);

// A value quoted in a finding, in plain ASCII: as it stands when it is a plain word or number,
// otherwise in quotes with escapes.
std::string ShownValue(std::string_view value);

// The character at `at` in plain words ("an apostrophe", "a pound sign in UTF-8", "byte E9"), a UTF-8
// sequence taken whole; `at` moves past it.
std::string CharacterName(std::string_view text, std::size_t& at);

// Appended to the findings of damage done after the file was written.
inline constexpr char kWriteAgain[] = "; write the file again from the payment run rather than editing it";

bool AllDigits(std::string_view text);

// "1 digit", "7 digits": a number and its noun.
std::string Counted(std::size_t n, const char* one, const char* many);
