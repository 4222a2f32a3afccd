#include "statements/export/statement_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "statements/export/export_test_transactions.h"

namespace {

using export_test::Cheque;
using export_test::Date;
using export_test::Transaction;
using export_test::Written;

// Lists what the document kept of each transaction, account by account, with each account's
// count, dates and order.
class Listing : public StatementDocument {
public:
    void Write(const TextSink& out) const override {
        for (const Account& account : AccountsHeld()) {
            out(account.id.number + " " + std::to_string(account.count) + " " + std::to_string(account.first) + "-" +
                std::to_string(account.last) + (account.inDateOrder ? " in order\n" : "\n"));
            ForEachTransaction(account, [&](const KeptTransaction& t) { out(Line(t)); });
        }
    }

    static std::string Line(const KeptTransaction& t) {
        return std::to_string(t.date) + " " + std::to_string(t.amount) + (t.debit ? " D " : " C ") + std::string(t.typeCode) +
               " [" + std::string(t.chequeNumber) + "] " + std::string(t.narrative) + "\n";
    }
};

TEST(StatementDocument, KeepsEveryDatedTransactionOfEachAccountAsItCame) {
    // Two accounts in turn, long enough to fill several chunks: cheques, both directions, narratives
    // from none to the longest a cheque has.
    Listing document;
    std::string expected[2];
    double first[2] = {1e9, 1e9}, last[2] = {0, 0};
    for (int i = 0; i < 3000; ++i) {
        ExportedTransaction t = i % 5 == 0 ? Cheque(std::to_string(100000 + i), std::string(i % 255, 'p')) : Transaction();
        t.account = i % 2 ? "2" : "1";
        t.date = Date(2010, 1 + i % 12, 1 + i % 28);
        t.debit = i % 3 != 0;
        t.amount = i * 0.01;
        t.narrative = t.narrative.substr(0, i % 300);
        document.Add(t);
        expected[i % 2] += Listing::Line(t.Kept());
        first[i % 2] = std::min(first[i % 2], t.date);
        last[i % 2] = std::max(last[i % 2], t.date);
    }
    ExportedTransaction undated = Transaction();
    undated.account = "3";
    undated.date = 0;
    document.Add(undated);

    const std::string listed = Written(document);
    const auto heading = [&](int account) {
        return std::to_string(account + 1) + " 1500 " + std::to_string(first[account]) + "-" + std::to_string(last[account]) + "\n";
    };
    EXPECT_TRUE(listed == heading(0) + expected[0] + heading(1) + expected[1] + "3 0 0.000000-0.000000 in order\n");
    EXPECT_GT(document.KeptBytes(), 3000u * 17);
}

TEST(StatementDocument, NotesWhetherTheDatesAscend) {
    Listing document;
    for (const double date : {Date(2010, 3, 5), Date(2010, 3, 5), Date(2010, 3, 6)}) {
        ExportedTransaction t = Transaction();
        t.date = date;
        document.Add(t);
    }
    EXPECT_NE(Written(document).find(" in order\n"), std::string::npos);
    ExportedTransaction earlier = Transaction();
    earlier.date = Date(2010, 3, 4);
    document.Add(earlier);
    EXPECT_EQ(Written(document).find(" in order\n"), std::string::npos);
}

}  // namespace
