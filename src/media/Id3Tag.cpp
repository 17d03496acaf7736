#include "media/Id3Tag.h"

#include <array>

namespace keytide {

namespace {

// Field offsets and sizes of an ID3v1 tag.
struct TagField {
    std::size_t offset;
    std::size_t size;
};
constexpr TagField kTitle{3, 30};
constexpr TagField kArtist{33, 30};
constexpr TagField kAlbum{63, 30};
constexpr TagField kYear{93, 4};
constexpr TagField kComment{97, 30};
constexpr std::size_t kGenreOffset = 127;

constexpr unsigned char kNoGenre = 126;

// Genre bytes 0 to 125, and 126 for none.
// clang-format off
constexpr std::array<std::string_view, kNoGenre + 1> kGenreNames{
    /*   0 */ "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk",
    /*   6 */ "Grunge", "Hip-Hop", "Jazz", "Metal", "New Age", "Oldies",
    /*  12 */ "Other", "Pop", "R&B", "Rap", "Reggae", "Rock",
    /*  18 */ "Techno", "Industrial", "Alternative", "Ska", "Death Metal", "Pranks",
    /*  24 */ "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk",
    /*  30 */ "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House",
    /*  36 */ "Game", "Sound Clip", "Gospel", "Noise", "AlternRock", "Bass",
    /*  42 */ "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock",
    /*  48 */ "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk",
    /*  54 */ "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta",
    /*  60 */ "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American", "Cabaret",
    /*  66 */ "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi",
    /*  72 */ "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical",
    /*  78 */ "Rock & Roll", "Hard Rock", "Folk", "Folk-Rock", "National Folk", "Swing",
    /*  84 */ "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic", "Bluegrass",
    /*  90 */ "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock",
    /*  96 */ "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour", "Speech",
    /* 102 */ "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass",
    /* 108 */ "Primus", "Porn Groove", "Satire", "Slow Jam", "Club", "Tango",
    /* 114 */ "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle",
    /* 120 */ "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House", "Dance Hall",
    /* 126 */ "",
};
// clang-format on

// A fixed-size text field: up to its first zero byte, without trailing blanks.
std::string FieldText(std::string_view tag, TagField field) {
    std::string_view text = tag.substr(field.offset, field.size);
    if (const auto end = text.find('\0'); end != std::string_view::npos) text = text.substr(0, end);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

std::string_view Id3v1GenreName(unsigned char genre) { return kGenreNames[genre > kNoGenre ? kNoGenre : genre]; }

TrackTags ReadId3v1Tag(std::string_view fileTail) {
    TrackTags data;
    if (fileTail.size() < kId3v1TagSize) return data;
    const std::string_view tag = fileTail.substr(fileTail.size() - kId3v1TagSize);
    if (tag.substr(0, 3) != "TAG") return data;

    data.found = true;
    data.title = FieldText(tag, kTitle);
    data.artist = FieldText(tag, kArtist);
    data.album = FieldText(tag, kAlbum);
    data.year = FieldText(tag, kYear);
    data.comment = FieldText(tag, kComment);
    data.genre = std::string(Id3v1GenreName(static_cast<unsigned char>(tag[kGenreOffset])));
    return data;
}

}  // namespace keytide
