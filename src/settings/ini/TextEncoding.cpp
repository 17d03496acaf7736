#include "settings/ini/TextEncoding.h"

#include <cstdint>

namespace keytide::ini {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16Le(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the sequence a lead byte starts; 0 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const auto unitAt = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
    };
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const std::uint32_t unit = unitAt(at);
        if (IsHighSurrogate(unit) && at + 3 < bytes.size() && IsLowSurrogate(unitAt(at + 2))) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00));
            at += 2;
        } else {
            AppendUtf8(out, unit);  // an unpaired surrogate too, as its own sequence
        }
    }
    return out;
}

// The inverse of Utf16LeToUtf8. Bytes that form no sequence (they can only
// come from a value written into the text) become U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = SequenceLength(lead);
        bool whole = length != 0 && at + length <= text.size();
        for (std::size_t i = 1; whole && i < length; ++i) {
            whole = IsContinuation(static_cast<unsigned char>(text[at + i]));
        }
        if (!whole) {
            AppendUtf16Le(out, 0xFFFD);
            ++at;
            continue;
        }
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        if (code > 0x10FFFF) {
            AppendUtf16Le(out, 0xFFFD);
        } else if (code >= 0x10000) {
            AppendUtf16Le(out, 0xD800 + ((code - 0x10000) >> 10));
            AppendUtf16Le(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            AppendUtf16Le(out, code);
        }
        at += length;
    }
    return out;
}

}  // namespace

FileText DecodeFileText(std::string_view bytes) {
    FileText file;
    if (bytes.starts_with(kUtf8Mark)) {
        file.encoding = TextEncoding::Utf8;
        file.text.assign(bytes.begin() + kUtf8Mark.size(), bytes.end());
    } else if (bytes.starts_with(kUtf16LeMark)) {
        file.encoding = TextEncoding::Utf16Le;
        const std::string_view units = bytes.substr(kUtf16LeMark.size());
        file.text = Utf16LeToUtf8(units);
        if (units.size() % 2 != 0) file.oddByte.assign(1, units.back());
    } else {
        file.text.assign(bytes.begin(), bytes.end());
    }
    return file;
}

std::string EncodeFileText(const FileText& file) {
    switch (file.encoding) {
    case TextEncoding::Utf8:
        return std::string(kUtf8Mark) + file.text;
    case TextEncoding::Utf16Le:
        return std::string(kUtf16LeMark) + Utf8ToUtf16Le(file.text) + file.oddByte;
    case TextEncoding::Ansi:
        break;
    }
    return file.text;
}

std::string_view WithoutCutSequence(std::string_view utf8) {
    // Step back over at most three continuation bytes to the last lead byte.
    std::size_t lead = utf8.size();
    for (int back = 0; back < 4 && lead > 0; ++back) {
        --lead;
        if (!IsContinuation(static_cast<unsigned char>(utf8[lead]))) break;
    }
    if (lead >= utf8.size()) return utf8;
    const std::size_t length = SequenceLength(static_cast<unsigned char>(utf8[lead]));
    if (length > 1 && lead + length > utf8.size()) return utf8.substr(0, lead);
    return utf8;
}

}  // namespace keytide::ini
