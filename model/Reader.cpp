#include "model/Reader.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/io/FolderItem.h"
#include "framework/io/TextInputStream.h"
#include "framework/text/Text.h"
#include "framework/widgets/OpenDialog.h"
#include "model/Module1.h"

namespace Module1 {

namespace {

// The stream with the number of the last line read, for messages.
struct Lines {
    fw::TextInputStream& in;
    std::int64_t number = 0;

    std::string Read() {
        ++number;
        return in.ReadLine();
    }
};

// Skips empty lines; at the end of the file the record keeps what it had.
// False when no line was read, the record untouched.
bool FetchNext(Lines& lines, std::string& record, std::int64_t& recordLine) {
    bool read = false;
    while (!lines.in.Eof()) {
        record = lines.Read();
        recordLine = lines.number;
        read = true;
        if (!record.empty()) break;
    }
    return read;
}

// A refused number as the file writes it: beyond the 64-bit range the
// saturated value would mislead.
std::string AsWritten(std::string_view text, std::int64_t value) {
    if (value != std::numeric_limits<std::int64_t>::max() && value != std::numeric_limits<std::int64_t>::min()) {
        return std::to_string(value);
    }
    const auto from = std::min(text.find_first_not_of(" \t"), text.size());
    const auto to = std::min(text.find_first_not_of("0123456789+-.eE", from), text.size());
    constexpr std::size_t kShown = 40;
    return to - from > kShown ? std::string(text.substr(from, kShown)) + "\xE2\x80\xA6"
                              : std::string(text.substr(from, to - from));
}

std::int64_t Count(const std::string& line, const char* what) {
    const std::int64_t n = fw::TruncateToInt64(fw::Val(line));
    if (n > kLastRow) {
        throw fw::UnsupportedFormatException("Die Datei enth\xC3\xA4lt " + AsWritten(line, n) + " " + what +
                                             "; h\xC3\xB6"
                                             "chstens " +
                                             std::to_string(kLastRow) + " sind m\xC3\xB6glich.");
    }
    return n;
}

// Fields 1 and 2 of a cleaned record split at single spaces, as NthField
// gives them, found in one pass and without copies.
struct TwoFields {
    std::string_view first, second;
};

TwoFields SplitTwo(std::string_view record) {
    const std::size_t a = record.find(' ');
    if (a == std::string_view::npos) return {record, {}};
    const std::string_view rest = record.substr(a + 1);
    return {record.substr(0, a), rest.substr(0, rest.find(' '))};
}

// What a file holds, kept apart until it has been read whole and accepted.
struct Staging {
    std::int64_t anzpkt = 0;
    std::int64_t anzlin = 0;
    std::vector<std::array<double, 2>> punkte;
    std::vector<std::array<std::int64_t, 2>> linien;
};

Staging ReadAll(fw::TextInputStream& in) {
    Staging s;
    Lines lines{in};
    std::string record;
    std::int64_t recordLine = 0;

    // A record repeated at the end of the file was cleaned already, and
    // cleaning changes a clean text no more: it gives the same values again.
    // Taking them over keeps a short file of one long line from costing up to
    // 3000 times that line.
    const std::string countLine = lines.Read();
    s.anzpkt = Count(countLine, "Punkte");
    if (s.anzpkt > 0) s.punkte.reserve(static_cast<std::size_t>(s.anzpkt));
    for (std::int64_t i = 1; i <= s.anzpkt; ++i) {
        if (!FetchNext(lines, record, recordLine) && i > 1) {
            s.punkte.push_back(s.punkte.back());
            continue;
        }
        CleanRecord(record);
        const TwoFields f = SplitTwo(record);
        s.punkte.push_back({fw::Val(f.first), fw::Val(f.second)});
    }

    FetchNext(lines, record, recordLine);
    s.anzlin = Count(record, "Linieneintr\xC3\xA4ge");
    if (s.anzlin > 0) s.linien.reserve(static_cast<std::size_t>(s.anzlin));
    for (std::int64_t k = 1; k <= s.anzlin; ++k) {
        if (!FetchNext(lines, record, recordLine) && k > 1) {
            s.linien.push_back(s.linien.back());
            continue;
        }
        CleanRecord(record);
        const TwoFields f = SplitTwo(record);
        const std::int64_t index = fw::TruncateToInt64(fw::Val(f.first));
        const std::int64_t pen = fw::TruncateToInt64(fw::Val(f.second));
        if (index < 0 || index > kLastRow) {
            throw fw::UnsupportedFormatException("Der Linieneintrag in Zeile " + std::to_string(recordLine) +
                                                 " verweist auf Punkt " + AsWritten(f.first, index) +
                                                 "; m\xC3\xB6glich sind 0 bis " + std::to_string(kLastRow) + ".");
        }
        s.linien.push_back({index, pen});
    }
    return s;
}

// Writes the counts and the rows they cover; every other row stays.
void Commit(const Staging& s) {
    anzpkt = s.anzpkt;
    for (std::int64_t i = 1; i <= s.anzpkt; ++i) {
        const auto& p = s.punkte[static_cast<std::size_t>(i - 1)];
        punkt.Set(i, 1, p[0]);
        punkt.Set(i, 2, p[1]);
    }
    anzlin = s.anzlin;
    for (std::int64_t k = 1; k <= s.anzlin; ++k) {
        const auto& l = s.linien[static_cast<std::size_t>(k - 1)];
        linie.Set(k, 1, l[0]);
        linie.Set(k, 2, l[1]);
    }
}

}  // namespace

void CleanRecord(std::string& record) {
    // One pass rather than one search per surplus space: a long line of
    // spaces must not take quadratic time. A space is always a single byte.
    if (record.find("  ") != std::string::npos) {
        std::string::size_type out = 0;
        for (std::string::size_type i = 0; i < record.size(); ++i) {
            if (record[i] == ' ' && out > 0 && record[out - 1] == ' ') continue;
            record[out++] = record[i];
        }
        record.resize(out);
    }
    if (!record.empty() && record[0] == ' ') record.erase(0, 1);
}

void datenlesen() {
    const fw::FolderItemPtr file = fw::GetOpenFolderItem("");
    if (!file) return;
    const std::shared_ptr<fw::TextInputStream> in = file->OpenAsTextFile();
    if (!in) throw fw::NilObjectException("Die Datei " + file->NativePath() + " liefert keinen Textstrom.");
    Commit(ReadAll(*in));
}

}  // namespace Module1
