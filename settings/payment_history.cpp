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
    std::string_view raw;   // with it, as it stands
    std::string_view digest;
    double processingDate = 0;
    double writtenOn = 0;
    std::string_view file;
};

// The dates of a history's lines, which repeat from line to line: each text is converted once.
class DateReader {
public:
    std::optional<double> Read(std::string_view text) {
        if (text == last_) return value_;
        const auto known = known_.find(text);
        value_ = known != known_.end() ? known->second : known_.emplace(text, ParseIsoDate(text)).first->second;
        last_ = text;
        return value_;
    }

private:
    std::string_view last_;
    std::optional<double> value_;
    std::unordered_map<std::string_view, std::optional<double>> known_;
};

std::optional<Entry> ParseEntry(std::string_view line, DateReader& dates) {
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
    const auto processing = dates.Read(parts[1]);
    const auto written = dates.Read(parts[2]);
    if (!processing || !written) return std::nullopt;
    entry.digest = parts[0];
    entry.processingDate = *processing;
    entry.writtenOn = *written;
    entry.file = parts[3];
    return entry;
}

// Hands each entry of a history's bytes to `visit`, in their order, and gives the numbers of the
// damaged lines. The first line names the file; blank lines and comments are nobody's damage.
// Nothing is gathered on the way: a history runs to a hundred thousand lines.
template <typename Visit>
std::vector<std::size_t> ForEachEntry(std::string_view bytes, Visit visit) {
    std::vector<std::size_t> damagedLines;
    DateReader dates;
    std::size_t number = 0;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        const std::string_view raw = bytes.substr(0, std::min(end + 1, bytes.size()));
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(raw.size());
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (auto entry = ParseEntry(line, dates)) {
            entry->raw = raw;
            visit(*entry);
        } else {
            damagedLines.push_back(number);
        }
    }
    return damagedLines;
}

// The history to be written, as pieces that follow one another: runs of the old history's bytes,
// kept as they stand, and the text made anew. A history mostly kept is thus never copied.
class HistoryText {
public:
    explicit HistoryText(std::string_view old) : old_(old) {}

    // A line of the old history, which must end as every line is written.
    void Keep(std::string_view raw) { Add({false, static_cast<std::size_t>(raw.data() - old_.data()), raw.size()}); }

    void Make(std::string_view text) {
        Add({true, made_.size(), text.size()});
        made_.append(text);
    }

    std::vector<std::string_view> Pieces() const {
        std::vector<std::string_view> pieces;
        pieces.reserve(spans_.size());
        for (const Span& span : spans_) pieces.push_back((span.made ? std::string_view(made_) : old_).substr(span.begin, span.size));
        return pieces;
    }

private:
    // Where a piece lies: made_ may still grow, so it is taken as a view only at the end.
    struct Span {
        bool made;
        std::size_t begin;
        std::size_t size;
    };

    void Add(const Span& span) {
        if (!spans_.empty() && spans_.back().made == span.made && spans_.back().begin + spans_.back().size == span.begin) {
            spans_.back().size += span.size;
        } else {
            spans_.push_back(span);
        }
    }

    std::string_view old_;
    std::string made_;
    std::vector<Span> spans_;
};

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
    // Only the identities asked are hashed; the history's digests are compared as the text they are.
    std::vector<std::string> digests;
    std::unordered_map<std::string_view, std::vector<std::size_t>> asked;
    if (key.state == Key::State::Read) {
        const HmacSha256 hmac(key.bytes);
        digests.reserve(identities.size());
        for (const std::string& identity : identities) digests.push_back(HexText(hmac.Of(identity)));
        for (std::size_t i = 0; i < digests.size(); ++i) asked[digests[i]].push_back(i);
    }
    bool anyCounts = false;
    lookup.damagedLines = ForEachEntry(history.bytes, [&](const Entry& entry) {
        if (entry.writtenOn < oldest_) return;
        anyCounts = true;
        const auto match = asked.find(entry.digest);
        if (match == asked.end()) return;
        for (const std::size_t i : match->second) {
            std::optional<PastWrite>& found = lookup.found[i];
            if (!found || entry.writtenOn >= found->writtenOn)
                found = PastWrite{std::string(entry.file), entry.processingDate, entry.writtenOn};
        }
    });
    if (!anyCounts || key.state == Key::State::Read) return lookup;
    if (key.state == Key::State::Failed) {
        lookup.failure = key.reason;
    } else {
        lookup.failure = "its key " + InFolder(folder_, kKeyName) +
                         " is missing or damaged, so the payments in it cannot be recognised";
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

    HistoryText text(history.bytes);
    text.Make(std::string(kFirstLine) + kLineEnd);
    if (!newKey) {
        ForEachEntry(history.bytes, [&](const Entry& entry) {
            if (entry.writtenOn < oldest_) return;
            // A line that already ends as written lines do stays as it stands.
            if (entry.raw.size() == entry.line.size() + 2 && entry.raw.substr(entry.line.size()) == kLineEnd) {
                text.Keep(entry.raw);
            } else {
                text.Make(entry.line);
                text.Make(kLineEnd);
            }
        });
    }
    const HmacSha256 hmac(key.bytes);
    const std::string dates = FormatIsoDate(processingDate).value_or("") + kSeparator + FormatIsoDate(today_).value_or("");
    const std::string written = kSeparator + dates + kSeparator + OnOneLine(file) + kLineEnd;
    for (const std::string& identity : identities) {
        text.Make(HexText(hmac.Of(identity)));
        text.Make(written);
    }
    std::string reason;
    if (!platform::ReplaceWholeFile(Path(), text.Pieces(), reason)) return "it cannot be written: " + reason;
    return std::nullopt;
}
