#include "payments/status_codes.h"

#include "platform/string_resource.h"

namespace {
// The last code with a text of its own; 40 and beyond belong to no payment.
constexpr std::uint32_t kLastTextedCode = status::kFailsAccountCheck;
// StatusText loads into a 256-character buffer.
constexpr int kStatusTextLimit = 255;
}  // namespace

std::optional<std::string> StatusText(std::int32_t code) {
    // Taken as unsigned, so that negative codes land far above the table.
    const auto unsignedCode = static_cast<std::uint32_t>(code);
    if (unsignedCode > kLastTextedCode) return std::nullopt;
    std::string text = platform::LoadStringResource(kStatusTextBase + unsignedCode, kStatusTextLimit);
    if (text.empty()) return std::nullopt;
    return text;
}
