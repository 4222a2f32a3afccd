#include "cli/export/payment_table.h"

#include <algorithm>
#include <string>

#include "cli/export/cell_values.h"
#include "cli/export/csv_reader.h"
#include "cli/shared/shown_text.h"
#include "cli/shared/usage_error.h"

namespace cli {

namespace {

using Setter = void (*)(PaymentRecord&, std::string_view);

template <std::u16string PaymentRecord::*Field>
void SetText(PaymentRecord& record, std::string_view cell) {
    record.*Field = ParseTextCell(cell);
}

void SetValue(PaymentRecord& record, std::string_view cell) { record.Value = ParseDecimalCell(cell); }
void SetCurrency(PaymentRecord& record, std::string_view cell) { record.Currency = ParseShortCell(cell); }
void SetDate(PaymentRecord& record, std::string_view cell) { record.Date = ParseDateCell(cell); }
void SetStatus(PaymentRecord& record, std::string_view cell) { record.Status = ParseLongCell(cell); }

struct Column {
    const char* name;
    Setter set;
};

// The payment's properties in the host's order.
constexpr Column kColumns[] = {
    {"Value", SetValue},
    {"PayerBankBACSReference", SetText<&PaymentRecord::PayerBankBACSReference>},
    {"PayerBankSortCode", SetText<&PaymentRecord::PayerBankSortCode>},
    {"PayerBankAccountNumber", SetText<&PaymentRecord::PayerBankAccountNumber>},
    {"PayerBankAccountName", SetText<&PaymentRecord::PayerBankAccountName>},
    {"PayerBuildingSocietyRollNumber", SetText<&PaymentRecord::PayerBuildingSocietyRollNumber>},
    {"PayeeBankBACSReference", SetText<&PaymentRecord::PayeeBankBACSReference>},
    {"PayeeBankSortCode", SetText<&PaymentRecord::PayeeBankSortCode>},
    {"PayeeBankAccountNumber", SetText<&PaymentRecord::PayeeBankAccountNumber>},
    {"PayeeBankAccountName", SetText<&PaymentRecord::PayeeBankAccountName>},
    {"PayeeBuildingSocietyRollNumber", SetText<&PaymentRecord::PayeeBuildingSocietyRollNumber>},
    {"Reference", SetText<&PaymentRecord::Reference>},
    {"Details", SetText<&PaymentRecord::Details>},
    {"Currency", SetCurrency},
    {"Date", SetDate},
    {"Status", SetStatus},
    {"ClientReference", SetText<&PaymentRecord::ClientReference>},
};

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

const Column* FindColumn(std::string_view name) {
    for (const auto& column : kColumns) {
        if (SameNameIgnoringCase(column.name, name)) return &column;
    }
    return nullptr;
}

// The column of each field of the header row, in the file's order.
std::vector<const Column*> ReadHeader(const CsvRecord& header) {
    std::vector<const Column*> columns;
    for (const auto& name : header.fields) {
        const Column* column = FindColumn(name);
        if (!column) throw UsageError("unknown column " + Shown(name) + " on line " + std::to_string(header.line));
        if (std::find(columns.begin(), columns.end(), column) != columns.end())
            throw UsageError("column " + Shown(name) + " is named more than once (as " + column->name + ")");
        columns.push_back(column);
    }
    return columns;
}

std::string Where(const CsvRecord& row, std::size_t index) {
    return "line " + std::to_string(row.line) + " (payment " + std::to_string(index) + ")";
}

PaymentRecord ReadPayment(const CsvRecord& row, std::size_t index, const std::vector<const Column*>& columns) {
    if (row.fields.size() != columns.size())
        throw UsageError(Where(row, index) + " has " + std::to_string(row.fields.size()) + " fields, the header names " +
                         std::to_string(columns.size()));
    PaymentRecord record;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        try {
            columns[i]->set(record, row.fields[i]);
        } catch (const CellError& e) {
            throw UsageError(Where(row, index) + ", column " + columns[i]->name + ": " + Shown(row.fields[i]) + " " + e.what());
        }
    }
    return record;
}

}  // namespace

std::vector<PaymentRecord> LoadPaymentTable(std::string_view csvText) {
    std::vector<CsvRecord> rows;
    try {
        rows = ReadCsv(csvText);
    } catch (const CsvError& e) {
        throw UsageError("line " + std::to_string(e.Line()) + ": " + e.what());
    }
    if (rows.empty()) throw UsageError("no header row naming the columns");
    const std::vector<const Column*> columns = ReadHeader(rows.front());
    std::vector<PaymentRecord> payments;
    payments.reserve(rows.size() - 1);
    for (std::size_t i = 1; i < rows.size(); ++i) payments.push_back(ReadPayment(rows[i], i - 1, columns));
    return payments;
}

}  // namespace cli
