#include "statements/line_reader.h"

#include <cstring>

LineReader::LineReader(std::streambuf& source, std::size_t maxLength, std::size_t blockSize)
    : m_source(source), m_maxLength(maxLength), m_blockSize(blockSize), m_block(new char[blockSize]) {}

LineReader::Status LineReader::Next(std::string_view& line) {
    if (m_tooLong) return Status::TooLong;
    std::size_t searched = m_begin;
    for (;;) {
        const void* lf = std::memchr(m_block.get() + searched, '\n', m_end - searched);
        const std::size_t length = lf ? static_cast<const char*>(lf) - (m_block.get() + m_begin) : m_end - m_begin;
        if (length > m_maxLength) {
            m_tooLong = true;
            return Status::TooLong;
        }
        if (lf || !Refill(searched)) {
            if (!lf && length == 0) return Status::End;
            line = std::string_view(m_block.get() + m_begin, length);
            m_begin += lf ? length + 1 : length;
            return Status::Line;
        }
    }
}

bool LineReader::Refill(std::size_t& searched) {
    if (m_sourceDone) return false;
    std::memmove(m_block.get(), m_block.get() + m_begin, m_end - m_begin);
    m_end -= m_begin;
    searched = m_end;
    m_begin = 0;
    const std::streamsize got = m_source.sgetn(m_block.get() + m_end, static_cast<std::streamsize>(m_blockSize - m_end));
    if (got <= 0) {
        m_sourceDone = true;
        return false;
    }
    m_end += static_cast<std::size_t>(got);
    return true;
}
