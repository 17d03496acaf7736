#pragma once
// The open-file dialog of the editor's "..." button: programs first, any file
// on request; the chosen path and file must exist.
#include <windows.h>

#include "editor/EditorPorts.h"

namespace keytide::win32 {

class ExeFileDialog final : public FileChooser {
public:
    // The window the dialog belongs to (the editor); set once it exists.
    void SetOwner(HWND owner) { owner_ = owner; }
    std::optional<std::string> ChooseFile(const std::string& offered) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace keytide::win32
