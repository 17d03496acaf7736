#pragma once
// How a ktd.ini file's bytes hold its text: in the system's ANSI code page
// (no byte-order mark), as UTF-8 with a mark (Notepad's "UTF-8 with BOM") or
// as UTF-16LE with a mark (Notepad's "Unicode"). The INI engine works on the
// ANSI bytes as they are, and on the Unicode files as UTF-8.
#include <string>
#include <string_view>

namespace keytide::ini {

enum class TextEncoding { Ansi, Utf8, Utf16Le };

struct FileText {
    TextEncoding encoding = TextEncoding::Ansi;
    // ANSI: the bytes. UTF-8: the bytes after the mark. UTF-16LE: the text as
    // UTF-8, an unpaired surrogate as its own three-byte sequence, so that
    // every file converts back to exactly its bytes.
    std::string text;
    // UTF-16LE: an odd last byte, which belongs to no character; kept for
    // writing back. Empty otherwise.
    std::string oddByte;
};

// The encoding the bytes announce with their byte-order mark, and their text.
FileText DecodeFileText(std::string_view bytes);

// The bytes of the text in its file's encoding, with its mark.
std::string EncodeFileText(const FileText& text);

// The text cut back so that it does not end inside a UTF-8 sequence (a value
// read up to the length limit may end in the middle of a character).
std::string_view WithoutCutSequence(std::string_view utf8);

}  // namespace keytide::ini
