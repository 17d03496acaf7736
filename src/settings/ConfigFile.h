#pragma once
// ktd.ini as the key sections and the settings see it: read whole once per
// load, and saved with one read of the file as it is now, the writes made in
// memory, and one write.
//
// A file that is there but cannot be read (access denied, held open without
// read sharing, larger than any ktd.ini) is not a missing file: the user's
// values are in it, so it is reported and nothing is saved over it.
//
// A file that goes missing while the program runs (deleted, or moved away)
// is no reason to drop the values read from it: the next load writes them
// back instead, and every part reads them from there.
#include <functional>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/UserMessages.h"
#include "settings/ini/IniDocument.h"

namespace keytide {

enum class LoadResult { Loaded, Missing, Unreadable };

class ConfigPart;

class ConfigFile {
public:
    ConfigFile(platform::FileSystem& files, const platform::CodePage& codePage, platform::UserMessages& messages,
               std::string path);

    const std::string& Path() const { return path_; }

    struct Contents {
        LoadResult result;
        ini::IniDocument document;  // empty unless Loaded
    };

    // One read. An unreadable file is reported ("Cannot read file <path>")
    // when a load first finds it so, and again only after a load in between
    // has succeeded: the key sections and the settings load one after the
    // other at start, and the user hears of it once. A missing file, while
    // some part holds values from it, is written anew with every such part's
    // values, in the encoding it had, and loads as that; a failing write is
    // reported ("Unable to write to <path>") and the values load all the same.
    Contents Load();

    // One read of the file as it is now, the writes applied to its text, one
    // write. Throws KeytideError "Unable to write to <path>", having written
    // nothing, when the file is there but cannot be read, is read-only or a
    // folder, or cannot be written. A missing file is created.
    void Save(const std::function<void(ini::IniDocument&)>& write);

    // Throws "Unable to write to <path>"; for values that may not be saved.
    [[noreturn]] void ThrowUnableToWrite() const;

private:
    friend class ConfigPart;
    Contents WriteBack();

    platform::FileSystem& files_;
    const platform::CodePage& codePage_;
    platform::UserMessages& messages_;
    std::string path_;
    bool unreadableReported_ = false;
    ini::TextEncoding lastEncoding_ = ini::TextEncoding::Ansi;
    std::vector<ConfigPart*> parts_;
};

// The part of the file that one store loads and saves. Values loaded while
// the file could not be read are defaults that stand in for the user's: they
// are never saved over the file, until a load has read it.
class ConfigPart {
public:
    // writeBack: writes the part's values as the file last held them, for a
    // file that has gone missing.
    ConfigPart(ConfigFile& file, std::function<void(ini::IniDocument&)> writeBack);
    ~ConfigPart();
    ConfigPart(const ConfigPart&) = delete;
    ConfigPart& operator=(const ConfigPart&) = delete;

    const std::string& Path() const { return file_.Path(); }
    ini::IniDocument Load();
    // As ConfigFile::Save; also refuses while the values stand in for an unread file.
    void Save(const std::function<void(ini::IniDocument&)>& write);

private:
    friend class ConfigFile;

    ConfigFile& file_;
    std::function<void(ini::IniDocument&)> writeBack_;
    bool standsInForUnreadFile_ = false;
    // The file has held this part's values: read from it, or saved.
    bool holdsFileValues_ = false;
};

}  // namespace keytide
