// Writes the program's icons into a folder for the resource compiler:
// keytide.ico (the application icon), tray00.ico to tray89.ico, and
// trayicons.rc, which names them under the ids of shell/TrayIconResources.h.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "IcoFile.h"
#include "KeypadArt.h"
#include "shell/TrayIconResources.h"

namespace {

using namespace keytide::trayicons;
namespace icons = keytide::icons;

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

void WriteIcon(const std::filesystem::path& path, int picture, const auto& sizes) {
    std::vector<RgbaImage> images;
    for (int size : sizes) images.push_back(DrawTrayPicture(picture, size));
    const std::vector<std::uint8_t> bytes = EncodeIcoFile(images);
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

std::string TrayIconFileName(int picture) {
    char name[16];
    std::snprintf(name, sizeof name, "tray%02d.ico", picture);
    return name;
}

std::string ResourceScript() {
    std::string script =
        "// Written by tools/trayicons at build time: the application icon and the tray pictures.\n"
        "#include \"shell/TrayIconResources.h\"\n\n"
        "KEYTIDE_ICON_APPLICATION ICON \"keytide.ico\"\n";
    for (int picture = 0; picture < icons::kTrayPictureCount; ++picture) {
        script +=
            "KEYTIDE_ICON_TRAY_FIRST + " + std::to_string(picture) + " ICON \"" + TrayIconFileName(picture) + "\"\n";
    }
    return script;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: trayicons <output folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        static_assert(icons::kTrayPictureCount == kInactivePicture + 1, "the art draws every tray picture");
        WriteIcon(folder / "keytide.ico", kStillActivePicture, kApplicationIconSizes);
        for (int picture = 0; picture < icons::kTrayPictureCount; ++picture) {
            WriteIcon(folder / TrayIconFileName(picture), picture, kTrayPictureSizes);
        }
        WriteFile(folder / "trayicons.rc", ResourceScript());
    } catch (const std::exception& error) {
        std::cerr << "trayicons: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
