#include "statements/reference/line_reader.h"

#include <cstring>

LineReader::LineReader(std::streambuf& source, std::size_t maxLength, std::size_t blockSize)
    : source_(source), maxLength_(maxLength), blockSize_(blockSize), block_(new char[blockSize]) {}

LineReader::Status LineReader::Next(std::string_view& line) {
    if (tooLong_) return Status::TooLong;
    std::size_t searched = begin_;
    for (;;) {
        const void* lf = std::memchr(block_.get() + searched, '\n', end_ - searched);
        const std::size_t length = lf ? static_cast<const char*>(lf) - (block_.get() + begin_) : end_ - begin_;
        if (length > maxLength_) {
            tooLong_ = true;
            return Status::TooLong;
        }
        if (lf || !Refill(searched)) {
            if (!lf && length == 0) return Status::End;
            line = std::string_view(block_.get() + begin_, length);
            begin_ += lf ? length + 1 : length;
            return Status::Line;
        }
    }
}

bool LineReader::Refill(std::size_t& searched) {
    if (sourceDone_) return false;
    std::memmove(block_.get(), block_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    searched = end_;
    begin_ = 0;
    const std::streamsize got = source_.sgetn(block_.get() + end_, static_cast<std::streamsize>(blockSize_ - end_));
    if (got <= 0) {
        sourceDone_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(got);
    return true;
}
