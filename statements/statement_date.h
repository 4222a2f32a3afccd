#pragma once
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

// The Date column as an OLE Automation date at 00:00: read day first (05/03/2010), and year first
// (2010-03-05) when that gives no date after 30 December 1899. A date that does not exist gives
// nothing instead of rolling into its neighbours, so an empty or impossible Date column gives 0.
// Two-digit years follow the platform's window (0-49 are 2000-2049, 50-99 are 1950-1999).
double ParseDate(std::string_view text);

// ParseDate of the shape nearly every Date column has, DD/MM/YYYY in digits, when it gives a date
// by the day-first reading; nothing otherwise, and ParseDate then reads it.
std::optional<double> ParsePlainDate(std::string_view text);

// ParsePlainDate keeping the dates it has converted by their text, one place for each day of the
// year: a statement covers few days, and each conversion goes through the platform. A Date column
// seen before costs a comparison of its ten characters. One per reader.
class PlainDates {
public:
    // Inline: the reader parses the Date column of every line, and nearly every one is known.
    std::optional<double> Parse(std::string_view text) {
        // A key holds the '/' of every text it may match, so no key is the empty places' zero.
        if (text.size() != 10 || text[2] != '/') return std::nullopt;
        Text key;
        std::memcpy(&key.head, text.data(), sizeof key.head);
        std::memcpy(&key.tail, text.data() + sizeof key.head, sizeof key.tail);
        // One place for each day and month. Any ten characters find a place; only their own text
        // finds its value there.
        const auto number = [&](std::size_t at) {
            return (static_cast<unsigned char>(text[at]) - unsigned{'0'}) * 10 +
                   static_cast<unsigned char>(text[at + 1]) - unsigned{'0'};
        };
        Converted& place = converted_[(number(0) & (kDays - 1)) | (number(3) & (kMonths - 1)) * kDays];
        if (place.text == key) return place.value;
        return Convert(text, key, place);
    }

private:
    // The ten characters of DD/MM/YYYY, in two parts.
    struct Text {
        std::uint64_t head = 0;  // DD/MM/YY
        std::uint16_t tail = 0;  // YY
        bool operator==(const Text& other) const noexcept { return head == other.head && tail == other.tail; }
    };
    struct Converted {
        Text text;  // all zero for none
        double value = 0;
    };
    static constexpr unsigned kDays = 32, kMonths = 16;  // powers of two, each above its largest

    // ParsePlainDate of a text not known yet, kept in `place` when it gives a date.
    static std::optional<double> Convert(std::string_view text, const Text& key, Converted& place);

    std::array<Converted, kDays * kMonths> converted_{};  // by day and month
};
