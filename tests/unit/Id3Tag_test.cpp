// The ID3v1 tag in a file's last 128 bytes, and files that hold none.
#include "media/Id3Tag.h"

#include <gtest/gtest.h>

namespace keytide {
namespace {

std::string Field(const std::string& text, std::size_t size, char fill = '\0') {
    std::string field = text.substr(0, size);
    field.resize(size, fill);
    return field;
}

std::string Tag(const std::string& title, const std::string& artist, const std::string& album, const std::string& year,
                const std::string& comment, unsigned char genre, char fill = '\0') {
    return "TAG" + Field(title, 30, fill) + Field(artist, 30, fill) + Field(album, 30, fill) + Field(year, 4, fill) +
           Field(comment, 30, fill) + std::string(1, static_cast<char>(genre));
}

TEST(Id3Tag, FieldsAreTakenFromTheLastBytes) {
    const std::string audio(1000, '\xFF');
    const TrackTags data = ReadId3v1Tag(audio + Tag("Title", "Artist", "Album", "1999", "Comment", 17));
    EXPECT_TRUE(data.found);
    EXPECT_EQ(data.title, "Title");
    EXPECT_EQ(data.artist, "Artist");
    EXPECT_EQ(data.album, "Album");
    EXPECT_EQ(data.year, "1999");
    EXPECT_EQ(data.comment, "Comment");
    EXPECT_EQ(data.genre, "Rock");
}

TEST(Id3Tag, BlankPaddedAndFullWidthFields) {
    const std::string thirty(30, 'x');
    const TrackTags padded = ReadId3v1Tag(Tag("Title", thirty, "A", "85", "", 0, ' '));
    EXPECT_EQ(padded.title, "Title");
    EXPECT_EQ(padded.artist, thirty);  // no terminator: the field ends at its size
    EXPECT_EQ(padded.year, "85");
    EXPECT_EQ(padded.comment, "");
    EXPECT_EQ(padded.genre, "Blues");

    // ID3v1.1: a zero byte and a track number at the end of the comment.
    std::string comment = Field("Nice", 28);
    comment += '\0';
    comment += '\x07';
    const TrackTags withTrack = ReadId3v1Tag(Tag("T", "A", "B", "2001", comment, 12));
    EXPECT_EQ(withTrack.comment, "Nice");
    EXPECT_EQ(withTrack.genre, "Other");
}

TEST(Id3Tag, NoTagInShortOrUntaggedFiles) {
    const std::string tag = Tag("Title", "Artist", "Album", "1999", "Comment", 1);
    const std::string cases[] = {
        "",
        "TAG",
        tag.substr(0, 127),  // one byte short of a tag
        tag.substr(1),       // truncated at the front: no "TAG" there
        tag + "x",           // tag not at the very end
        "TAB" + tag.substr(3),
        std::string(128, '\0'),
    };
    for (const auto& tail : cases) {
        SCOPED_TRACE(tail.size());
        const TrackTags data = ReadId3v1Tag(tail);
        EXPECT_FALSE(data.found);
        EXPECT_EQ(data.title, "");
        EXPECT_EQ(data.genre, "");
    }
}

TEST(Id3Tag, EveryTailOfATaggedFileIsReadWithinItsBytes) {
    const std::string file = std::string(200, 'a') + Tag("Title", "Artist", "Album", "1999", "Comment", 1);
    for (std::size_t size = 0; size <= file.size(); ++size) {
        SCOPED_TRACE(size);
        const std::string tail = file.substr(file.size() - size);  // an exact copy: no bytes beyond it
        const TrackTags data = ReadId3v1Tag(tail);
        EXPECT_EQ(data.found, size >= kId3v1TagSize);
        EXPECT_EQ(data.title, data.found ? "Title" : "");
    }
}

TEST(Id3Tag, GenreBytesAboveTheListHaveNoName) {
    struct Case {
        unsigned char genre;
        const char* name;
    };
    const Case cases[] = {{0, "Blues"}, {79, "Hard Rock"}, {80, "Folk"}, {125, "Dance Hall"},
                          {126, ""},    {127, ""},         {255, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.genre));
        EXPECT_EQ(Id3v1GenreName(c.genre), c.name);
        EXPECT_EQ(ReadId3v1Tag(Tag("", "", "", "", "", c.genre)).genre, c.name);
    }
}

}  // namespace
}  // namespace keytide
