// varrow statement / varrow recognise: the statement reader and the import, without the host.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/input_file.h"
#include "cli/shared/shown_text.h"
#include "cli/shared/usage_error.h"
#include "cli/statement/output_target.h"
#include "cli/statement/statement_arguments.h"
#include "cli/statement/statement_output.h"
#include "cli/statement/statement_warnings.h"
#include "cli/statement/text_shape.h"
#include "common/ole_date.h"
#include "platform/debug_output.h"
#include "platform/local_clock.h"
#include "statements/export/exported_transaction.h"
#include "statements/export/ofx_writer.h"
#include "statements/export/qif_writer.h"
#include "statements/ktx_transaction_file.h"
#include "statements/statement_import.h"
#include "statements/statement_recogniser.h"

namespace cli {

namespace {

const char* const kStatementUsage =
    "usage: varrow statement [--to csv|json|ofx|ofx2|qif] [--sort-code S --account A]\n"
    "                        [--closing-balance AMOUNT [--balance-date D]] [--qif-dates dmy|mdy]\n"
    "                        [-o OUT] [--debug] FILE\n";
const char* const kRecogniseUsage = "usage: varrow recognise [--debug] FILE...\n";

const char* const kStatementHelp =
    "usage: varrow statement [--to csv|json|ofx|ofx2|qif] [--sort-code S --account A]\n"
    "                        [--closing-balance AMOUNT [--balance-date D]] [--qif-dates dmy|mdy]\n"
    "                        [-o OUT] [--debug] FILE\n"
    "\n"
    "Reads a Varrow Online statement file as the import into the reconciliation does and writes\n"
    "the transactions it would add, in order. --to chooses the format:\n"
    "  csv    (the default) the header line\n"
    "           number,sort_code,account,date,direction,amount,type,narrative\n"
    "         and one line per transaction\n"
    "  json   a JSON array of objects with the same keys (--json says the same)\n"
    "  ofx    OFX 1.02 (SGML) for GnuCash, KMyMoney, Money and others: one statement per account\n"
    "  ofx2   OFX 2 (XML), the same\n"
    "  qif    QIF (!Type:Bank) of one account\n"
    "\n"
    "  --sort-code S --account A  only the account's transactions (both or neither); the sort\n"
    "                             code's digits count, so 12-34-56 is 123456\n"
    "                             without them: every readable record, numbered in order\n"
    "  --closing-balance AMOUNT   OFX: the account's balance (-1234.56) at the end of the statement,\n"
    "                             which the bank's file does not hold; without it the ledger\n"
    "                             balance is written without an amount\n"
    "  --balance-date D           its date (DD/MM/YYYY or YYYY-MM-DD); default: the last transaction's\n"
    "  --qif-dates dmy|mdy        QIF: day/month/year (the default) or month/day/year\n"
    "  -o OUT                     write to OUT instead of standard output\n"
    "  --debug                    the reader's debug messages on standard error\n"
    "\n"
    "OFX and QIF leave out transactions without a date, with a warning. A QIF file, and an OFX\n"
    "file with --closing-balance, hold one account: choose it when the file holds several.\n"
    "Reading stops at the first line that cannot be read; the transactions before it are\n"
    "written and standard error names that line and why. Standard error also warns of\n"
    "transactions without a date, of an account that matched none of the file's records, and\n"
    "of UTF-16 text or CR-only line ends. Exit status: 0 for a statement, 1 when the file\n"
    "cannot be opened, its header has neither 14 nor 18 fields, or the output cannot be\n"
    "written, 64 for a usage error.\n";

const char* const kRecogniseHelp =
    "usage: varrow recognise [--debug] FILE...\n"
    "\n"
    "Prints FILE<TAB>Varrow Quidlane Statement for each file that the host's file chooser would\n"
    "offer as a statement of this bank (its header line has 14 or 18 fields).\n"
    "Exit status: 0 when every file was recognised, 1 otherwise, 64 for a usage error.\n";

int PrintUsageError(const char* command, const std::string& error, const char* usage) {
    std::fprintf(stderr, "varrow %s: %s\n%s", command, error.c_str(), usage);
    return kUsageError;
}

StatementRow RowOf(const ExportedTransaction& t) {
    return {t.number, t.sortCode, t.account, t.date, t.debit ? kDebitDirection : kCreditDirection,
            t.amount, t.reference, t.narrative};
}

// The host's collection as the command sees it: each transaction, once complete (when the next
// one is added or the reading ends), becomes a printed row or goes into the document.
class WrittenTransactions : public TransactionCollection {
public:
    WrittenTransactions(StatementRowWriter* rows, StatementDocument* document, StatementWarnings& warnings)
        : rows_(rows), document_(document), warnings_(warnings) {}

    void RecordRead(const CTransactionRecord& record, long line, bool ofTheAccount) override {
        warnings_.RecordRead(record, line, ofTheAccount);
    }

    std::unique_ptr<TransactionSink> AddTransaction(const CTransactionRecord& source) override {
        Flush();
        transaction_.Start(source);
        pending_ = true;
        return std::make_unique<ExportedTransactionSink>(transaction_);
    }

    void Flush() {
        if (!pending_) return;
        if (rows_) rows_->Write(RowOf(transaction_));
        if (document_) document_->Add(transaction_);
        pending_ = false;
    }

private:
    StatementRowWriter* rows_;
    StatementDocument* document_;
    StatementWarnings& warnings_;
    ExportedTransaction transaction_;
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

std::optional<StatementAccount> AccountOf(const StatementArguments& arguments) {
    if (!arguments.sortCode) return std::nullopt;
    StatementAccount account;
    account.SetSortCode(std::string_view(*arguments.sortCode));
    account.SetAccountNumber(std::string_view(*arguments.account));
    return account;
}

double Today() {
    const CivilDateTime now = platform::LocalTime();
    return ToOleDate(now).value_or(0);
}

std::unique_ptr<StatementDocument> DocumentFor(const StatementArguments& arguments) {
    switch (arguments.format) {
    case StatementFormat::Qif: return std::make_unique<QifDocument>(arguments.qifDates);
    case StatementFormat::Ofx:
    case StatementFormat::Ofx2: {
        OfxOptions options;
        options.version = arguments.format == StatementFormat::Ofx2 ? OfxVersion::Xml201 : OfxVersion::Sgml102;
        options.closingBalance = arguments.closingBalance;
        options.balanceDate = arguments.balanceDate;
        options.today = Today();
        return std::make_unique<OfxDocument>(std::move(options));
    }
    default: return nullptr;
    }
}

const char* UndatedFate(StatementFormat format) {
    switch (format) {
    case StatementFormat::Ofx:
    case StatementFormat::Ofx2: return "OFX needs one, so the transaction is left out";
    case StatementFormat::Qif: return "QIF needs one, so the transaction is left out";
    default: return "the transaction is printed without one";
    }
}

// A QIF file, and a closing balance, belong to one account: refuses a document of several.
void RequireOneAccount(const StatementArguments& arguments, const StatementDocument& document) {
    const auto accounts = document.Accounts();
    if (accounts.size() < 2) return;
    const bool qif = arguments.format == StatementFormat::Qif;
    if (!qif && !arguments.closingBalance) return;
    std::string held;
    for (const auto& a : accounts) held += (held.empty() ? "" : ", ") + Shown(a.sortCode) + " " + Shown(a.number);
    throw UsageError(std::string(qif ? "a QIF file holds one account" : "--closing-balance is one account's balance") +
                          ", and " + arguments.file + " holds " + std::to_string(accounts.size()) + ": " + held +
                          "; choose one with --sort-code and --account");
}

int WriteStatement(const StatementArguments& arguments) {
    const std::string& file = arguments.file;
    if (arguments.output && SameFile(*arguments.output, file))
        throw UsageError("-o " + Shown(*arguments.output) + " is the statement itself");
    OutputTarget target(arguments.output);
    const std::unique_ptr<StatementDocument> document = DocumentFor(arguments);
    std::optional<StatementRowWriter> rows;
    if (!document) rows.emplace(target, arguments.format == StatementFormat::Json);
    StatementWarnings warnings(UndatedFate(arguments.format));
    WrittenTransactions transactions(rows ? &*rows : nullptr, document.get(), warnings);
    const std::optional<StatementAccount> account = AccountOf(arguments);
    const ImportOutcome outcome = ImportStatementFile(file, account, transactions);
    const std::string shapeAdvice = outcome.opened ? ShapeAdvice(ShapeOfText(StartOfFile(file))) : std::string();
    const std::string refusal = Refusal(file, outcome, shapeAdvice);
    if (!refusal.empty()) {
        std::fprintf(stderr, "varrow statement: %s\n", refusal.c_str());
        return kStatementRefused;
    }
    transactions.Flush();
    if (document) {
        RequireOneAccount(arguments, *document);
        document->Write([&](std::string_view text) { target.Write(text); });
    } else {
        rows->End();
    }
    if (!target.Finish()) {
        std::fprintf(stderr, "varrow statement: cannot write %s\n", target.Name().c_str());
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
    return RunGuarded("statement", [&] {
        try {
            const StatementArguments arguments = ParseStatementArguments(args);
            if (arguments.help) {
                std::fputs(kStatementHelp, stdout);
                return kSuccess;
            }
            platform::EnableDebugOutputToStderr(arguments.debug);
            return WriteStatement(arguments);
        } catch (const UsageError& e) {
            return PrintUsageError("statement", e.what(), kStatementUsage);
        }
    });
}

int RunRecognise(const std::vector<std::string>& args) {
    RecogniseArguments arguments;
    try {
        arguments = ParseRecogniseArguments(args);
    } catch (const UsageError& e) {
        return PrintUsageError("recognise", e.what(), kRecogniseUsage);
    }
    if (arguments.help) {
        std::fputs(kRecogniseHelp, stdout);
        return kSuccess;
    }
    platform::EnableDebugOutputToStderr(arguments.debug);
    bool all = true;
    for (const auto& file : arguments.files) {
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
