// Fuzz target: a pair of modulus tables as an administrator may put them in the settings folder,
// then the check of any sort code and account number against them. Each table either reads or is
// refused with a TableError that names it; the check answers without a crash.
#include <algorithm>
#include <exception>
#include <optional>
#include <sstream>

#include "accounts/account_check.h"
#include "accounts/modulus_tables.h"
#include "accounts/table_error.h"
#include "tests/support/fuzz_check.h"
#include "tests/support/fuzz_input.h"

namespace {

using Problems = std::vector<std::string>;

// Separates the weight table from the substitution table in the input.
constexpr char kTableSeparator = '\x1e';

template <class Table>
std::optional<Table> Read(const std::string& text, const char* name, Problems& problems) {
    std::istringstream in(text);
    try {
        Table table = Table::Parse(in, name);
        if (table.RowCount() == 0) problems.push_back(std::string(name) + " read without a row");
        return table;
    } catch (const TableError& e) {
        if (e.File() != name || std::string_view(e.what()).find(name) != 0) {
            problems.push_back(std::string("a refusal that does not name ") + name + ": " + e.what());
        }
    }
    return std::nullopt;
}

void CheckOutcomeHolds(const CheckOutcome& outcome, Problems& problems) {
    const bool checked = outcome.result == CheckResult::Valid || outcome.result == CheckResult::Invalid;
    if (checked != (outcome.checkCount > 0) || outcome.checkCount > outcome.checks.size()) {
        problems.push_back("a result of " + std::to_string(static_cast<int>(outcome.result)) + " after " +
                           std::to_string(outcome.checkCount) + " checks");
    }
    if (outcome.result == CheckResult::Unchecked && !outcome.rows.empty()) problems.push_back("unchecked with rows");
}

}  // namespace

std::vector<std::string> FuzzCheck(std::string_view input) {
    Problems problems;
    try {
        FuzzInput in(input);
        const std::string sortCode = in.Bytes(10);
        const std::string account = in.Bytes(14);
        const std::string rest = in.Rest();
        const std::size_t cut = std::min(rest.find(kTableSeparator), rest.size());
        auto weights = Read<WeightTable>(rest.substr(0, cut), "VALACDOS.TXT", problems);
        auto substitutions = Read<SubstitutionTable>(rest.substr(std::min(cut + 1, rest.size())), "SCSUBTAB.TXT", problems);
        if (weights && substitutions) {
            const ModulusTables tables{std::move(*weights), std::move(*substitutions)};
            CheckOutcomeHolds(CheckAccount(tables, sortCode, account), problems);
        }
    } catch (const std::exception& e) {
        problems.push_back(std::string("escaped: ") + e.what());
    }
    return problems;
}
