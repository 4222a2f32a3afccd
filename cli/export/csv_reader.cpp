#include "cli/export/csv_reader.h"

namespace cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class CsvParser {
public:
    explicit CsvParser(std::string_view text) : text_(text) {
        if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) at_ = kByteOrderMark.size();
    }

    std::vector<CsvRecord> Records() {
        std::vector<CsvRecord> records;
        while (!AtEnd()) {
            if (SkipLineBreak()) continue;  // an empty line holds no record
            records.push_back(Record());
        }
        return records;
    }

private:
    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek() const { return text_[at_]; }

    // Consumes CR LF, LF or a lone CR and counts the line.
    bool SkipLineBreak() {
        if (AtEnd()) return false;
        if (Peek() == '\r') {
            ++at_;
            if (!AtEnd() && Peek() == '\n') ++at_;
        } else if (Peek() == '\n') {
            ++at_;
        } else {
            return false;
        }
        ++line_;
        return true;
    }

    CsvRecord Record() {
        CsvRecord record;
        record.line = line_;
        for (;;) {
            record.fields.push_back(!AtEnd() && Peek() == '"' ? QuotedField() : PlainField());
            if (AtEnd() || SkipLineBreak()) return record;
            ++at_;  // the comma
        }
    }

    std::string PlainField() {
        const std::size_t start = at_;
        while (!AtEnd() && Peek() != ',' && Peek() != '\r' && Peek() != '\n') {
            if (Peek() == '"') throw CsvError(line_, "a double quote inside a field that does not start with one");
            ++at_;
        }
        return std::string(text_.substr(start, at_ - start));
    }

    std::string QuotedField() {
        const std::size_t openedOn = line_;
        ++at_;  // the opening quote
        std::string field;
        for (;;) {
            if (AtEnd()) throw CsvError(openedOn, "a quoted field is never closed");
            const char c = Peek();
            if (c == '"') {
                ++at_;
                if (AtEnd() || Peek() != '"') break;
                field += '"';
                ++at_;
            } else if (c == '\r' || c == '\n') {
                const std::size_t breakStart = at_;
                SkipLineBreak();  // kept as written, and counted
                field += text_.substr(breakStart, at_ - breakStart);
            } else {
                field += c;
                ++at_;
            }
        }
        if (!AtEnd() && Peek() != ',' && Peek() != '\r' && Peek() != '\n')
            throw CsvError(line_, "text after the closing quote of a field");
        return field;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

}  // namespace

std::vector<CsvRecord> ReadCsv(std::string_view text) { return CsvParser(text).Records(); }

}  // namespace cli
