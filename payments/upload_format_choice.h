#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "payments/payment_format.h"

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

// The format that a file's records show, taken line by line. The first line with a known record
// type names the format, or the two domestic formats for "01" and "03"; between those, each line
// votes for the format whose layout its fields fit better (a template record has a template name
// and "GBP" where a standard one has the payee's account), and the most votes decide.
class FormatVotes {
public:
    // `type` as KnownRecordType gives it; lines without one are passed over.
    void Add(const std::string& type, const std::vector<std::string_view>& fields);
    // Whether the vote of a line of `type` depends on its fields: only those need be given.
    static bool Weighs(const std::string& type);
    FormatChoice Choice() const;

private:
    std::string firstType_;
    std::array<int, std::size(kPaymentFormats)> votes_{};
};
