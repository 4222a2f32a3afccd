#include "payments/upload_verifier.h"

#include <algorithm>

#include "common/written_date.h"
#include "options/calendar.h"
#include "payments/date_text.h"
#include "payments/payment_checks.h"
#include "payments/payment_identity.h"
#include "payments/upload_format_choice.h"
#include "payments/upload_text.h"
#include "payments/written_fields.h"

namespace {

// What a file of `format` holds, for the findings about records that do not belong.
std::string Contents(const PaymentFormatInfo& format) {
    const std::string name = std::string("a ") + format.commandLineName + " file ";
    if (format.headerLayout)
        return name + "is one " + format.headerLayout->recordType + " header followed by " +
               format.paymentLayout->recordType + " records";
    return name + "holds " + format.paymentLayout->recordType + " and " + format.transferLayout->recordType +
           " records only";
}

// "12.34" into a running total of cents kept as decimal digits, so that no amount is too large.
void AddCents(std::string& total, std::string_view amount) {
    std::string cents(amount);
    cents.erase(cents.size() - 3, 1);
    if (cents.size() > total.size()) total.insert(0, cents.size() - total.size(), '0');
    int carry = 0;
    for (std::size_t i = 0; i < total.size(); ++i) {
        const std::size_t t = total.size() - 1 - i;
        const int digit = (total[t] - '0') + (i < cents.size() ? cents[cents.size() - 1 - i] - '0' : 0) + carry;
        total[t] = static_cast<char>('0' + digit % 10);
        carry = digit / 10;
    }
    if (carry) total.insert(0, 1, '1');
}

std::string AsAmount(std::string cents) {
    cents.erase(0, std::min(cents.find_first_not_of('0'), cents.size()));
    if (cents.size() < 3) cents.insert(0, 3 - cents.size(), '0');
    return cents.insert(cents.size() - 2, ".");
}

// DDMMYYYY as DD/MM/YYYY.
std::string Slashed(std::string_view date) {
    if (date.size() != 8) return std::string(date);
    return std::string(date.substr(0, 2)) + "/" + std::string(date.substr(2, 2)) + "/" + std::string(date.substr(4));
}

std::string LineList(const std::vector<std::size_t>& lines) {
    std::string list = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) list += i + 1 < lines.size() ? ", " : " and ";
        list += std::to_string(lines[i]);
    }
    return list;
}

class Verification {
public:
    Verification(const VerifyOptions& options, VerifyReport& report)
        : options_(options), report_(report), today_(Slashed(FormatFileDate(options.today))) {}

    void Run(std::string_view bytes) {
        text_ = ReadUploadText(bytes);
        report_.lines = text_.lines.size();
        CheckWholeFile();
        ReadLines();
        if (!report_.lines) return Add(Severity::Error, 1, 0, "the file is empty: it holds no payment");
        if (!PlaceRecords()) return;
        // Line by line again, so that no more than one line's fields are held at a time.
        std::vector<PaymentIdentity> identities;
        std::vector<std::size_t> paymentLines;
        identities.reserve(types_.size());
        paymentLines.reserve(types_.size());
        for (std::size_t i = 0; i < types_.size(); ++i) {
            if (!layouts_[i]) continue;
            Split(i);
            CheckRecord(i);
            if (auto identity = IdentityOf(*layouts_[i], fields_)) {
                identities.push_back(std::move(*identity));
                paymentLines.push_back(i);
            }
        }
        if (report_.payments == 0) Add(Severity::Error, 1, 0, "the file holds no payment");
        WarnOfRepeats(identities, paymentLines);
        report_.total = AsAmount(cents_);
    }

private:
    void Add(Severity severity, std::size_t line, int field, std::string text) {
        report_.findings.push_back({line, field, severity, std::move(text)});
    }

    void Split(std::size_t index, std::size_t most = std::numeric_limits<std::size_t>::max()) {
        SplitUploadLine(text_.lines[index].text, text_.separator, split_, most);
    }

    // The byte order mark, the separator and the line ends, each once for the whole file.
    void CheckWholeFile() {
        const UploadText& text = text_;
        if (text.byteOrderMark)
            Add(Severity::Error, 1, 0, std::string("the file begins with a byte order mark, which the bank reads as part "
                                                   "of the first field") + kWriteAgain);
        if (text.separator != ',')
            Add(Severity::Error, 1, 0, std::string("fields are separated by semicolons, not commas: a spreadsheet saved "
                                                   "the file for a locale that writes them") + kWriteAgain);
        std::size_t lf = 0, cr = 0, ended = 0;
        for (const TextLine& line : text.lines) {
            ended += line.end != LineEnd::None;
            lf += line.end == LineEnd::Lf;
            cr += line.end == LineEnd::Cr;
        }
        const bool allLf = ended > 0 && lf == ended, allCr = ended > 0 && cr == ended;
        if (allLf) Add(Severity::Error, 1, 0, std::string("line ends are LF, not CR LF") + kWriteAgain);
        if (allCr) Add(Severity::Error, 1, 0, std::string("line ends are CR, not CR LF") + kWriteAgain);
        for (std::size_t i = 0; i < text.lines.size(); ++i) {
            const LineEnd end = text.lines[i].end;
            if (end == LineEnd::None) Add(Severity::Error, i + 1, 0, "the line has no line end (CR LF)");
            if (end == LineEnd::Lf && !allLf) Add(Severity::Error, i + 1, 0, "the line ends LF, not CR LF");
            if (end == LineEnd::Cr && !allCr) Add(Severity::Error, i + 1, 0, "the line ends CR, not CR LF");
        }
    }

    // Each line's record type, with what is wrong with the line before any layout is known, and
    // its vote for the format.
    void ReadLines() {
        types_.reserve(text_.lines.size());
        for (std::size_t i = 0; i < text_.lines.size(); ++i) {
            const std::size_t number = i + 1;
            const std::string_view line = text_.lines[i].text;
            // The whole line is split only where quotes or the format's vote need it.
            const bool quoted = line.find('"') != std::string_view::npos;
            if (quoted) {
                Split(i);
                CheckQuotes(number, split_.quoted);
            } else {
                Split(i, kRecordTypeField);
            }
            std::string type;
            if (line.empty()) {
                Add(Severity::Error, number, 0, "the line is empty");
            } else if (fields_.size() < static_cast<std::size_t>(kRecordTypeField)) {
                Add(Severity::Error, number, 0,
                    "the line has " + Counted(fields_.size(), "field", "fields") + ": it holds no record type");
            } else {
                type = ReadRecordType(number, fields_[kRecordTypeField - 1]);
            }
            if (FormatVotes::Weighs(type) && !quoted) Split(i);
            votes_.Add(type, fields_);
            types_.push_back(std::move(type));
        }
    }

    void CheckQuotes(std::size_t line, const std::vector<int>& quoted) {
        if (quoted.empty()) return;
        const std::string what = quoted.size() == 1 ? "the field is" : Counted(quoted.size(), "field", "fields") + " of the line are";
        Add(Severity::Error, line, quoted.front(), what + " in double quotes, which the bank reads as part of the value" + kWriteAgain);
    }

    std::string ReadRecordType(std::size_t line, std::string_view field) {
        const std::string type = KnownRecordType(field);
        if (type.empty()) {
            Add(Severity::Error, line, kRecordTypeField,
                "the record type " + ShownValue(field) + " is none of 01, 03, 06, 07, 08 and 09");
        } else if (type != field) {
            Add(Severity::Error, line, kRecordTypeField,
                "the record type " + ShownValue(field) + " is not " + type +
                    ": a spreadsheet may have dropped its leading zero" + kWriteAgain);
        }
        return type;
    }

    // The format, then each line's layout where its record belongs in a file of that format.
    bool PlaceRecords() {
        if (options_.format) {
            report_.format = options_.format;
        } else {
            const FormatChoice choice = votes_.Choice();
            if (!choice.format) {
                Add(Severity::Error, 1, 0, choice.undecided);
                return false;
            }
            report_.format = choice.format;
        }
        const PaymentFormatInfo& format = FormatInfo(*report_.format);
        const RecordLayout* header = format.headerLayout;
        layouts_.assign(types_.size(), nullptr);
        if (header && types_.front() != header->recordType)
            Add(Severity::Error, 1, 0, std::string("the file does not begin with its ") + header->recordType +
                                           " header: " + Contents(format));
        for (std::size_t i = 0; i < types_.size(); ++i) {
            const std::string& type = types_[i];
            if (type.empty()) continue;
            if (header && type == header->recordType) {
                if (i == 0) layouts_[i] = header;
                else Add(Severity::Error, i + 1, kRecordTypeField, "a second " + type + " header: " + Contents(format));
            } else if (type == format.paymentLayout->recordType) {
                layouts_[i] = format.paymentLayout;
            } else if (format.transferLayout && type == format.transferLayout->recordType) {
                layouts_[i] = format.transferLayout;
            } else {
                Add(Severity::Error, i + 1, kRecordTypeField,
                    "a " + type + " record does not belong here: " + Contents(format));
            }
        }
        return true;
    }

    // The line at `index`, split into fields_.
    void CheckRecord(std::size_t index) {
        const RecordLayout& layout = *layouts_[index];
        const std::vector<std::string_view>& fields = fields_;
        const std::size_t line = index + 1;
        if (!layout.isHeader) ++report_.payments;
        const auto expected = static_cast<std::size_t>(layout.fieldCount);
        if (fields.size() != expected) {
            std::string text = "the line has " + std::to_string(fields.size()) + " fields, not " + std::to_string(expected);
            if (fields.size() < expected) text += std::string(": a spreadsheet drops empty columns at the end") + kWriteAgain;
            Add(Severity::Error, line, 0, text);
            // Past a field too many, no field stands where the bank looks for it.
            if (fields.size() > expected) return;
        }
        const FieldSpec* next = layout.begin();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const int number = static_cast<int>(i + 1);
            const bool listed = next != layout.end() && next->number == number;
            CheckField(layout, line, number, listed ? next++ : nullptr, fields[i]);
        }
        if (!layout.isHeader) WarnOfNoReference(layout, line, fields);
        CheckWithBank(layout, line, fields);
    }

    // `field` is what the layout has at `number`, or null where it leaves the field empty.
    void CheckField(const RecordLayout& layout, std::size_t line, int number, const FieldSpec* field,
                    std::string_view value) {
        if (!field) {
            if (!value.empty())
                Add(Severity::Error, line, number,
                    "the field holds " + ShownValue(value) + ", but " + layout.description + " leaves it empty");
            return;
        }
        const std::vector<std::string> faults = FieldFaults(*field, value);
        for (const std::string& fault : faults) Add(Severity::Error, line, number, fault);
        if (!faults.empty()) return;
        if (field->content == FieldContent::ProcessingDate) CheckDay(line, number, value);
        if (field->content == FieldContent::Amount && !layout.isHeader) AddCents(cents_, value);
    }

    // The checks of the options dialog on the processing date, against the given today.
    void CheckDay(std::size_t line, int number, std::string_view value) {
        const double date = *ParseFileDate(value);
        const auto named = [&] { return "the processing date " + Slashed(value); };
        const std::string& today = today_;
        if (IsBeforeToday(date, options_.today)) return Add(Severity::Error, line, number, named() + " is before today, " + today);
        const BankingDay day = IsBankingDay(date, options_.holidays ? *options_.holidays : NoListedDays());
        if (!day.banking && day.kind != NonBankingKind::None) {
            Add(Severity::Error, line, number,
                named() + " falls on " + (day.kind == NonBankingKind::Weekend ? "a weekend" : "a bank holiday") +
                    ": the next likely banking day is " + Counted(static_cast<std::size_t>(day.advance), "day", "days") +
                    " later");
        }
        if (IsBeyondHorizon(date, options_.today))
            Add(Severity::Error, line, number,
                named() + " is more than " + std::to_string(kProcessingHorizonDays) + " days after today, " + today);
    }

    void CheckWithBank(const RecordLayout& layout, std::size_t line, const std::vector<std::string_view>& fields) {
        const FieldSpec* sortCode = layout.Find(FieldContent::PayeeSortCode);
        const FieldSpec* account = layout.Find(FieldContent::PayeeAccountNumber);
        if (!options_.accountTables || !sortCode || !account) return;
        if (static_cast<std::size_t>(std::max(sortCode->number, account->number)) > fields.size()) return;
        const std::string_view sortValue = fields[static_cast<std::size_t>(sortCode->number - 1)];
        const std::string_view accountValue = fields[static_cast<std::size_t>(account->number - 1)];
        // Only a pair of the right form can be checked; any other has its own finding.
        if (!FieldFaults(*sortCode, sortValue).empty() || !FieldFaults(*account, accountValue).empty()) return;
        if (PassesBankCheck(*options_.accountTables, sortValue, accountValue)) return;
        Add(Severity::Error, line, account->number,
            "the payee account number " + std::string(accountValue) + " fails the bank's account number check for "
            "sort code " + std::string(sortValue));
    }

    void WarnOfNoReference(const RecordLayout& layout, std::size_t line, const std::vector<std::string_view>& fields) {
        int first = 0;
        for (const FieldSpec& field : layout) {
            if (!ContentInfo(field.content).isReference) continue;
            const auto at = static_cast<std::size_t>(field.number);
            if (at <= fields.size() && !fields[at - 1].empty()) return;
            if (!first) first = field.number;
        }
        if (first)
            Add(Severity::Warning, line, first, "the payment has no reference: the payee will not see what it is for");
    }

    // `indexes` of each payment's line in the file.
    void WarnOfRepeats(const std::vector<PaymentIdentity>& identities, const std::vector<std::size_t>& indexes) {
        for (const std::vector<std::size_t>& group : RepeatedPayments(identities)) {
            const bool isTemplate = !layouts_[indexes[group.front()]]->Find(FieldContent::PayeeSortCode);
            for (const std::size_t payment : group) {
                std::vector<std::size_t> others;
                for (const std::size_t other : group) {
                    if (other != payment) others.push_back(indexes[other] + 1);
                }
                Add(Severity::Warning, indexes[payment] + 1, 0,
                    "the same payment as " + LineList(others) + ": the same " + (isTemplate ? "template" : "payee") +
                        ", amount and reference");
            }
        }
    }

    const VerifyOptions& options_;
    VerifyReport& report_;
    const std::string today_;  // DD/MM/YYYY
    UploadText text_;
    std::vector<std::string> types_;  // each line's record type, empty for none
    FormatVotes votes_;
    SplitLine split_;  // the line at hand
    const std::vector<std::string_view>& fields_ = split_.fields;
    std::vector<const RecordLayout*> layouts_;
    std::string cents_;
};

}  // namespace

std::size_t VerifyReport::Count(Severity severity) const {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(), [&](const Finding& f) { return f.severity == severity; }));
}

VerifyReport VerifyUploadFile(std::string_view bytes, const VerifyOptions& options) {
    VerifyReport report;
    Verification(options, report).Run(bytes);
    std::stable_sort(report.findings.begin(), report.findings.end(), [](const Finding& a, const Finding& b) {
        return a.line != b.line ? a.line < b.line : a.field < b.field;
    });
    return report;
}
