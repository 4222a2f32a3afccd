#include "payments/upload_line.h"

#include <stdexcept>

namespace {

bool BreaksLineShape(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n' || c == '\0'; }

}  // namespace

UploadLine::UploadLine(std::string& out, int fieldCount) : m_out(out), m_fieldCount(fieldCount) {
    if (fieldCount < 1) throw std::logic_error("an upload line needs at least one field");
}

void UploadLine::AdvanceTo(int field) {
    m_out.append(static_cast<std::size_t>(field - m_current), ',');
    m_current = field;
}

UploadLine& UploadLine::Put(int field, std::string_view text) {
    const bool inOrder = field > m_current || (field == m_current && !m_currentFilled);
    if (m_finished || field > m_fieldCount || !inOrder) {
        throw std::logic_error("upload line field " + std::to_string(field) + " out of place");
    }
    AdvanceTo(field);
    m_currentFilled = true;
    const std::size_t start = m_out.size();
    m_out.append(text);
    for (auto c = m_out.begin() + static_cast<std::ptrdiff_t>(start); c != m_out.end(); ++c) {
        if (BreaksLineShape(*c)) *c = kReplacementCharacter;
    }
    return *this;
}

void UploadLine::Finish() {
    if (m_finished) throw std::logic_error("upload line finished twice");
    AdvanceTo(m_fieldCount);
    m_out += "\r\n";
    m_finished = true;
}
