// Counting playlist entries past comments, blank lines and leading blanks.
#include "media/Playlist.h"

#include <gtest/gtest.h>

namespace keytide {
namespace {

struct EntryCase {
    const char* name;
    std::string text;
    int number;
    std::optional<std::string> expected;
};

TEST(Playlist, EntriesAreCountedPastCommentsAndBlankLines) {
    const std::string m3u =
        "#EXTM3U\r\n#EXTINF:123,Artist - One\r\nC:\\Music\\one.mp3\r\n\r\n   \r\n"
        "#EXTINF:99,Two\r\n  D:\\two.mp3\r\nthree.mp3";
    const EntryCase cases[] = {
        {"first after comments", m3u, 1, "C:\\Music\\one.mp3"},
        {"leading blanks dropped", m3u, 2, "D:\\two.mp3"},
        {"last line without line end", m3u, 3, "three.mp3"},
        {"past the end", m3u, 4, std::nullopt},
        {"number zero", m3u, 0, std::nullopt},
        {"negative number", m3u, -1, std::nullopt},
        {"empty text", "", 1, std::nullopt},
        {"only comments and blanks", "#a\n\n \t\n#b", 1, std::nullopt},
        {"LF line ends", "a\nb\n", 2, "b"},
        {"CR line ends", "a\rb\r", 2, "b"},
        {"trailing blanks kept", "x.mp3 \r\n", 1, "x.mp3 "},
        {"hash inside a line is no comment", "song#1.mp3\n", 1, "song#1.mp3"},
        {"blanks only at the end", "a\r\n   ", 2, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaylistEntry(c.text, c.number), c.expected);
    }
}

TEST(Playlist, EveryTruncationGivesWholeLinesOfWhatIsThere) {
    const std::string m3u = "#EXTM3U\r\n#EXTINF:1,a\r\n  C:\\one.mp3\r\n\r\nD:\\two.mp3\n#x\rthree\r\n";
    for (std::size_t size = 0; size <= m3u.size(); ++size) {
        const std::string text = m3u.substr(0, size);
        for (int number = 1; number <= 4; ++number) {
            const auto entry = PlaylistEntry(text, number);
            if (!entry) continue;
            EXPECT_FALSE(entry->empty());
            EXPECT_NE(text.find(*entry), std::string::npos) << size << " " << number;
            EXPECT_EQ(entry->find_first_of("\r\n"), std::string::npos);
        }
        EXPECT_EQ(PlaylistEntry(text, 1).has_value(), size >= 25) << size;  // the first entry begins at byte 24
    }
}

TEST(Playlist, TextWithZeroBytesStaysInBounds) {
    const std::string text("a\0b\nc", 5);
    EXPECT_EQ(PlaylistEntry(text, 1), std::string("a\0b", 3));
    EXPECT_EQ(PlaylistEntry(text, 2), "c");
}

}  // namespace
}  // namespace keytide
