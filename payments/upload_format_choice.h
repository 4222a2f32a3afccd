#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "payments/payment_format.h"

// One line of an upload file as the choice of its format sees it.
struct TypedLine {
    std::string type;                      // the record type, a dropped leading zero restored; empty for none
    std::vector<std::string_view> fields;  // field 1 first
};

// The record type of field 4 as the layouts know it: as written, or with the leading zero that a
// spreadsheet drops put back ("7" is "07"); empty for any other text.
std::string KnownRecordType(std::string_view field);

// How many fields of a line do not fit `layout`: text where the layout leaves the field empty, and
// an empty field where the layout always writes something.
int Misfits(const RecordLayout& layout, const std::vector<std::string_view>& fields);

struct FormatChoice {
    std::optional<PaymentFormat> format;
    std::string undecided;  // why there is none, as a finding
};

// The format that a file's records show. The first line with a known record type names the format,
// or the two domestic formats for "01" and "03"; between those, each line votes for the layout
// its fields fit better (a template record has a template name and "GBP" where a standard one has
// the payee's account), and the most votes decide.
FormatChoice ChooseFormat(const std::vector<TypedLine>& lines);
