#pragma once
#include <optional>
#include <string>
#include <vector>

#include "statements/export/qif_writer.h"

namespace cli {

// What `varrow statement --to` writes.
enum class StatementFormat { Csv, Json, Ofx, Ofx2, Qif };

// The command line of `varrow statement`, checked for form only; what needs the file (how many
// accounts it holds) is checked once it is read.
struct StatementArguments {
    bool help = false;
    bool debug = false;
    StatementFormat format = StatementFormat::Csv;
    std::optional<std::string> sortCode;  // both or neither
    std::optional<std::string> account;
    std::optional<std::string> output;          // -o; standard output when not given
    std::optional<std::string> closingBalance;  // as OFX writes an amount: no "+", no grouping
    std::optional<double> balanceDate;
    QifDateOrder qifDates = QifDateOrder::DayMonthYear;
    std::string file;
};

// The command line of `varrow recognise`.
struct RecogniseArguments {
    bool help = false;
    bool debug = false;
    std::vector<std::string> files;
};

// Each throws UsageError naming what is wrong.
StatementArguments ParseStatementArguments(const std::vector<std::string>& args);
RecogniseArguments ParseRecogniseArguments(const std::vector<std::string>& args);

}  // namespace cli
