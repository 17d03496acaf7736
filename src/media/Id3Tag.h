#pragma once
// The ID3v1 tag at the end of a media file: 128 bytes beginning with "TAG".
#include <cstddef>
#include <string>
#include <string_view>

namespace keytide {

struct TTrackData {
    bool TagFound = false;
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string Year;
    std::string Comment;
    std::string Genre;
};

inline constexpr std::size_t kId3v1TagSize = 128;

// The track data of the tag in the last 128 bytes of fileTail (the end of a
// file, or the whole of a short one). No tag (TagFound false, texts empty)
// when there are fewer than 128 bytes or they do not begin with "TAG".
TTrackData ReadId3v1Tag(std::string_view fileTail);

// The genre name for a tag's genre byte; bytes above 126 count as 126, which
// has no name.
std::string_view Id3v1GenreName(unsigned char genre);

}  // namespace keytide
