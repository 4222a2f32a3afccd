#!/usr/bin/python3
"""varrow statement's OFX, OFX 2, QIF and CSV, judged by the parsers that money programs use:
libofx's ofxdump, xmllint against libofx's OFX 2 DTD, Python's ofxparse and XML parser, hledger
with samples/varrow.csv.rules, and a QIF reader written here. Each file is compared with what
`varrow statement` writes as CSV for the same statement and account.

Usage: judged_formats_test.py VARROW SOURCE_DIR

Debian's Python modules (ofxparse) load only in /usr/bin/python3; the tools are found by their
absolute paths. scripts/install-deps installs them.
"""
import csv
import datetime
import decimal
import io
import os
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

OFXDUMP = "/usr/bin/ofxdump"
XMLLINT = "/usr/bin/xmllint"
HLEDGER = "/usr/bin/hledger"
DTD_DIR = "/usr/share/libofx7/libofx/dtd"
VARROW = SOURCE = None

LONG_HEADER = ("Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,"
               "Branch Name,Date,Type,Narrative #1,Narrative #2,Narrative #3,Narrative #4,Narrative #5,Debit,Credit")
SHORT_HEADER = ("Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,"
                "Branch Name,Date,Narrative #1,Type,Debit,Credit")
ACCOUNTS = {"A": ("123456", "12345678", "GBP", "Business Current"),
            "B": ("123456", "87654321", "", "Savings"),
            "C": ("654321", "12345678", "EUR", "Current")}


def long_line(account, date, narratives, kind, debit="", credit=""):
    sort_code, number, currency, account_type = ACCOUNTS[account]
    narratives = (list(narratives) + [""] * 5)[:5]
    return ",".join([sort_code, number, "Alias", "J SMITH", currency, account_type, "VARRGB22", "Varrow Bank",
                     "Quidlane", date, *narratives, kind, debit, credit])


def short_line(account, date, narrative, kind, debit="", credit=""):
    sort_code, number, currency, account_type = ACCOUNTS[account]
    return ",".join([sort_code, number, "Alias", "J SMITH", currency, account_type, "VARRGB22", "Varrow Bank",
                     "Quidlane", date, narrative, kind, debit, credit])


def table_codes():
    """The bank's Type codes that the writers' table knows, read from its source."""
    with open(os.path.join(SOURCE, "statements/export/transaction_type.h")) as f:
        source = f.read()
    codes = re.findall(r'\{(?:"([A-Z]+)"|kChequeType), "[^"]*", "[A-Z]+", BankTransactionType::', source)
    return [code or "CHQ" for code in codes]


def ofx_transaction_types():
    """OFX's own TRNTYPE values, from the enumeration in libofx's OFX 1.6 DTD."""
    with open(os.path.join(DTD_DIR, "ofx160.dtd"), encoding="latin-1") as f:
        dtd = f.read()
    enumeration = re.search(r'#ENTITY % TRANSACTIONENUM\s+#Enum\(([^)]*)\)', dtd).group(1)
    return set(re.findall(r'"([A-Z]+)"', enumeration))


def awkward_statement():
    """Several accounts, cheques both ways, every Type the table knows both ways, quoted commas,
    "£", "é", "–", "&", "<" and ">", identical transactions on one day, a transaction without a
    date, narratives empty, long or starting with a space, amounts quoted with grouping, signed,
    zero and with three decimals."""
    lines = [LONG_HEADER]
    for day, code in enumerate(table_codes(), start=1):
        narrative = ["%06d" % day, "PAYEE " + code] if code == "CHQ" else [code + " OUT"]
        lines.append(long_line("A", "%02d/03/2010" % day, narrative, code, debit="%d.25" % day))
        narrative = ["%06d" % (day + 100), "PAID IN"] if code == "CHQ" else [code + " IN"]
        lines.append(long_line("A", "%02d/03/2010" % day, narrative, code, credit="%d.75" % day))
    lines += [
        long_line("B", "20/03/2010", ['"Smith, J & Co"', "INV 42"], "BGC", credit='"1,234.56"'),
        long_line("A", "21/03/2010", ["CAF\xc9 \xa350 \u2013 LUNCH", "<b>BOLD</b> & more"], "POS", debit="-64.99"),
        long_line("C", "2010-03-22", ["EURO ACCOUNT"], "DD", debit="0.10"),
        long_line("A", "22/03/2010", ["COFFEE"], "POS", debit="2.80"),
        long_line("A", "22/03/2010", ["COFFEE"], "POS", debit="2.80"),
        long_line("A", "22/03/2010", ["COFFEE"], "POS", debit="2.80"),
        long_line("A", "31/02/2010", ["NO SUCH DAY"], "DD", debit="1.00"),
        long_line("B", "23/03/2010", ["", "SECOND LINE ONLY"], "SO", debit="12.345"),
        long_line("B", "24/03/2010", [], "MSC", credit=""),
        long_line("A", "25/03/2010", ["N" * 50, "O" * 50, "P" * 50, "Q" * 50, "R" * 50], "TFR", debit="99.99"),
        long_line("C", "26/03/2010", ['"He said ""hi"""'], "BAC", credit="5"),
    ]
    return lines


def short_statement():
    return [SHORT_HEADER,
            short_line("A", "05/03/2010", '"TESCO, STORES"', "DD", debit="12.50"),
            short_line("A", "06/03/2010", "000123", "CHQ", debit="25.00"),
            short_line("A", "07/03/2010", "CR\xc9DIT", "BGC", credit="7.10")]


def overlapping_statements():
    """Two downloads of one month, days 1 to 20 and days 10 to 31: each day holds a payment, a
    receipt and, every third day, the same coffee twice."""
    def day(d):
        date = "%02d/01/2011" % d
        lines = [long_line("A", date, ["SUPPLIER %d" % (d % 4)], "DD", debit="%d.00" % (10 + d % 3)),
                 long_line("A", date, ["CUSTOMER"], "BGC", credit="100.00")]
        if d % 3 == 0:
            lines += [long_line("A", date, ["COFFEE"], "POS", debit="2.80")] * 2
        return lines
    first = [LONG_HEADER] + [line for d in range(1, 21) for line in day(d)]
    second = [LONG_HEADER] + [line for d in range(10, 32) for line in day(d)]
    return first, second


def write_statement(folder, name, lines):
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
    return path


def varrow(*args):
    result = subprocess.run([VARROW, "statement", *args], capture_output=True)
    if result.returncode != 0:
        raise AssertionError("varrow statement %s failed (%d): %s" % (" ".join(args), result.returncode,
                                                                       result.stderr.decode("cp1252")))
    return result.stdout


class Row:
    """One line of the CSV output."""

    def __init__(self, fields):
        number, self.sort_code, self.account, date, direction, amount, self.type, self.narrative = fields
        self.number = int(number)
        self.date = datetime.date.fromisoformat(date) if date else None
        self.debit = direction == "debit"
        self.amount = decimal.Decimal(amount) * (-1 if self.debit else 1)

    def __repr__(self):
        return "row %d (%s %s %s %s %r)" % (self.number, self.account, self.date, self.amount, self.type,
                                           self.narrative)


def csv_rows(statement, *selection):
    text = varrow(*selection, statement).decode("cp1252")
    return [Row(fields) for fields in list(csv.reader(io.StringIO(text, newline="")))[1:]]


def by_account(rows):
    """The dated rows per account, the accounts in the order they first appear."""
    accounts = {}
    for row in rows:
        if row.date is not None:
            accounts.setdefault((row.sort_code, row.account), []).append(row)
    return accounts


ONE_ACCOUNT = ("--sort-code", "123456", "--account", "12345678")


class JudgedFormats(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        folder = cls.folder.name
        cls.statements = {
            "sample": os.path.join(SOURCE, "samples/statement.csv"),
            "awkward": write_statement(folder, "awkward.csv", awkward_statement()),
            "short": write_statement(folder, "short.csv", short_statement()),
        }
        first, second = overlapping_statements()
        cls.overlap = (write_statement(folder, "first.csv", first), write_statement(folder, "second.csv", second))

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def cases(self):
        """(name, statement, selection): every statement whole, and one account of each."""
        for name, statement in self.statements.items():
            yield name, statement, ()
            yield name + " one account", statement, ("--sort-code", "40-12-76", "--account", "41829374") \
                if name == "sample" else ONE_ACCOUNT

    def write(self, name, content):
        path = os.path.join(self.folder.name, name)
        with open(path, "wb") as f:
            f.write(content)
        return path

    def assert_transactions(self, where, rows, found, exact=True, printed_cents=False):
        """`found`: (date, amount, payee, memo, checknum, fitid, trntype) per transaction of one
        account, in order; OFX readers that trim text compare the trimmed narrative, and ofxdump
        prints amounts to the penny."""
        self.assertEqual(len(found), len(rows), where)
        trim = (lambda text: text) if exact else (lambda text: text.strip() if text else text)
        for row, (date, amount, payee, memo, checknum, fitid, trntype) in zip(rows, found):
            with self.subTest(where=where, row=row):
                self.assertEqual(date, row.date)
                if printed_cents:
                    self.assertLessEqual(abs(amount - row.amount), decimal.Decimal("0.005"))
                else:
                    self.assertEqual(amount, row.amount)
                self.assertEqual(trim(memo), trim(row.narrative) or None)
                self.assertEqual(trim(payee), trim(row.narrative[:32]) or None)
                self.assertEqual(checknum, row.type[:12] if row.narrative.startswith("CHQ ") else None)
                self.assertIn(trntype, ofx_transaction_types())
                if row.narrative.startswith("CHQ "):
                    self.assertEqual(trntype, "CHECK")
        fitids = [transaction[5] for transaction in found]
        self.assertEqual(len(set(fitids)), len(fitids), where + ": FITIDs repeat")

    def test_ofxdump_reads_every_ofx_file_without_an_error(self):
        for name, statement, selection in self.cases():
            rows = by_account(csv_rows(statement, *selection))
            for version, encoding in (("ofx", "utf-8"), ("ofx2", "cp1252")):
                where = "%s as %s" % (name, version)
                path = self.write("dump." + version, varrow("--to", version, *selection, statement))
                result = subprocess.run([OFXDUMP, path], capture_output=True, env=dict(os.environ, TZ="UTC"))
                errors = [line for line in result.stderr.decode("latin-1").splitlines() if "LibOFX ERROR" in line]
                self.assertEqual(errors, [], where)
                self.assertEqual(result.returncode, 0, where)
                # libofx hands an OFX 1.02 file's text on as UTF-8, an OFX 2 file's as it stands.
                found = ofxdump_transactions(result.stdout.decode(encoding))
                self.assertEqual(list(found), list(rows), where)
                for account, transactions in found.items():
                    self.assert_transactions("%s, %s" % (where, account), rows[account], transactions, exact=False,
                                             printed_cents=True)

    def test_xmllint_finds_every_ofx2_file_valid(self):
        for name, statement, selection in self.cases():
            balances = [()] if not selection else [(), ("--closing-balance", "-1234.56", "--balance-date", "31/12/2026")]
            for balance in balances:
                path = self.write("valid.ofx", varrow("--to", "ofx2", *selection, *balance, statement))
                result = subprocess.run([XMLLINT, "--noout", "--dtdvalid", os.path.join(DTD_DIR, "ofx201.dtd"), path],
                                        capture_output=True)
                self.assertEqual(result.returncode, 0, "%s %s: %s" % (name, balance, result.stderr.decode("latin-1")))

    def test_ofxparse_gives_back_the_csv_transactions(self):
        import ofxparse
        for name, statement, selection in self.cases():
            rows = by_account(csv_rows(statement, *selection))
            # Without a closing balance BALAMT is empty, which ofxparse refuses unless told to go on.
            ofx = ofxparse.OfxParser.parse(io.BytesIO(varrow("--to", "ofx", *selection, statement)), fail_fast=False)
            self.assertEqual([(a.routing_number, a.account_id) for a in ofx.accounts], list(rows), name)
            for account in ofx.accounts:
                transactions = [(t.date.date(), t.amount, t.payee or None, t.memo or None, t.checknum or None, t.id,
                                 t.type.upper()) for t in account.statement.transactions]
                self.assert_transactions("%s, %s" % (name, account.account_id),
                                         rows[(account.routing_number, account.account_id)], transactions, exact=False)

    def test_pythons_xml_parser_gives_back_the_csv_transactions_of_ofx2(self):
        for name, statement, selection in self.cases():
            rows = by_account(csv_rows(statement, *selection))
            root = ElementTree.fromstring(varrow("--to", "ofx2", *selection, statement))
            statements = root.findall("./BANKMSGSRSV1/STMTTRNRS/STMTRS")
            accounts = [(s.findtext("BANKACCTFROM/BANKID"), s.findtext("BANKACCTFROM/ACCTID")) for s in statements]
            self.assertEqual(accounts, list(rows), name)
            for account, stmt in zip(accounts, statements):
                transactions = [(datetime.datetime.strptime(t.findtext("DTPOSTED"), "%Y%m%d").date(),
                                 decimal.Decimal(t.findtext("TRNAMT")), t.findtext("NAME"), t.findtext("MEMO"),
                                 t.findtext("CHECKNUM"), t.findtext("FITID"), t.findtext("TRNTYPE"))
                                for t in stmt.findall("BANKTRANLIST/STMTTRN")]
                self.assert_transactions("%s, %s" % (name, account), rows[account], transactions)
                first, last = min(r.date for r in rows[account]), max(r.date for r in rows[account])
                self.assertEqual(stmt.findtext("BANKTRANLIST/DTSTART"), first.strftime("%Y%m%d"), name)
                self.assertEqual(stmt.findtext("BANKTRANLIST/DTEND"), last.strftime("%Y%m%d"), name)

    def test_the_closing_balance_reaches_every_reader(self):
        import ofxparse
        statement = self.statements["awkward"]
        balance = ("--closing-balance", "-1234.56", "--balance-date", "31/12/2026")
        ofx = ofxparse.OfxParser.parse(io.BytesIO(varrow("--to", "ofx", *ONE_ACCOUNT, *balance, statement)))
        self.assertEqual(ofx.account.statement.balance, decimal.Decimal("-1234.56"))
        self.assertEqual(ofx.account.statement.balance_date.date(), datetime.date(2026, 12, 31))
        for version in ("ofx", "ofx2"):
            path = self.write("balance." + version, varrow("--to", version, *ONE_ACCOUNT, *balance, statement))
            dump = subprocess.run([OFXDUMP, path], capture_output=True, env=dict(os.environ, TZ="UTC"))
            self.assertNotIn("LibOFX ERROR", dump.stderr.decode("latin-1"), version)
            self.assertIn("Ledger balance: -1234.56\n", dump.stdout.decode("latin-1"), version)
            self.assertIn("Ledger balance date: Thu Dec 31", dump.stdout.decode("latin-1"), version)

    def test_the_same_transactions_keep_their_fitids_across_overlapping_downloads(self):
        import ofxparse
        ids = []
        for statement in self.overlap:
            ofx = ofxparse.OfxParser.parse(io.BytesIO(varrow("--to", "ofx", statement)), fail_fast=False)
            ids.append([(t.date.date(), t.id) for t in ofx.account.statement.transactions])
        common = [datetime.date(2011, 1, d) for d in range(10, 21)]
        first = [fitid for date, fitid in ids[0] if date in common]
        second = [fitid for date, fitid in ids[1] if date in common]
        self.assertEqual(first, second)
        self.assertEqual(len(first), 11 * 2 + 3 * 2)
        every = {fitid for download in ids for date, fitid in download}
        self.assertEqual(len(every), 31 * 2 + 10 * 2, "one FITID per real transaction of the month")

    def test_a_qif_reader_finds_every_record(self):
        for name, statement, selection in self.cases():
            if not selection:
                continue
            rows = by_account(csv_rows(statement, *selection))
            for order, pattern in (("dmy", "%d/%m/%Y"), ("mdy", "%m/%d/%Y")):
                records = read_qif(varrow("--to", "qif", "--qif-dates", order, *selection, statement).decode("cp1252"))
                expected = [row for account in rows.values() for row in account]
                self.assertEqual(len(records), len(expected), name)
                for row, record in zip(expected, records):
                    with self.subTest(statement=name, order=order, row=row, record=record):
                        self.assertEqual(set(record), {"D", "T", "P", "M"} | ({"N"} if "N" in record else set()))
                        self.assertEqual(datetime.datetime.strptime(record["D"], pattern).date(), row.date)
                        self.assertRegex(record["D"], r"^\d\d/\d\d/\d{4}$")
                        self.assertEqual(decimal.Decimal(record["T"]), row.amount)
                        self.assertEqual(record.get("N"), row.type if row.narrative.startswith("CHQ ") else None)
                        self.assertEqual(record["P"], row.narrative)
                        self.assertEqual(record["M"], row.narrative)

    def test_hledger_reads_the_csv_with_the_shipped_rules(self):
        rules = os.path.join(SOURCE, "samples/varrow.csv.rules")
        for name, statement, selection in self.cases():
            rows = [row for account in by_account(csv_rows(statement, *selection)).values() for row in account]
            rows.sort(key=lambda row: (row.date, row.number))  # hledger prints by date
            # hledger reads UTF-8; the statement's text is Windows-1252 (iconv in the docs).
            path = self.write("ledger.csv", varrow(*selection, statement).decode("cp1252").encode("utf-8"))
            result = subprocess.run([HLEDGER, "-f", path, "--rules-file", rules, "print", "-O", "csv"],
                                    capture_output=True)
            self.assertEqual(result.returncode, 0, "%s: %s" % (name, result.stderr.decode("utf-8")))
            postings = list(csv.DictReader(io.StringIO(result.stdout.decode("utf-8"), newline="")))
            bank = [p for p in postings if p["account"].startswith("assets:bank:")]
            self.assertEqual(len(bank), len(rows), name)
            for row, posting in zip(rows, bank):
                with self.subTest(statement=name, row=row):
                    self.assertEqual(posting["date"], row.date.isoformat())
                    self.assertEqual(decimal.Decimal(posting["amount"]), row.amount)
                    self.assertEqual(posting["account"], "assets:bank:%s %s" % (row.sort_code, row.account))
                    self.assertEqual(posting["description"], row.narrative.strip())
                    self.assertEqual(posting["code"], row.type)
            others = [p["account"] for p in postings if not p["account"].startswith("assets:bank:")]
            self.assertEqual(others, ["expenses:unknown" if row.debit else "income:unknown" for row in rows], name)


def ofxdump_transactions(dump):
    """ofxdump's transactions per account, in order, as assert_transactions takes them."""
    accounts = {}
    for block in dump.split("\n\n"):
        if "ofx_proc_transaction():" not in block:
            continue
        fields = dict(re.findall(r"^    ([^:\n]+?) ?: (.*)$", block, re.M))
        account = tuple(fields["Account ID"].split())
        posted = datetime.datetime.strptime(fields["Date posted"].replace(" UTC", ""), "%a %b %d %H:%M:%S %Y")
        accounts.setdefault(account, []).append((
            posted.date(), decimal.Decimal(fields["Total money amount"]),
            fields.get("Name of payee or transaction description"), fields.get("Extra transaction information (memo)"),
            fields.get("Check number"), fields["Financial institution's ID for this transaction"],
            fields["Transaction type"].split(":")[0]))
    return accounts


def read_qif(text):
    """The records of a QIF bank file: a dict of its fields each, checking the file's shape."""
    lines = text.split("\r\n")
    if lines[0] != "!Type:Bank" or lines[-1] != "":
        raise AssertionError("not a QIF bank file: %r" % text[:40])
    records, record = [], {}
    for line in lines[1:-1]:
        if line == "^":
            records.append(record)
            record = {}
        elif line[:1] in "DTNPM" and line[:1] not in record:
            record[line[0]] = line[1:]
        else:
            raise AssertionError("unexpected QIF line %r" % line)
    if record:
        raise AssertionError("a record without ^: %r" % record)
    return records


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    VARROW, SOURCE = sys.argv[1], sys.argv[2]
    for tool in (OFXDUMP, XMLLINT, HLEDGER):
        if not os.access(tool, os.X_OK):
            sys.exit("judged_formats_test.py: %s is missing: run scripts/install-deps" % tool)
    unittest.main(argv=sys.argv[:1], verbosity=2)
