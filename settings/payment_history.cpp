#include "settings/payment_history.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "common/sha256.h"
#include "common/written_date.h"
#include "platform/shared_file.h"
#include "platform/shell_folder.h"

namespace {

constexpr char kHistoryName[] = "PAYMENTS.HST";
constexpr char kKeyName[] = "PAYMENTS.KEY";
constexpr char kLockName[] = "PAYMENTS.LCK";
constexpr char kFirstLine[] =
    "# Varrow Online payment history: keyed SHA-256 digest, processing date, date written, file";
constexpr char kLineEnd[] = "\r\n";
constexpr char kSeparator = '\t';
constexpr std::size_t kKeySize = 32;
constexpr std::size_t kDigestDigits = 64;

std::string InFolder(const std::string& folder, const char* name) {
    return platform::AppendPath(folder, name).value_or(std::string());
}

bool IsLowerHex(std::string_view text) {
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

// One payment's line as it stands in the file.
struct Entry {
    std::string_view line;  // without its line end
    std::string_view digest;
    double processingDate = 0;
    double writtenOn = 0;
    std::string_view file;
};

// The dates of a history's lines, which repeat from line to line: each text is converted once.
class DateReader {
public:
    std::optional<double> Read(std::string_view text) {
        if (text != last_) {
            last_ = text;
            value_ = ParseIsoDate(text);
        }
        return value_;
    }

private:
    std::string_view last_;
    std::optional<double> value_;
};

std::optional<Entry> ParseEntry(std::string_view line, DateReader& processingDates, DateReader& writtenDates) {
    Entry entry;
    entry.line = line;
    std::string_view parts[4];
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t tab = line.find(kSeparator);
        if (tab == std::string_view::npos) return std::nullopt;
        parts[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    parts[3] = line;
    if (parts[0].size() != kDigestDigits || !IsLowerHex(parts[0]) || parts[3].empty() ||
        parts[3].find(kSeparator) != std::string_view::npos)
        return std::nullopt;  // a fifth field is damage too
    const auto processing = processingDates.Read(parts[1]);
    const auto written = writtenDates.Read(parts[2]);
    if (!processing || !written) return std::nullopt;
    entry.digest = parts[0];
    entry.processingDate = *processing;
    entry.writtenOn = *written;
    entry.file = parts[3];
    return entry;
}

// The entries of a history's bytes and the numbers of its damaged lines. The first line names the
// file; blank lines and comments are nobody's damage.
struct ParsedHistory {
    std::vector<Entry> entries;
    std::vector<std::size_t> damagedLines;
};

ParsedHistory Parse(std::string_view bytes) {
    ParsedHistory parsed;
    parsed.entries.reserve(bytes.size() / kDigestDigits);
    DateReader processingDates, writtenDates;
    std::size_t number = 0;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (auto entry = ParseEntry(line, processingDates, writtenDates)) {
            parsed.entries.push_back(*entry);
        } else {
            parsed.damagedLines.push_back(number);
        }
    }
    return parsed;
}

// The installation's key, as PAYMENTS.KEY holds it: 64 hexadecimal digits.
struct Key {
    enum class State { Read, MissingOrDamaged, Failed } state = State::MissingOrDamaged;
    std::string bytes;
    std::string reason;
};

std::optional<std::string> KeyBytes(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    if (text.size() != 2 * kKeySize || !IsLowerHex(text)) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
        bytes += static_cast<char>(digit(text[i]) * 16 + digit(text[i + 1]));
    }
    return bytes;
}

Key ReadKey(const std::string& path) {
    Key key;
    const platform::WholeFile file = platform::ReadWholeFile(path);
    if (file.state == platform::WholeFile::State::Failed) {
        key.state = Key::State::Failed;
        key.reason = "its key " + path + " cannot be read: " + file.reason;
        return key;
    }
    const auto bytes = file.state == platform::WholeFile::State::Read ? KeyBytes(file.bytes) : std::nullopt;
    if (bytes) {
        key.state = Key::State::Read;
        key.bytes = *bytes;
    }
    return key;
}

// A new random key, stored before any digest is made with it.
Key MakeKey(const std::string& path) {
    Key key;
    std::uint8_t bytes[kKeySize];
    if (!platform::RandomBytes(bytes, sizeof bytes)) {
        key.state = Key::State::Failed;
        key.reason = "the system gives no random numbers to make its key with";
        return key;
    }
    std::string reason;
    if (!platform::ReplaceWholeFile(path, HexText(bytes, sizeof bytes) + kLineEnd, reason)) {
        key.state = Key::State::Failed;
        key.reason = "its key " + path + " cannot be written: " + reason;
        return key;
    }
    key.state = Key::State::Read;
    key.bytes.assign(reinterpret_cast<const char*>(bytes), sizeof bytes);
    return key;
}

std::string WaitText(std::chrono::milliseconds wait) {
    const auto ms = wait.count();
    if (ms % 1000 != 0) return std::to_string(ms) + " milliseconds";
    return std::to_string(ms / 1000) + (ms == 1000 ? " second" : " seconds");
}

// A file name on one line of the history, whatever the platform let it hold.
std::string OnOneLine(std::string file) {
    for (char& c : file) {
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return file.empty() ? "?" : file;
}

}  // namespace

PaymentHistory::PaymentHistory(std::string folder, int days, double today, std::chrono::milliseconds lockWait)
    : folder_(std::move(folder)),
      oldest_(std::floor(today) - days),
      today_(std::floor(today)),
      lockWait_(lockWait) {}

std::string PaymentHistory::Path() const { return InFolder(folder_, kHistoryName); }

namespace {

platform::LockAttempt Lock(const std::string& folder, std::chrono::milliseconds wait, std::optional<std::string>& failure) {
    // Without its folder the history would land wherever the process happens to be.
    if (folder.empty()) {
        failure = "the folder of BANKSERV.INI cannot be found";
        return {};
    }
    const std::string path = InFolder(folder, kLockName);
    platform::LockAttempt attempt = platform::LockFile(path, wait);
    if (attempt.lock.IsEmpty()) {
        failure = attempt.busy ? "another payment run kept it locked for longer than " + WaitText(wait)
                               : "its lock file " + path + " cannot be opened: " + attempt.reason;
    }
    return attempt;
}

std::optional<std::string> HistoryFailure(const platform::WholeFile& history) {
    if (history.state != platform::WholeFile::State::Failed) return std::nullopt;
    return "it cannot be read: " + history.reason;
}

}  // namespace

HistoryLookup PaymentHistory::Find(const std::vector<std::string>& identities) const {
    HistoryLookup lookup;
    lookup.found.resize(identities.size());
    platform::WholeFile history;
    Key key;
    {
        const platform::LockAttempt locked = Lock(folder_, lockWait_, lookup.failure);
        if (lookup.failure) return lookup;
        history = platform::ReadWholeFile(Path());
        if ((lookup.failure = HistoryFailure(history))) return lookup;
        key = ReadKey(InFolder(folder_, kKeyName));
    }
    const ParsedHistory parsed = Parse(history.bytes);
    lookup.damagedLines = parsed.damagedLines;
    const bool anyCounts = std::any_of(parsed.entries.begin(), parsed.entries.end(),
                                       [&](const Entry& entry) { return entry.writtenOn >= oldest_; });
    if (!anyCounts) return lookup;
    if (key.state == Key::State::Failed) {
        lookup.failure = key.reason;
        return lookup;
    }
    if (key.state == Key::State::MissingOrDamaged) {
        lookup.failure = "its key " + InFolder(folder_, kKeyName) +
                         " is missing or damaged, so the payments in it cannot be recognised";
        return lookup;
    }
    const HmacSha256 hmac(key.bytes);
    std::vector<std::string> digests;
    digests.reserve(identities.size());
    std::unordered_map<std::string_view, std::vector<std::size_t>> asked;
    for (const std::string& identity : identities) digests.push_back(HexText(hmac.Of(identity)));
    for (std::size_t i = 0; i < digests.size(); ++i) asked[digests[i]].push_back(i);
    for (const Entry& entry : parsed.entries) {
        if (entry.writtenOn < oldest_) continue;
        const auto match = asked.find(entry.digest);
        if (match == asked.end()) continue;
        for (const std::size_t i : match->second) {
            std::optional<PastWrite>& found = lookup.found[i];
            if (!found || entry.writtenOn >= found->writtenOn)
                found = PastWrite{std::string(entry.file), entry.processingDate, entry.writtenOn};
        }
    }
    return lookup;
}

std::optional<std::string> PaymentHistory::Record(const std::vector<std::string>& identities, double processingDate,
                                                  const std::string& file) const {
    std::optional<std::string> failure;
    const platform::LockAttempt locked = Lock(folder_, lockWait_, failure);
    if (failure) return failure;
    const std::string keyPath = InFolder(folder_, kKeyName);
    Key key = ReadKey(keyPath);
    // Lines made with a key that is gone can never be recognised again: they go with it.
    const bool newKey = key.state == Key::State::MissingOrDamaged;
    if (newKey) key = MakeKey(keyPath);
    if (key.state == Key::State::Failed) return key.reason;
    const platform::WholeFile history = platform::ReadWholeFile(Path());
    // A history that cannot be read is never replaced: its entries would be lost.
    if ((failure = HistoryFailure(history))) return failure;

    std::string text = std::string(kFirstLine) + kLineEnd;
    text.reserve(history.bytes.size() + identities.size() * 128);
    if (!newKey) {
        for (const Entry& entry : Parse(history.bytes).entries) {
            if (entry.writtenOn >= oldest_) text.append(entry.line).append(kLineEnd);
        }
    }
    const HmacSha256 hmac(key.bytes);
    const std::string dates = FormatIsoDate(processingDate).value_or("") + kSeparator + FormatIsoDate(today_).value_or("");
    const std::string written = OnOneLine(file);
    for (const std::string& identity : identities) {
        text.append(HexText(hmac.Of(identity))).append(1, kSeparator).append(dates).append(1, kSeparator);
        text.append(written).append(kLineEnd);
    }
    std::string reason;
    if (!platform::ReplaceWholeFile(Path(), text, reason)) return "it cannot be written: " + reason;
    return std::nullopt;
}
