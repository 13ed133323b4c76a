#include "framework/properties/PropertyRecord.h"

#include <algorithm>
#include <bit>
#include <string_view>

#include "framework/core/Exceptions.h"

namespace fw {

namespace {

// A broken record can hold anything where a name belongs; keep the message
// short and printable.
std::string Printable(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kMaxShown = 40;
    std::string shown;
    for (std::size_t i = 0; i < bytes.size() && i < kMaxShown; ++i) {
        const auto c = bytes[i];
        shown += (c >= 0x21 && c <= 0x7E) ? static_cast<char>(c) : '?';
    }
    if (bytes.size() > kMaxShown) shown += "...";
    return shown;
}

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> record) : record_(record) {}

    bool AtEnd() const { return pos_ == record_.size(); }

    PropertyEntry Next() {
        ++entryNumber_;
        entryStart_ = pos_;
        const auto rest = record_.subspan(pos_);
        const auto blank = std::find(rest.begin(), rest.end(), std::uint8_t{0x20});
        const auto nameBytes = rest.first(static_cast<std::size_t>(blank - rest.begin()));
        name_ = Printable(nameBytes);
        if (blank == rest.end()) Fail("der Name endet ohne Leerzeichen am Satzende");

        const std::string_view name(reinterpret_cast<const char*>(nameBytes.data()), nameBytes.size());
        const auto type = PropertyTypeOf(name);
        if (!type) Fail("unbekannte Eigenschaft");
        pos_ += nameBytes.size() + 1;

        PropertyEntry entry{std::string(name), {}};
        switch (*type) {
            case PropertyType::Integer:
                entry.value.emplace<std::int64_t>(static_cast<std::int64_t>(Unsigned(8)));
                break;
            case PropertyType::String: {
                const auto count = static_cast<std::size_t>(Unsigned(4));
                const auto text = Take(count);
                entry.value.emplace<std::string>(reinterpret_cast<const char*>(text.data()), text.size());
                break;
            }
            case PropertyType::Boolean: {
                const auto byte = Take(1)[0];
                if (byte > 1) Fail("ungültiger Wahrheitswert " + std::to_string(byte));
                entry.value.emplace<bool>(byte == 1);
                break;
            }
            case PropertyType::Color: {
                const auto c = Take(4);
                entry.value.emplace<Color>(Color{c[0], c[1], c[2], c[3]});
                break;
            }
            case PropertyType::Single:
                entry.value.emplace<float>(std::bit_cast<float>(static_cast<std::uint32_t>(Unsigned(4))));
                break;
            case PropertyType::Enum8:
                entry.value.emplace<std::uint8_t>(Take(1)[0]);
                break;
        }
        return entry;
    }

private:
    // Compares against what is left rather than adding to pos_, so a huge
    // string count cannot wrap around.
    std::span<const std::uint8_t> Take(std::size_t count) {
        if (count > record_.size() - pos_) Fail("der Wert reicht über das Satzende hinaus");
        const auto taken = record_.subspan(pos_, count);
        pos_ += count;
        return taken;
    }

    std::uint64_t Unsigned(std::size_t width) {
        const auto bytes = Take(width);
        std::uint64_t value = 0;
        for (std::size_t i = width; i-- > 0;) value = (value << 8) | bytes[i];
        return value;
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw UnsupportedFormatException("Eigenschaftssatz, Eintrag " + std::to_string(entryNumber_) + " \"" + name_ +
                                         "\" bei Byte " + std::to_string(entryStart_) + ": " + what + ".");
    }

    std::span<const std::uint8_t> record_;
    std::size_t pos_ = 0;
    std::size_t entryNumber_ = 0;
    std::size_t entryStart_ = 0;
    std::string name_;
};

}  // namespace

std::vector<PropertyEntry> DecodePropertyRecord(std::span<const std::uint8_t> record) {
    std::vector<PropertyEntry> entries;
    Reader reader(record);
    while (!reader.AtEnd()) entries.push_back(reader.Next());
    return entries;
}

}  // namespace fw
