#pragma once
#include <string>
#include <string_view>

// Field counts of the two line shapes.
constexpr int kShortLineFields = 80;  // records "01", "03", "06", "07"
constexpr int kLongLineFields = 85;   // records "08", "09"

// Replaces a character that would break a line's shape: the comma and the double quote (the bank
// reads fields by position and never unquotes), CR and LF (the line), and NUL.
constexpr char kReplacementCharacter = '?';

// Builds one upload file line in place at the end of `out`: exactly `fieldCount` unquoted fields,
// separated by commas and ended by CR LF. Fields are given in ascending order, numbered from 1;
// those not given stay empty. Whatever a value holds, the line keeps its shape: a character that
// could break it is written as kReplacementCharacter. Only payments that already fail their
// checks can carry one (an account number is the one value written without cleaning), and the
// replacement is never a digit, so the bank cannot read the field as a valid account either.
class UploadLine {
public:
    UploadLine(std::string& out, int fieldCount);
    UploadLine(const UploadLine&) = delete;
    UploadLine& operator=(const UploadLine&) = delete;

    // Throws std::logic_error for a field outside 1..fieldCount or not after the previous one.
    UploadLine& Put(int field, std::string_view text);
    // Puts the fields still missing and the line end. Nothing may follow.
    void Finish();

private:
    void AdvanceTo(int field);

    std::string& out_;
    int fieldCount_;
    int current_ = 1;  // the field that the end of out_ is in
    bool currentFilled_ = false;
    bool finished_ = false;
};
