#include "settings/ConfigFile.h"

#include <algorithm>
#include <utility>

#include "model/Error.h"
#include "model/Names.h"

namespace keytide {

ConfigFile::ConfigFile(platform::FileSystem& files, const platform::CodePage& codePage,
                       platform::UserMessages& messages, std::string path)
    : files_(files), codePage_(codePage), messages_(messages), path_(std::move(path)) {}

ConfigFile::Contents ConfigFile::Load() {
    platform::FileRead read = files_.ReadFile(path_, platform::kMaxReadSize);
    switch (read.status) {
    case platform::FileReadStatus::Read: {
        unreadableReported_ = false;
        ini::IniDocument document = ini::IniDocument::FromBytes(read.bytes, codePage_);
        lastEncoding_ = document.Encoding();
        return {LoadResult::Loaded, std::move(document)};
    }
    case platform::FileReadStatus::Missing:
        if (std::any_of(parts_.begin(), parts_.end(), [](const ConfigPart* part) { return part->holdsFileValues_; })) {
            return WriteBack();
        }
        return {LoadResult::Missing, ini::IniDocument(codePage_)};
    case platform::FileReadStatus::Unreadable:
    case platform::FileReadStatus::TooLarge:
        break;
    }
    if (!unreadableReported_) {
        unreadableReported_ = true;
        messages_.ShowError(names::kProgramTitle, platform::ErrorBoxText(FillTemplate("Cannot read file %s", path_)));
    }
    return {LoadResult::Unreadable, ini::IniDocument(codePage_)};
}

ConfigFile::Contents ConfigFile::WriteBack() {
    ini::IniDocument document = ini::IniDocument::FromBytes(ini::EncodeFileText({lastEncoding_, {}, {}}), codePage_);
    for (ConfigPart* part : parts_) {
        if (part->holdsFileValues_) part->writeBack_(document);
    }
    if (!files_.WriteReplacing(path_, document.ToBytes())) {
        messages_.ShowError(names::kProgramTitle, platform::ErrorBoxText(FillTemplate("Unable to write to %s", path_)));
    }
    return {LoadResult::Loaded, std::move(document)};
}

void ConfigFile::Save(const std::function<void(ini::IniDocument&)>& write) {
    // A read-only file stays as it is: moving a new file over it works on
    // some file systems, and would drop the user's read-only mark with it.
    const auto attributes = files_.Attributes(path_);
    if (attributes && (attributes->readOnly || attributes->directory)) ThrowUnableToWrite();

    platform::FileRead read = files_.ReadFile(path_, platform::kMaxReadSize);
    ini::IniDocument document(codePage_);
    if (read.status == platform::FileReadStatus::Read) {
        document = ini::IniDocument::FromBytes(read.bytes, codePage_);
        lastEncoding_ = document.Encoding();
    } else if (read.status != platform::FileReadStatus::Missing) {
        ThrowUnableToWrite();  // its other lines cannot be kept
    }
    write(document);
    const std::string bytes = document.ToBytes();
    if (files_.WriteReplacing(path_, bytes)) return;
    // Another program holding the file open (an editor, a virus scanner)
    // keeps it from being replaced, but not from being written in place.
    if (attributes && files_.WriteInPlace(path_, bytes)) return;
    ThrowUnableToWrite();
}

void ConfigFile::ThrowUnableToWrite() const { throw KeytideError(FillTemplate("Unable to write to %s", path_)); }

ConfigPart::ConfigPart(ConfigFile& file, std::function<void(ini::IniDocument&)> writeBack)
    : file_(file), writeBack_(std::move(writeBack)) {
    file_.parts_.push_back(this);
}

ConfigPart::~ConfigPart() { std::erase(file_.parts_, this); }

ini::IniDocument ConfigPart::Load() {
    ConfigFile::Contents contents = file_.Load();
    standsInForUnreadFile_ = contents.result == LoadResult::Unreadable;
    holdsFileValues_ = contents.result == LoadResult::Loaded;
    return std::move(contents.document);
}

void ConfigPart::Save(const std::function<void(ini::IniDocument&)>& write) {
    if (standsInForUnreadFile_) file_.ThrowUnableToWrite();
    file_.Save(write);
    holdsFileValues_ = true;
}

}  // namespace keytide
