#pragma once
// A text file read line by line. A line ends at LF, CRLF or CR; a line end at
// the very end of the file adds no empty line. Text is UTF-8, a leading UTF-8
// byte-order mark is dropped; a file that starts with a UTF-16 byte-order mark
// is decoded as UTF-16. Invalid bytes are handed on, never refused.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class TextInputStream {
public:
    // No line is read whole beyond this many bytes (as UTF-8), so memory stays
    // bounded whatever the file holds.
    static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
    // No file above this size is read, so that reading never takes long.
    static constexpr std::int64_t kMaxFileBytes = std::int64_t{64} << 20;

    // Only regular files are read. Raises IOException, naming the file, when
    // it cannot be opened or is none (a folder, pipe, device or socket), and
    // UnsupportedFormatException when it is larger than kMaxFileBytes.
    static std::shared_ptr<TextInputStream> Open(const std::string& path);

    ~TextInputStream();
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    // The next line without its end; "" at the end of the file. Raises
    // IOException on a read error and UnsupportedFormatException for a line
    // longer than kMaxLineBytes.
    std::string ReadLine();
    // True as soon as the last line has been read. (EOF itself is a C macro.)
    bool Eof();

private:
    struct Impl;
    explicit TextInputStream(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace fw
