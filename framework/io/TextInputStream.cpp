#include "framework/io/TextInputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/io/SystemErrorText_p.h"

namespace fw {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr char32_t kReplacement = 0xFFFD;

std::string Quoted(const std::string& path) { return "\xE2\x80\x9E" + path + "\xE2\x80\x9C"; }

// Digits in groups of three, as German writes them: 67.108.864.
std::string Grouped(std::int64_t n) {
    std::string digits = std::to_string(n);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(std::size_t(at), ".");
    return digits;
}

void CheckSize(const std::string& path, std::int64_t size) {
    if (size <= TextInputStream::kMaxFileBytes) return;
    throw UnsupportedFormatException("Die Datei " + Quoted(path) + " ist " + Grouped(size) +
                                     " Bytes gro\xC3\x9F, mehr als " +
                                     std::to_string(TextInputStream::kMaxFileBytes >> 20) + " MiB (" +
                                     Grouped(TextInputStream::kMaxFileBytes) + " Bytes); sie wird nicht gelesen.");
}

// Only a regular file is read: a pipe or a device could block or never end.
void CheckKind(const std::string& prefix, mode_t mode) {
    if (S_ISREG(mode)) return;
    const char* kind = S_ISDIR(mode)                    ? "Sie ist ein Ordner."
                       : S_ISFIFO(mode)                 ? "Sie ist eine benannte Pipe, keine gew\xC3\xB6hnliche Datei."
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "Sie ist ein Ger\xC3\xA4t, keine gew\xC3\xB6hnliche Datei."
                       : S_ISSOCK(mode)                 ? "Sie ist ein Socket, keine gew\xC3\xB6hnliche Datei."
                                                        : "Sie ist keine gew\xC3\xB6hnliche Datei.";
    throw IOException(prefix + kind);
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

struct TextInputStream::Impl {
    enum class Encoding { Utf8, Utf16LE, Utf16BE };

    std::string path;
    int fd = -1;
    std::int64_t bytesRead = 0;
    std::vector<char> buffer = std::vector<char>(kBufferSize);
    std::size_t pos = 0;
    std::size_t len = 0;
    bool drained = false;
    Encoding encoding = Encoding::Utf8;
    static constexpr int kNoUnit = -3;
    int pendingUnit = kNoUnit;  // a UTF-16 unit read ahead and not yet used
    std::int64_t linesRead = 0;

    ~Impl() {
        if (fd >= 0) ::close(fd);
    }

    // Makes at least n bytes available when the file still has them; false
    // when it has fewer.
    bool Ensure(std::size_t n) {
        if (len - pos >= n) return true;
        if (pos > 0) {
            std::memmove(buffer.data(), buffer.data() + pos, len - pos);
            len -= pos;
            pos = 0;
        }
        while (!drained && len < n) {
            const ssize_t got = ::read(fd, buffer.data() + len, buffer.size() - len);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                const int error = errno;
                throw IOException("Beim Lesen der Datei " + Quoted(path) +
                                  " ist ein Fehler aufgetreten: " + SystemErrorText(error));
            }
            drained = got == 0;
            len += static_cast<std::size_t>(got);
            // A file that grows while it is read is held to the same limit.
            bytesRead += got;
            CheckSize(path, bytesRead);
        }
        return len - pos >= n;
    }

    int GetByte() { return Ensure(1) ? static_cast<unsigned char>(buffer[pos++]) : -1; }

    // The next UTF-16 unit; -1 at the end, -2 for a lone byte at the end.
    int GetUnit() {
        if (pendingUnit != kNoUnit) {
            const int u = pendingUnit;
            pendingUnit = kNoUnit;
            return u;
        }
        const int a = GetByte();
        if (a < 0) return -1;
        const int b = GetByte();
        if (b < 0) return -2;
        return encoding == Encoding::Utf16LE ? (b << 8 | a) : (a << 8 | b);
    }

    bool AtEnd() { return pendingUnit == kNoUnit && !Ensure(1); }

    [[noreturn]] void TooLong() const {
        throw UnsupportedFormatException("Zeile " + std::to_string(linesRead + 1) + " der Datei " + Quoted(path) +
                                         " ist l\xC3\xA4nger als 1 MiB; die Datei wird nicht gelesen.");
    }

    std::string ReadUtf8Line() {
        std::string line;
        while (Ensure(1)) {
            const char* begin = buffer.data() + pos;
            const char* end = buffer.data() + len;
            const char* stop = begin;
            while (stop != end && *stop != '\n' && *stop != '\r') ++stop;
            const auto chunk = static_cast<std::size_t>(stop - begin);
            if (line.size() + chunk > kMaxLineBytes) TooLong();
            line.append(begin, chunk);
            pos += chunk;
            if (stop != end) {
                ++pos;
                if (*stop == '\r' && Ensure(1) && buffer[pos] == '\n') ++pos;
                break;
            }
        }
        return line;
    }

    std::string ReadUtf16Line() {
        std::string line;
        for (;;) {
            int u = GetUnit();
            if (u == -1) break;
            if (u == '\n') break;
            if (u == '\r') {
                const int next = GetUnit();
                if (next != -1 && next != '\n') pendingUnit = next;
                break;
            }
            char32_t c = kReplacement;
            if (u >= 0xD800 && u <= 0xDBFF) {
                const int low = GetUnit();
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
                } else if (low != -1) {
                    pendingUnit = low;
                }
            } else if (u >= 0 && (u < 0xDC00 || u > 0xDFFF)) {
                c = static_cast<char32_t>(u);
            }
            AppendUtf8(line, c);
            if (line.size() > kMaxLineBytes) TooLong();
        }
        return line;
    }
};

std::shared_ptr<TextInputStream> TextInputStream::Open(const std::string& path) {
    const std::string prefix = "Die Datei " + Quoted(path) +
                               " kann nicht ge\xC3\xB6"
                               "ffnet werden: ";
    // The path is judged before it is opened, so that a pipe is never opened
    // for a blocking read; the opened file is judged again, in case the path
    // has changed in between, and O_NONBLOCK keeps that open from waiting.
    struct stat st {};
    const auto judge = [&](bool failed) {
        if (failed) {
            const int error = errno;
            throw IOException(prefix + SystemErrorText(error));
        }
        CheckKind(prefix, st.st_mode);
        CheckSize(path, st.st_size);
    };
    judge(::stat(path.c_str(), &st) != 0);
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    judge(impl->fd < 0 || ::fstat(impl->fd, &st) != 0);
    ::fcntl(impl->fd, F_SETFL, ::fcntl(impl->fd, F_GETFL) & ~O_NONBLOCK);
    if (impl->Ensure(3) && std::memcmp(impl->buffer.data(), "\xEF\xBB\xBF", 3) == 0) {
        impl->pos = 3;
    } else if (impl->Ensure(2)) {
        const auto b0 = static_cast<unsigned char>(impl->buffer[0]);
        const auto b1 = static_cast<unsigned char>(impl->buffer[1]);
        if (b0 == 0xFF && b1 == 0xFE) {
            impl->encoding = Impl::Encoding::Utf16LE;
            impl->pos = 2;
        } else if (b0 == 0xFE && b1 == 0xFF) {
            impl->encoding = Impl::Encoding::Utf16BE;
            impl->pos = 2;
        }
    }
    return std::shared_ptr<TextInputStream>(new TextInputStream(std::move(impl)));
}

TextInputStream::TextInputStream(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TextInputStream::~TextInputStream() = default;

std::string TextInputStream::ReadLine() {
    if (impl_->AtEnd()) return {};
    std::string line = impl_->encoding == Impl::Encoding::Utf8 ? impl_->ReadUtf8Line() : impl_->ReadUtf16Line();
    ++impl_->linesRead;
    return line;
}

bool TextInputStream::Eof() { return impl_->AtEnd(); }

}  // namespace fw
