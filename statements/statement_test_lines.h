#pragma once
// Statement lines for the tests: a data line whose columns can be set one by one, written in
// either layout, and the two headers.
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "statements/ktx_transaction_file.h"

namespace statement_test {

inline const std::string kLongHeader =
    "Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,Branch Name,"
    "Date,Type,Narrative #1,Narrative #2,Narrative #3,Narrative #4,Narrative #5,Debit,Credit";
inline const std::string kShortHeader =
    "Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,Branch Name,"
    "Date,Narrative #1,Type,Debit,Credit";

// One transaction; each value is written exactly as given (add quotes where a test wants them).
struct Line {
    std::string sortCode = "123456", account = "12345678", alias = "Household", shortName = "J SMITH",
                currency = "GBP", accountType = "Current", bic = "VARRGB22", bank = "Varrow Bank",
                branch = "Quidlane", date = "05/03/2010";
    std::string narratives[5] = {"N1", "", "", "", ""};
    std::string type = "DD", debit = "", credit = "";

    std::vector<std::string> Head() const {
        return {sortCode, account, alias, shortName, currency, accountType, bic, bank, branch, date, narratives[0]};
    }
    // 18 fields: Narrative #1 to #5 in columns 11 to 15.
    std::string Long() const {
        auto fields = Head();
        fields.insert(fields.end(), {narratives[1], narratives[2], narratives[3], narratives[4], type, debit, credit});
        return Join(fields);
    }
    // 14 fields: Narrative #1 only.
    std::string Short() const {
        auto fields = Head();
        fields.insert(fields.end(), {type, debit, credit});
        return Join(fields);
    }
    // The short layout with `extra` more columns after the credit column.
    std::string ShortWithExtra(int extra) const { return Short() + std::string(static_cast<std::size_t>(extra), ','); }

    static std::string Join(const std::vector<std::string>& fields) {
        std::string line;
        for (std::size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : ",") + fields[i];
        return line;
    }
};

// `lines` joined with LF, each ending with one.
inline std::string Lines(const std::vector<std::string>& lines, const char* end = "\n") {
    std::string text;
    for (const auto& line : lines) text += line + end;
    return text;
}

// A reader over `content` as a file opened in binary mode would give it.
inline std::unique_ptr<CKTXTransactionFile> ReaderOn(const std::string& content) {
    return std::make_unique<CKTXTransactionFile>(
        std::make_unique<std::istringstream>(content, std::ios::in | std::ios::binary));
}

// A header of `fields` fields.
inline std::string HeaderOf(int fields) {
    std::string header = "T1";
    for (int i = 2; i <= fields; ++i) header += ",T" + std::to_string(i);
    return header;
}

}  // namespace statement_test
