#!/usr/bin/env bash
# Reading a large statement: `varrow statement` for one account among several, beside `wc -l` and
# two Python csv loops over the same file as yardsticks: one that only reads the rows, and one that
# does the command's work (selects the account's rows and writes them out as CSV). Reports
# throughput and peak resident memory, the latter for two file sizes to show that it does not grow
# with the file; where valgrind is at hand, the instructions per byte of the command on a 5 MB
# slice of the same file, counted by callgrind, which the machine's load does not change. Then each
# format of --to against csv for the same records, every record and one account's (QIF holds one
# account). Goals: at least 5 times the Python loop that does the same work, peak RSS under 8 MB
# and not growing, at most 10 instructions per byte; each format at most 1.25 times csv's
# processor time.
# Usage: bench/statement.sh [MEGABYTES]    (default 100; the second size is a quarter of it)
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-100}
varrow=build/native/varrow
[[ -x $varrow ]] || { echo "bench/statement.sh: build $varrow first (make build)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$varrow" "$work" "$megabytes" <<'PY'
import csv, os, subprocess, sys, time

varrow, work, megabytes = sys.argv[1], sys.argv[2], int(sys.argv[3])
HEADER = ("Sort Code,Account Number,Account Alias,Account Short Name,Currency,Account Type,BIC,Bank Name,"
          "Branch Name,Date,Type,Narrative #1,Narrative #2,Narrative #3,Narrative #4,Narrative #5,Debit,Credit\n")
ACCOUNTS = [("123456", "12345678"), ("123456", "87654321"), ("654321", "12345678"), ("112233", "44556677")]
PAYEES = ["TESCO STORES 2231", "Smith, J & Co", "HMRC PAYE, REF 123/AB45678", "British Gas, Dual Fuel",
          "Council Tax, Bath & NE Somerset", "Amazon Marketplace", "Salary, Varrow Ltd"]

def line(i):
    sort_code, account = ACCOUNTS[i % len(ACCOUNTS)]
    day, month = 1 + i % 28, 1 + i // 28 % 12
    payee = PAYEES[i % len(PAYEES)]
    amount = f'"{(i * 7919) % 250000 / 100:,.2f}"'
    debit, credit, kind = (amount, "", "DD") if i % 3 else ("", amount, "BGC")
    if i % 17 == 0:
        kind = "CHQ"
    return (f'{sort_code},{account},"Household, joint",J SMITH & A SMITH,GBP,Current Account,VARRGB22XXX,'
            f'Varrow Bank plc,"Quidlane, Bath",{day:02d}/{month:02d}/2023,"{payee}","Ref {i:08d}, batch 7",'
            f'"Posted {day:02d}/{month:02d}",,,{kind},{debit},{credit}\n')

def generate(path, size):
    block = "".join(line(i) for i in range(4096))
    with open(path, "w", newline="") as out:
        out.write(HEADER)
        written = len(HEADER)
        while written + len(block) <= size:
            out.write(block)
            written += len(block)
    with open(path, "rb") as f:  # into the page cache, so every reader below starts warm
        while f.read(1 << 20):
            pass

class Figures:
    """Best wall time and best processor time (user + system) of three runs of one command, and the
    largest peak resident set. Processor time and the peak come from /usr/bin/time, which forks the
    command from its own small process: a child forked from this Python would count Python's pages
    as its own until it executes the command."""

    def __init__(self, args):
        self.wall = self.cpu = self.rss = None
        measured = os.access("/usr/bin/time", os.X_OK)
        report_file = os.path.join(work, "time")
        for _ in range(3):
            timed = ["/usr/bin/time", "-f", "%M %U %S", "-o", report_file, *args] if measured else args
            start = time.perf_counter()
            status = subprocess.run(timed, stdout=subprocess.DEVNULL).returncode
            wall = time.perf_counter() - start
            if status != 0:
                sys.exit(f"bench/statement.sh: {' '.join(args)} failed with status {status}")
            self.wall = wall if self.wall is None else min(self.wall, wall)
            if measured:
                kilobytes, user, system = open(report_file).read().split()[-3:]
                self.rss = max(self.rss or 0, int(kilobytes) / 1024)
                cpu = float(user) + float(system)
                self.cpu = cpu if self.cpu is None else min(self.cpu, cpu)

class Timed:
    """Wall and processor time of a loop run in this process (the best of `runs`)."""

    def __init__(self, loop, runs=2):
        self.wall = self.cpu = None
        for _ in range(runs):
            wall, cpu = time.perf_counter(), time.process_time()
            loop()
            wall, cpu = time.perf_counter() - wall, time.process_time() - cpu
            self.wall = wall if self.wall is None else min(self.wall, wall)
            self.cpu = cpu if self.cpu is None else min(self.cpu, cpu)

def python_csv(path):
    rows = 0
    with open(path, newline="", encoding="latin-1") as f:
        for _ in csv.reader(f):
            rows += 1

def python_select_and_write(path, sort_code, account):
    """What `varrow statement --sort-code --account` does, in the plainest Python: the account's rows
    written out as CSV with the number, the ISO date, the direction, the amount, the type and the
    joined narrative."""
    with open(path, newline="", encoding="latin-1") as f, \
            open(os.devnull, "w", newline="", encoding="latin-1") as out:
        rows = csv.reader(f)
        next(rows, None)
        write = csv.writer(out, lineterminator="\n").writerow
        write(["number", "sort_code", "account", "date", "direction", "amount", "type", "narrative"])
        number = 0
        for row in rows:
            if len(row) < 14 or row[0][:6] != sort_code or row[1][:8] != account:
                continue
            type_column = 15 if len(row) == 18 else 11
            narratives = row[10:15] if len(row) == 18 else row[10:11]
            debit = float(row[type_column + 1].replace(",", "") or 0)
            credit = float(row[type_column + 2].replace(",", "") or 0)
            day, month, year = row[9].split("/")
            number += 1
            write([number, row[0], row[1], f"{year}-{month}-{day}", "debit" if debit else "credit",
                   debit or credit, row[type_column][:3], " ".join(n for n in narratives if n)])

def report(name, size, wall, cpu=None, rss=None):
    line = f"  {name:<50} {wall:6.2f} s {size / wall / 1e6:7.0f} MB/s"
    if cpu:
        line += f"   cpu {cpu:5.2f} s {size / cpu / 1e6:6.0f} MB/s"
    if rss is not None:
        line += f"   peak RSS {rss:4.1f} MB"
    print(line)

big = os.path.join(work, "big.csv")
small = os.path.join(work, "small.csv")
generate(big, megabytes * 1000 * 1000)
generate(small, megabytes * 1000 * 1000 // 4)
size, small_size = os.path.getsize(big), os.path.getsize(small)
account = ["--sort-code", "12-34-56", "--account", "12345678"]

print(f"statement bench: {size / 1e6:.0f} MB, long layout, quoted narratives with commas, 1 account of 4; "
      f"load average {os.getloadavg()[0]:.1f} on {os.cpu_count()} cores")
one = Figures([varrow, "statement", *account, big])
report("varrow statement --sort-code 12-34-56 --account 12345678", size, one.wall, one.cpu, one.rss)
wc = Figures(["wc", "-l", big])
report("wc -l", size, wc.wall, wc.cpu, wc.rss)
python_read = Timed(lambda: python_csv(big))
report("python3 csv.reader loop, reading only", size, python_read.wall, python_read.cpu)
python_same = Timed(lambda: python_select_and_write(big, "123456", "12345678"))
report("python3 csv loop, same work as varrow", size, python_same.wall, python_same.cpu)
quarter = Figures([varrow, "statement", *account, small])
report(f"varrow statement, same account, {small_size / 1e6:.0f} MB file", small_size, quarter.wall, quarter.cpu,
       quarter.rss)
every = Figures([varrow, "statement", big])
report("varrow statement, every record as CSV", size, every.wall, every.cpu, every.rss)

# Each format against csv writing the same records. OFX and QIF keep the transactions until the
# end (an account's statement names its first and last date before its transactions), so their
# memory grows with the file.
print("  each format against csv for the same records (processor time; goal <= 1.25 x csv):")
format_ratios = []
for selection, csv_figures, formats in (([], every, ("json", "ofx", "ofx2")),
                                        (account, one, ("json", "ofx", "ofx2", "qif"))):
    for name in formats:
        figures = Figures([varrow, "statement", "--to", name, *selection, big])
        label = f"varrow statement --to {name}, " + ("one account" if selection else "every record")
        report(label, size, figures.wall, figures.cpu, figures.rss)
        pick = (lambda f: f.cpu) if figures.cpu and csv_figures.cpu else (lambda f: f.wall)
        format_ratios.append((label, pick(figures) / pick(csv_figures)))
for label, ratio in format_ratios:
    print(f"    {label:<50} {ratio:4.2f} x csv")
worst_label, worst = max(format_ratios, key=lambda item: item[1])
print(f"  goal every format <= 1.25 x csv: {'met' if worst <= 1.25 else 'NOT met'} "
      f"(highest {worst:.2f} x: {worst_label})")

# On a busy machine the wall clock measures the other processes too; processor time does not.
def ratios(pick):
    return (pick(python_same) / pick(one), pick(python_read) / pick(one), pick(one) / pick(wc))

for name, pick in (("wall", lambda f: f.wall), ("cpu", lambda f: f.cpu)):
    if pick(one) and pick(wc):
        same, read, wc_ratio = ratios(pick)
        print(f"  {name:>4}: varrow is {same:.1f} x the python loop doing the same work, {read:.1f} x the one "
              f"reading only; wc -l is {wc_ratio:.1f} x varrow")
def instructions(args, path):
    """The instructions the command executes, counted by callgrind; None without valgrind."""
    if not os.access("/usr/bin/valgrind", os.X_OK):
        return None
    out = os.path.join(work, "callgrind.out")
    run = subprocess.run(["/usr/bin/valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", *args, path],
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    counted = [line for line in run.stderr.splitlines() if "Collected :" in line]
    return int(counted[-1].split()[-1]) if run.returncode == 0 and counted else None

slice_path = os.path.join(work, "slice.csv")
generate(slice_path, 5 * 1000 * 1000)
slice_size = os.path.getsize(slice_path)
per_byte = None
for name, args in (("varrow statement --sort-code 12-34-56 --account 12345678", [varrow, "statement", *account]),
                   ("varrow statement, every record as CSV", [varrow, "statement"])):
    counted = instructions(args, slice_path)
    if counted is None:
        print(f"  {name:<50} instructions not counted (no valgrind)")
        continue
    per_byte = per_byte or counted / slice_size
    print(f"  {name:<50} {counted / slice_size:6.1f} instructions per byte ({slice_size / 1e6:.1f} MB slice, callgrind)")
clock, ratio = ("cpu", python_same.cpu / one.cpu) if one.cpu else ("wall", python_same.wall / one.wall)
print(f"  goal >= 5 x the python loop doing the same work: {'met' if ratio >= 5 else 'NOT met'} "
      f"({ratio:.1f} x, {clock})")
if per_byte is not None:
    print(f"  goal <= 10 instructions per byte: {'met' if per_byte <= 10 else 'NOT met'} ({per_byte:.1f})")
if one.rss is None or quarter.rss is None:
    print("  goal peak RSS < 8 MB, not growing: not measured (no /usr/bin/time)")
else:
    grows = one.rss > quarter.rss + 0.5
    print(f"  goal peak RSS < 8 MB, not growing: {'met' if one.rss < 8 and not grows else 'NOT met'} "
          f"({quarter.rss:.1f} MB at {small_size / 1e6:.0f} MB, {one.rss:.1f} MB at {size / 1e6:.0f} MB)")
PY
