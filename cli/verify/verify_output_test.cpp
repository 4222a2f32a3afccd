#include "cli/verify/verify_output.h"

#include <gtest/gtest.h>

namespace cli {

namespace {

VerifyReport Report() {
    VerifyReport report;
    report.format = PaymentFormat::BulkList;
    report.lines = 3;
    report.payments = 2;
    report.total = "12.50";
    report.findings = {{1, 0, Severity::Error, "line ends are LF, not CR LF"},
                       {3, 17, Severity::Warning, "say \"x\" \\ y"}};
    return report;
}

TEST(VerifyOutput, FindingsAndSummaryInTheShapeEditorsRead) {
    const VerifyReport report = Report();
    EXPECT_EQ(FindingLine("a.txt", report.findings[0]), "a.txt:1: error: line ends are LF, not CR LF\n");
    EXPECT_EQ(FindingLine("a.txt", report.findings[1]), "a.txt:3:17: warning: say \"x\" \\ y\n");
    EXPECT_EQ(SummaryLine("a.txt", report), "a.txt: bulk-list, 3 lines, 2 payments, total 12.50: 1 error, 1 warning\n");
    EXPECT_EQ(SummaryLine("b.txt", VerifyReport()), "b.txt: format unknown, 0 lines, 0 payments, total 0.00: 0 errors, 0 warnings\n");
}

TEST(VerifyOutput, JsonHoldsEveryFileOrWhyItCouldNotBeRead) {
    VerifyJson json;
    EXPECT_EQ(json.Text(), "{\"files\": [], \"errors\": 0, \"warnings\": 0}\n");
    json.Add("a \"1\".txt", Report());
    json.AddUnreadable("b.txt", "cannot read 'b.txt'");
    EXPECT_EQ(json.Text(),
              "{\"files\": [\n"
              "  {\"file\": \"a \\\"1\\\".txt\", \"format\": \"bulk-list\", \"lines\": 3, \"payments\": 2, \"total\": \"12.50\", "
              "\"errors\": 1, \"warnings\": 1, \"findings\": [\n"
              "    {\"line\": 1, \"field\": null, \"severity\": \"error\", \"text\": \"line ends are LF, not CR LF\"},\n"
              "    {\"line\": 3, \"field\": 17, \"severity\": \"warning\", \"text\": \"say \\\"x\\\" \\\\ y\"}\n"
              "  ]},\n"
              "  {\"file\": \"b.txt\", \"unreadable\": \"cannot read 'b.txt'\"}\n"
              "], \"errors\": 1, \"warnings\": 1}\n");
}

}  // namespace

}  // namespace cli
