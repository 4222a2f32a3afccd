#pragma once
#include <cstddef>
#include <memory>
#include <streambuf>
#include <string_view>

// The lines of a stream, taken a large block at a time straight from its buffer. Finding each
// line's end in the block costs a fraction of extracting the line through the stream.
class LineReader {
public:
    enum class Status { Line, End, TooLong };

    static constexpr std::size_t kDefaultBlockSize = 64 * 1024;

    // Refuses lines of more than `maxLength` characters; `blockSize` must be larger than that.
    LineReader(std::streambuf& source, std::size_t maxLength, std::size_t blockSize = kDefaultBlockSize);

    // The next line, without its LF, valid until the next call: Line. A line ends at an LF or at
    // the end of the stream; End when nothing at all is left. TooLong for a line of more than
    // maxLength characters, after which nothing more is read and every call gives TooLong.
    Status Next(std::string_view& line);

private:
    // Moves what is not read yet to the front of the block and reads more behind it; false when
    // the stream has nothing more.
    bool Refill(std::size_t& searched);

    std::streambuf& source_;
    std::size_t maxLength_;
    std::size_t blockSize_;
    std::unique_ptr<char[]> block_;
    std::size_t begin_ = 0;  // the first character not read yet
    std::size_t end_ = 0;    // one past the last character in the block
    bool sourceDone_ = false;
    bool tooLong_ = false;
};
