// varrow statement / varrow recognise: the statement reader and the import, without the host.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/statement/statement_output.h"
#include "cli/statement/statement_warnings.h"
#include "cli/statement/text_shape.h"
#include "platform/debug_output.h"
#include "statements/ktx_transaction_file.h"
#include "statements/statement_import.h"
#include "statements/statement_recogniser.h"

namespace cli {

namespace {

const char* const kStatementUsage = "usage: varrow statement [--sort-code S --account A] [--json] [--debug] FILE\n";
const char* const kRecogniseUsage = "usage: varrow recognise [--debug] FILE...\n";

const char* const kStatementHelp =
    "usage: varrow statement [--sort-code S --account A] [--json] [--debug] FILE\n"
    "\n"
    "Reads a Varrow Online statement file as the import into the reconciliation does and prints\n"
    "the transactions it would add, in order, as CSV with the header line\n"
    "  number,sort_code,account,date,direction,amount,type,narrative\n"
    "\n"
    "  --sort-code S --account A  only the account's transactions (both or neither); the sort\n"
    "                             code's digits count, so 12-34-56 is 123456\n"
    "                             without them: every readable record, numbered in order\n"
    "  --json                     a JSON array of objects with the same keys\n"
    "  --debug                    the reader's debug messages on standard error\n"
    "\n"
    "Reading stops at the first line that cannot be read; the transactions before it are\n"
    "printed and standard error names that line and why. Standard error also warns of\n"
    "transactions without a date, of an account that matched none of the file's records, and\n"
    "of UTF-16 text or CR-only line ends. Exit status: 0 for a statement, 1 when the file\n"
    "cannot be opened or its header has neither 14 nor 18 fields, 64 for a usage error.\n";

const char* const kRecogniseHelp =
    "usage: varrow recognise [--debug] FILE...\n"
    "\n"
    "Prints FILE<TAB>Varrow Quidlane Statement for each file that the host's file chooser would\n"
    "offer as a statement of this bank (its header line has 14 or 18 fields).\n"
    "Exit status: 0 when every file was recognised, 1 otherwise, 64 for a usage error.\n";

// The arguments of `varrow statement` and `varrow recognise`.
struct StatementOptions {
    std::optional<std::string> sortCode;
    std::optional<std::string> account;
    bool json = false;
    bool debug = false;
    bool help = false;
    std::vector<std::string> files;
};

// "--name VALUE" or "--name=VALUE"; advances `i` past what it used.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::optional<std::string>& value, std::string& error) {
    const std::string& arg = args[i];
    if (arg.compare(0, name.size() + 1, name + "=") == 0) {
        value = arg.substr(name.size() + 1);
    } else if (i + 1 < args.size()) {
        value = args[++i];
    } else {
        error = name + " needs a value";
        return false;
    }
    return true;
}

bool IsValueOption(const std::string& arg, const std::string& name) {
    return arg == name || arg.compare(0, name.size() + 1, name + "=") == 0;
}

// One option at args[i]; false with `error` set when it is not one of ours.
bool TakeOption(const std::vector<std::string>& args, std::size_t& i, bool withAccount, StatementOptions& options,
                std::string& error) {
    const std::string& arg = args[i];
    bool* flag = arg == "--debug"                   ? &options.debug
                 : arg == "--help" || arg == "-h"   ? &options.help
                 : withAccount && arg == "--json"   ? &options.json
                                                    : nullptr;
    if (flag) {
        *flag = true;
        return true;
    }
    if (withAccount && IsValueOption(arg, "--sort-code")) return TakeValue(args, i, "--sort-code", options.sortCode, error);
    if (withAccount && IsValueOption(arg, "--account")) return TakeValue(args, i, "--account", options.account, error);
    error = "unknown option '" + arg + "'";
    return false;
}

// Parses `args`; on a usage error returns nothing and sets `error`. `withAccount` admits
// --sort-code, --account and --json (the statement command); files follow the options, or "--".
// Both commands take --debug and --help. Counting the files is the command's business.
std::optional<StatementOptions> ParseStatementOptions(const std::vector<std::string>& args, bool withAccount,
                                                      std::string& error) {
    StatementOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (!TakeOption(args, i, withAccount, options, error)) {
            return std::nullopt;
        }
    }
    if (options.sortCode.has_value() != options.account.has_value()) {
        error = "--sort-code and --account go together";
        return std::nullopt;
    }
    return options;
}

int UsageError(const char* command, const std::string& error, const char* usage) {
    std::fprintf(stderr, "varrow %s: %s\n%s", command, error.c_str(), usage);
    return kUsageError;
}

// What the host would receive for one transaction, with the record's account columns.
struct PendingRow {
    CString sortCode, account, narrative, type;
    std::int32_t number = 0, direction = 0;
    double date = 0, amount = 0;

    StatementRow Values() const {
        return {number, sortCode.View(), account.View(), date, direction, amount, type.View(), narrative.View()};
    }
};

// Fills the pending row as the host would fill its transaction.
class RowSink : public TransactionSink {
public:
    explicit RowSink(PendingRow& row) : row_(row) {}
    void SetNumber(std::int32_t number) override { row_.number = number; }
    void SetDate(double date) override { row_.date = date; }
    void SetDirection(std::int32_t direction) override { row_.direction = direction; }
    void SetAmount(double amount) override { row_.amount = amount; }
    void SetNarrative(const CString& narrative) override { row_.narrative = narrative; }
    void SetType(const CString& type) override { row_.type = type; }

private:
    PendingRow& row_;
};

// The host's collection as the command sees it: each transaction becomes one printed row, printed
// once it is complete, that is when the next one is added or the reading ends.
class PrintedTransactions : public TransactionCollection {
public:
    PrintedTransactions(StatementRowWriter& writer, StatementWarnings& warnings) : writer_(writer), warnings_(warnings) {}

    void RecordRead(const CTransactionRecord& record, long line, bool ofTheAccount) override {
        warnings_.RecordRead(record, line, ofTheAccount);
    }

    std::unique_ptr<TransactionSink> AddTransaction(const CTransactionRecord& source) override {
        Flush();
        // Field by field, so that the row's texts keep their storage from one row to the next.
        row_.sortCode = source.SortCode();
        row_.account = source.AccountNumber();
        row_.narrative.Empty();
        row_.type.Empty();
        row_.number = row_.direction = 0;
        row_.date = row_.amount = 0;
        pending_ = true;
        return std::make_unique<RowSink>(row_);
    }

    void Flush() {
        if (pending_) writer_.Write(row_.Values());
        pending_ = false;
    }

private:
    StatementRowWriter& writer_;
    StatementWarnings& warnings_;
    PendingRow row_;
    bool pending_ = false;
};

// The one-line message for a file that is no statement; empty when it is one.
std::string Refusal(const std::string& file, const ImportOutcome& outcome, const std::string& shapeAdvice) {
    if (!IsAcceptedStatementPath(file)) return "cannot open " + file + ": the path is longer than 259 characters";
    if (!outcome.opened) return "cannot open " + file;
    if (outcome.isStatement) return {};
    if (!shapeAdvice.empty()) return file + " is not a statement: it " + shapeAdvice;
    if (outcome.headerFieldCount == 0) return file + " is not a statement: its header line cannot be read";
    const int count = outcome.headerFieldCount;
    return file + " is not a statement: its header has " + std::to_string(count) + (count == 1 ? " field" : " fields") +
           ", not 14 or 18";
}

std::optional<StatementAccount> AccountOf(const StatementOptions& options) {
    if (!options.sortCode) return std::nullopt;
    StatementAccount account;
    account.SetSortCode(std::string_view(*options.sortCode));
    account.SetAccountNumber(std::string_view(*options.account));
    return account;
}

int PrintStatement(const StatementOptions& options) {
    const std::string& file = options.files.front();
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    StatementRowWriter writer(stdout, options.json);
    StatementWarnings warnings;
    PrintedTransactions transactions(writer, warnings);
    const std::optional<StatementAccount> account = AccountOf(options);
    const ImportOutcome outcome = ImportStatementFile(file, account, transactions);
    const std::string shapeAdvice = outcome.opened ? ShapeAdvice(ShapeOfText(StartOfFile(file))) : std::string();
    const std::string refusal = Refusal(file, outcome, shapeAdvice);
    if (!refusal.empty()) {
        std::fprintf(stderr, "varrow statement: %s\n", refusal.c_str());
        return kStatementRefused;
    }
    transactions.Flush();
    writer.End();
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("varrow statement: cannot write the output\n", stderr);
        return kStatementRefused;
    }
    if (!shapeAdvice.empty()) std::fprintf(stderr, "varrow statement: %s %s\n", file.c_str(), shapeAdvice.c_str());
    for (const std::string& warning : warnings.Lines(account)) {
        std::fprintf(stderr, "varrow statement: %s: %s\n", file.c_str(), warning.c_str());
    }
    if (outcome.stoppedAtLine != 0) {
        std::fprintf(stderr, "varrow statement: %s: line %ld cannot be read (%s); reading stopped there\n", file.c_str(),
                     outcome.stoppedAtLine, outcome.stopReasonText.c_str());
    }
    return kSuccess;
}

}  // namespace

int RunStatement(const std::vector<std::string>& args) {
    std::string error;
    const auto options = ParseStatementOptions(args, true, error);
    if (!options) return UsageError("statement", error, kStatementUsage);
    if (options->help) {
        std::fputs(kStatementHelp, stdout);
        return kSuccess;
    }
    if (options->files.size() != 1) return UsageError("statement", "name exactly one FILE", kStatementUsage);
    platform::EnableDebugOutputToStderr(options->debug);
    return PrintStatement(*options);
}

int RunRecognise(const std::vector<std::string>& args) {
    std::string error;
    const auto options = ParseStatementOptions(args, false, error);
    if (!options) return UsageError("recognise", error, kRecogniseUsage);
    if (options->help) {
        std::fputs(kRecogniseHelp, stdout);
        return kSuccess;
    }
    if (options->files.empty()) return UsageError("recognise", "name at least one FILE", kRecogniseUsage);
    platform::EnableDebugOutputToStderr(options->debug);
    bool all = true;
    for (const auto& file : options->files) {
        if (RecognisesStatement(file)) {
            std::printf("%s\t%.*s\n", file.c_str(), static_cast<int>(kStatementDescription.size()),
                        kStatementDescription.data());
        } else {
            all = false;
        }
    }
    return all ? kSuccess : kStatementRefused;
}

}  // namespace cli
