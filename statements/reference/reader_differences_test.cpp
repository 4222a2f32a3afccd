// The reader against the reference on the sample statement and on lines made to be awkward; the
// saved fuzz inputs are compared by the reader_differences_fuzz target's replay.
#include "statements/reference/reader_differences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "statements/statement_test_lines.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace statement_test;

void ExpectSameAnswers(const std::string& what, const std::string& content) {
    for (const auto& difference : ReaderDifferences(content)) ADD_FAILURE() << what << ": " << difference;
}

// Each data line under both headers, with LF and with CRLF line ends, between two plain lines so
// that what follows a refused line is compared too.
void ExpectSameAnswersForLines(const std::string& what, const std::vector<std::string>& lines) {
    Line plain;
    plain.debit = "1.00";
    for (const auto& header : {kShortHeader, kLongHeader}) {
        for (const char* end : {"\n", "\r\n"}) {
            for (std::size_t i = 0; i < lines.size(); ++i) {
                ExpectSameAnswers(what + " " + std::to_string(i) + " [" + lines[i].substr(0, 60) + "]",
                                  Lines({header, plain.Short(), lines[i], plain.Long()}, end));
            }
        }
    }
}

TEST(ReaderDifferences, TheSampleStatement) {
    ExpectSameAnswers("samples/statement.csv", ReadFileBytes(VARROW_SAMPLE_STATEMENT));
}

TEST(ReaderDifferences, AQuoteInEveryPosition) {
    Line line;
    line.narratives[0] = "\"Smith, J & Co\"", line.debit = "\"1,234.56\"";
    std::vector<std::string> lines;
    for (const std::string& base : {line.Short(), line.Long()}) {
        for (std::size_t at = 0; at <= base.size(); ++at) lines.push_back(base.substr(0, at) + '"' + base.substr(at));
    }
    ExpectSameAnswersForLines("quote", lines);
}

TEST(ReaderDifferences, NulCrAndCommaInEveryPosition) {
    Line line;
    line.credit = "12.50";
    std::vector<std::string> lines;
    const std::string base = line.Long();
    for (const char c : {'\0', '\r', ','}) {
        for (std::size_t at = 0; at < base.size(); ++at) lines.push_back(base.substr(0, at) + c + base.substr(at + 1));
    }
    ExpectSameAnswersForLines("byte", lines);
}

TEST(ReaderDifferences, TheLastFieldRule) {
    Line line;
    std::vector<std::string> lines;
    for (const char* last : {"\"1,234.56\"", "\"1,234.56\"\r", "\"1,234.56\" trailing", "12.50\"", "\"12.50", "\"",
                             "\"\"", "a\"b\"c", "\"a,\"b\",c\"", "1\"2,3\"4", ",\"5.00\"", "\"7.00\",", "7,00"}) {
        line.credit = last;
        lines.push_back(line.Short());
        lines.push_back(line.Long());
        lines.push_back(line.ShortWithExtra(2) + last);
    }
    lines.push_back("\"" + line.Long());  // unclosed quote at the start
    lines.push_back(line.Long() + ",\"");  // unclosed quote at the end
    ExpectSameAnswersForLines("last field", lines);
}

TEST(ReaderDifferences, FieldCountsAround14And18) {
    Line line;
    line.credit = "3.00";
    std::vector<std::string> lines = {line.Short(), line.Long(), HeaderOf(13)};
    for (int extra = 1; extra <= 6; ++extra) lines.push_back(line.ShortWithExtra(extra));
    lines.push_back(line.Long() + ",19");
    lines.push_back(line.Long() + std::string(5, ','));
    ExpectSameAnswersForLines("fields", lines);
}

TEST(ReaderDifferences, LinesAndFieldsAtTheirLengthLimits) {
    Line line;
    line.credit = "1.00";
    std::vector<std::string> lines;
    for (const std::size_t length : {2046, 2047, 2048, 2049}) {
        Line padded = line;
        padded.narratives[0] = std::string(length - line.Short().size() + 2, 'x');
        lines.push_back(padded.Short());
    }
    for (const std::size_t length : {50, 51, 511, 512}) {
        Line wide = line;
        wide.narratives[0] = std::string(length, 'n');
        wide.date = "05/03/2010" + std::string(length - 10, ' ');
        wide.sortCode = std::string(length, '1');
        lines.push_back(wide.Short());
        lines.push_back(wide.Long());
    }
    ExpectSameAnswersForLines("length", lines);
}

// A column of 512 characters in each place, after a line longer than any column may be: the
// record keeps the columns before it. Long lines of short columns are read whole.
TEST(ReaderDifferences, AColumnTooLongInEachPlace) {
    Line line;
    line.debit = "1.00";
    const auto longFields = [](const Line& l) {
        std::vector<std::string> fields = l.Head();
        fields.insert(fields.end(), {l.narratives[1], l.narratives[2], l.narratives[3], l.narratives[4], l.type, l.debit, l.credit});
        return fields;
    };
    std::vector<std::string> lines;
    for (std::size_t column = 0; column < 18; ++column) {
        for (const std::size_t length : {511, 512}) {
            std::vector<std::string> fields = longFields(line);
            fields[column] = std::string(length, column >= 16 ? '1' : 'c');
            lines.push_back(Line::Join(fields));
            fields.erase(fields.begin() + 11, fields.begin() + 15);  // the short layout's 14
            if (column < 11 || column >= 15) lines.push_back(Line::Join(fields));
        }
    }
    Line spread = line;
    for (auto& narrative : spread.narratives) narrative = std::string(120, 'n');
    lines.push_back(spread.Long());
    lines.push_back(spread.Short() + "," + std::string(600, ' '));
    ExpectSameAnswersForLines("too long", lines);
}

TEST(ReaderDifferences, AmountsAtTheThresholdsAndOddShapes) {
    std::vector<std::string> lines;
    for (const char* amount :
         {"", "0", "0.000005", "0.0000050", "0.0000051", "0.000004999", "5e-6", "5E-6", "0.5e-5", "+0.000006", "-12.50",
          "1,234.56", "\"1,234.56\"", " 12.50 ", "\t12.50\v", "12.5.0", ".", ".5", "5.", "..", "BAC", "12.50 GBP",
          "(64.99)", "\xA3" "12.50", "9007199254740992", "9007199254740993", "900719925474099.3", "12345678901234567890",
          "0.00000000000000000000001", "0.0000000000000000000000123", "1e308", "1e309", "1e-400", "0x1p3", "inf", "nan",
          "00000000000000000000012.50", "1-2-3", "\"\"", "\"-\"", "\"12.50", "12.50\""}) {
        for (const bool debit : {true, false}) {
            Line line;
            (debit ? line.debit : line.credit) = amount;
            if (!debit) line.debit = "0.00";
            lines.push_back(line.Short());
            lines.push_back(line.Long());
        }
        Line both;
        both.debit = "1.00", both.credit = amount;  // the debit wins, the credit must still be an amount
        lines.push_back(both.Long());
    }
    ExpectSameAnswersForLines("amount", lines);
}

TEST(ReaderDifferences, DatesOfEveryShape) {
    std::vector<std::string> lines;
    for (const char* date : {"05/03/2010", "5/3/2010", "2010-03-05", "31/02/2010", "29/02/2012", "29/02/2100",
                             "00/01/2010", "01/13/2010", "30/12/1899", "31/12/1899", "01/01/0100", "31/12/9999",
                             "01/01/10000", "05/03/10", "05/03/49", "05/03/50", "\"05/03/2010", " 05/ 03/ 2010", "0a/03/2010",
                             "05-03-2010", "2010/03/05", "", "x", "99999999999/1/1", "05/03/2010 12:00"}) {
        Line line;
        line.date = date;
        lines.push_back(line.Long());
    }
    ExpectSameAnswersForLines("date", lines);
}

TEST(ReaderDifferences, BlankAndMissingLines) {
    for (const std::string& content : {std::string(), std::string("\n"), kShortHeader, kShortHeader + "\n\n \n\t\r\n",
                                      kLongHeader + "\n\nx\n", std::string(2048, 'h') + "\n", std::string(3, '\0')}) {
        ExpectSameAnswers("[" + content.substr(0, 20) + "]", content);
    }
}

}  // namespace
