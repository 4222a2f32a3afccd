#include "payments/written_fields.h"

#include <algorithm>
#include <cstdio>

#include "common/shown_text.h"
#include "common/text_conversion.h"
#include "common/written_date.h"
#include "payments/text_rules.h"

namespace {

bool IsLowerAscii(char c) { return c >= 'a' && c <= 'z'; }

// A number as a spreadsheet shows one too long for its column: 1.23456E+13.
bool IsScientific(std::string_view text) {
    const std::size_t e = text.find_first_of("eE");
    if (e == std::string_view::npos || e == 0 || !IsDigit(text[0])) return false;
    std::string_view mantissa = text.substr(0, e);
    std::string_view exponent = text.substr(e + 1);
    if (const std::size_t point = mantissa.find('.'); point != std::string_view::npos) {
        if (!AllDigits(mantissa.substr(point + 1))) return false;
        mantissa = mantissa.substr(0, point);
    }
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.remove_prefix(1);
    return AllDigits(mantissa) && !exponent.empty() && AllDigits(exponent);
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// The code point of a UTF-8 sequence of two to four bytes at `at`, and its length; 0 for none.
std::size_t Utf8Sequence(std::string_view text, std::size_t at, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
    code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    return code < kSmallest[length] ? 0 : length;
}

// The characters people put into payment files by hand or by a program's habit.
const char* KnownName(char32_t code) {
    switch (code) {
        case 0xA3: return "a pound sign";
        case 0x20AC: return "a euro sign";
        case 0xA0: return "a no-break space";
        case 0x2018: case 0x2019: return "a curly apostrophe";
        case 0x201C: case 0x201D: return "a curly quote";
        case 0xFEFF: return "a byte order mark";
        default: return nullptr;
    }
}

// A single byte above 0x7F as Windows-1252 reads it, where that gives a known name.
char32_t Windows1252(unsigned char byte) {
    switch (byte) {
        case 0x80: return 0x20AC;
        case 0x91: return 0x2018;
        case 0x92: return 0x2019;
        case 0x93: return 0x201C;
        case 0x94: return 0x201D;
        default: return byte;
    }
}

std::string AsciiName(char c) {
    switch (c) {
        case '\'': return "an apostrophe";
        case '"': return "a double quote";
        case ',': return "a comma";
        case ';': return "a semicolon";
        case '\t': return "a tab";
        default: break;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return "byte " + Hex(byte, 2);
    return std::string("'") + c + "'";
}

// Digits, and exactly the field's width of them.
std::vector<std::string> DigitsFaults(const FieldSpec& field, const char* name, std::string_view value) {
    if (value.size() == field.width && AllDigits(value)) return {};
    const std::string width = std::to_string(field.width);
    if (value.empty()) return {std::string(name) + " is empty: it must be " + width + " digits"};
    const std::string named = std::string(name) + " " + ShownValue(value);
    if (IsScientific(value))
        return {named + " is in scientific notation: a spreadsheet took it for a number" + kWriteAgain};
    if (!AllDigits(value)) return {named + " is not " + width + " digits"};
    const std::string count = named + " has " + Counted(value.size(), "digit", "digits") + ", not " + width;
    if (value.size() > field.width) return {count};
    return {count + ": a spreadsheet may have dropped a leading zero" + kWriteAgain};
}

// The characters of `value` that `allowed` refuses, by name, each once.
std::string OtherCharacters(std::string_view value, bool (*allowed)(char)) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < value.size();) {
        if (allowed(value[at])) {
            ++at;
            continue;
        }
        std::string name = CharacterName(value, at);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) list += i + 1 < names.size() ? ", " : " and ";
        list += names[i];
    }
    return list;
}

bool IsDigitOrPoint(char c) { return IsDigit(c) || c == '.'; }

// Digits, ".", two digits, and more than nothing.
bool IsRightAmount(std::string_view value) {
    const std::size_t point = value.find('.');
    return point != std::string_view::npos && point > 0 && value.size() == point + 3 && AllDigits(value.substr(0, point)) &&
           AllDigits(value.substr(point + 1)) && value.find_first_not_of("0.") != std::string_view::npos;
}

std::vector<std::string> AmountFaults(const char* name, std::string_view value) {
    if (IsRightAmount(value)) return {};
    if (value.empty()) return {std::string(name) + " is empty"};
    const std::string named = std::string(name) + " " + ShownValue(value);
    const std::string reformatted = ": a spreadsheet may have reformatted it" + std::string(kWriteAgain);
    if (IsScientific(value)) return {named + " is in scientific notation: a spreadsheet took it for a number" + kWriteAgain};
    if (value[0] == '-') return {named + " is negative: the bank pays amounts above 0.00 only"};
    if (AllDigits(value)) return {named + " has no decimals" + reformatted};
    const std::size_t point = value.find('.');
    const std::string_view units = value.substr(0, point);
    const std::string_view cents = point == std::string_view::npos ? std::string_view() : value.substr(point + 1);
    if (units.empty() || !AllDigits(units) || !AllDigits(cents) || point == std::string_view::npos)
        return {named + " is not digits, '.' and two decimals: it holds " + OtherCharacters(value, IsDigitOrPoint)};
    if (cents.size() == 1) return {named + " has one decimal" + reformatted};
    if (cents.size() != 2) return {named + " has " + Counted(cents.size(), "decimal", "decimals") + ", not 2"};
    return {named + " is not above 0.00: an amount below half a penny is written as 0.00"};
}

std::vector<std::string> DateFaults(const FieldSpec& field, const char* name, std::string_view value) {
    if (value.size() == field.width && AllDigits(value) && ParseFileDate(value)) return {};
    if (value.empty()) return {std::string(name) + " is empty"};
    const std::string named = std::string(name) + " " + ShownValue(value);
    if (IsScientific(value)) return {named + " is in scientific notation: a spreadsheet took it for a number" + kWriteAgain};
    if (AllDigits(value) && value.size() == field.width - 1)
        return {named + " has " + Counted(value.size(), "digit", "digits") + ", not " + std::to_string(field.width) +
                " (DDMMYYYY): a spreadsheet may have dropped the day's leading zero" + kWriteAgain};
    if (value.find_first_of("/-. ") != std::string_view::npos)
        return {named + " is not written DDMMYYYY: a spreadsheet may have reformatted it" + kWriteAgain};
    if (!AllDigits(value) || value.size() != field.width) return {named + " is not written DDMMYYYY"};
    return {named + " is no date (DDMMYYYY)"};
}

bool IsCleanOrLower(char c) { return IsCleanCharacter(c) || IsLowerAscii(c); }

std::vector<std::string> TextFaults(const FieldSpec& field, const char* name, std::string_view value) {
    if (value.size() <= field.width && std::all_of(value.begin(), value.end(), IsCleanCharacter) &&
        !(value.empty() && field.required))
        return {};
    if (value.empty()) {
        if (!field.required) return {};
        return {std::string(name) + " is empty, and the bank needs one: a name made only of characters the file "
                                    "cannot carry is written empty"};
    }
    std::vector<std::string> faults;
    const std::string named = std::string(name) + " " + ShownAscii(value);
    if (std::any_of(value.begin(), value.end(), IsLowerAscii))
        faults.push_back(named + " is in lower case: the bank takes capitals only" + kWriteAgain);
    if (!std::all_of(value.begin(), value.end(), IsCleanOrLower))
        faults.push_back(named + " holds " + OtherCharacters(value, IsCleanOrLower) +
                         ", which the bank does not take (only A-Z, 0-9, space and . - / &)" + kWriteAgain);
    if (value.size() > field.width)
        faults.push_back(std::string(name) + " has " + std::to_string(value.size()) + " characters, more than the " +
                         std::to_string(field.width) + " its field holds");
    return faults;
}

std::vector<std::string> FixedFaults(const char* name, std::string_view value, std::string_view expected) {
    if (value.empty()) return {std::string(name) + " is empty, not " + std::string(expected)};
    std::string upper(value);
    for (char& c : upper) c = IsLowerAscii(c) ? static_cast<char>(c - 'a' + 'A') : c;
    const std::string fault = std::string(name) + " is " + ShownValue(value) + ", not " + std::string(expected);
    if (upper == expected) return {fault + ": the bank takes capitals only" + kWriteAgain};
    return {fault};
}

}  // namespace

std::string Counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

bool AllDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), IsDigit); }

std::string ShownValue(std::string_view value) {
    const bool plain = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return c > ' ' && c < 0x7F && c != '\'' && c != '"';
    });
    return plain ? std::string(value) : ShownAscii(value);
}

std::string CharacterName(std::string_view text, std::size_t& at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) return AsciiName(text[at++]);
    char32_t code = 0;
    if (const std::size_t length = Utf8Sequence(text, at, code); length > 0) {
        std::string bytes;
        for (std::size_t i = 0; i < length; ++i) bytes += (i > 0 ? " " : "") + Hex(static_cast<unsigned char>(text[at + i]), 2);
        at += length;
        const char* known = KnownName(code);
        return (known ? std::string(known) : "U+" + Hex(static_cast<unsigned>(code), 4)) + " in UTF-8 (bytes " + bytes + ")";
    }
    ++at;
    const char* known = KnownName(Windows1252(byte));
    return known ? std::string(known) + " (byte " + Hex(byte, 2) + ")" : "byte " + Hex(byte, 2);
}

std::vector<std::string> FieldFaults(const FieldSpec& field, std::string_view value) {
    const FieldContentInfo& info = ContentInfo(field.content);
    switch (info.form) {
        case FieldForm::Fixed:
            if (!info.fixedText || value == info.fixedText) return {};
            return FixedFaults(info.name, value, info.fixedText);
        case FieldForm::Digits: return DigitsFaults(field, info.name, value);
        case FieldForm::Amount: return AmountFaults(info.name, value);
        case FieldForm::Date: return DateFaults(field, info.name, value);
        case FieldForm::Text: return TextFaults(field, info.name, value);
    }
    return {};
}
