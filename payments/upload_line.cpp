#include "payments/upload_line.h"

#include <stdexcept>

namespace {

bool BreaksLineShape(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n' || c == '\0'; }

}  // namespace

UploadLine::UploadLine(std::string& out, int fieldCount) : out_(out), fieldCount_(fieldCount) {
    if (fieldCount < 1) throw std::logic_error("an upload line needs at least one field");
}

void UploadLine::AdvanceTo(int field) {
    out_.append(static_cast<std::size_t>(field - current_), ',');
    current_ = field;
}

UploadLine& UploadLine::Put(int field, std::string_view text) {
    const bool inOrder = field > current_ || (field == current_ && !currentFilled_);
    if (finished_ || field > fieldCount_ || !inOrder) {
        throw std::logic_error("upload line field " + std::to_string(field) + " out of place");
    }
    AdvanceTo(field);
    currentFilled_ = true;
    const std::size_t start = out_.size();
    out_.append(text);
    for (auto c = out_.begin() + static_cast<std::ptrdiff_t>(start); c != out_.end(); ++c) {
        if (BreaksLineShape(*c)) *c = kReplacementCharacter;
    }
    return *this;
}

void UploadLine::Finish() {
    if (finished_) throw std::logic_error("upload line finished twice");
    AdvanceTo(fieldCount_);
    out_ += "\r\n";
    finished_ = true;
}
