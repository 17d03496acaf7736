#pragma once
// The ID3v1 tag at the end of a media file: 128 bytes beginning with "TAG".
#include <cstddef>
#include <string>
#include <string_view>

namespace keytide {

struct TrackTags {
    bool found = false;
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    std::string genre;
};

inline constexpr std::size_t kId3v1TagSize = 128;

// The track data of the tag in the last 128 bytes of fileTail (the end of a
// file, or the whole of a short one). No tag (found false, texts empty)
// when there are fewer than 128 bytes or they do not begin with "TAG".
TrackTags ReadId3v1Tag(std::string_view fileTail);

// The genre name for a tag's genre byte; bytes above 126 count as 126, which
// has no name.
std::string_view Id3v1GenreName(unsigned char genre);

}  // namespace keytide
