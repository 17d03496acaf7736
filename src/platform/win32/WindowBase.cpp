#include "platform/win32/WindowBase.h"

#include <stdexcept>
#include <string>

#include "platform/UserMessages.h"
#include "platform/win32/WideText.h"

namespace keytide::win32 {

WindowBase::~WindowBase() {
    if (HWND window = window_.get()) {
        // Unbind first so that WM_DESTROY and later do not reach a dying object.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
}

void WindowBase::Create(const CreateParams& params) {
    // Unicode windows: typed characters reach them whole, whatever the
    // system's ANSI code page holds.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring className = Widen(params.className);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, className.c_str(), &existing)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &WindowBase::WindowProcedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = params.background;
        windowClass.hIcon = params.icon;
        windowClass.lpszClassName = className.c_str();
        if (!RegisterClassExW(&windowClass)) {
            throw std::runtime_error(std::string("Cannot register window class ") + params.className);
        }
    }
    HWND window = CreateWindowExW(params.exStyle, className.c_str(), Widen(params.title).c_str(), params.style,
                                  params.x, params.y, params.width, params.height, params.owner, nullptr, instance,
                                  this);
    if (window == nullptr) throw std::runtime_error(std::string("Cannot create window ") + params.className);
    // WM_NCCREATE has already bound window_; nothing more to do.
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<WindowBase*>(create->lpCreateParams);
        self->window_.reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        // Windows destroys the HWND itself now: the owner must not destroy it again.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        (void)self->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }

    LRESULT result = 0;
    bool handled = false;
    GuardCallback([&] {
        result = self->HandleMessage(message, wParam, lParam);
        handled = true;
    });
    return handled ? result : 0;
}

namespace {
const char* generalErrorCaption = nullptr;  // the system's "Error" until the program names itself
}  // namespace

void SetGeneralErrorCaption(const char* caption) noexcept { generalErrorCaption = caption; }

platform::OpenBoxes& ProgramBoxes() {
    static platform::OpenBoxes boxes;
    return boxes;
}

void ShowGeneralError(const char* text) noexcept {
    try {
        const std::string boxText = platform::ErrorBoxText(text);
        const char* caption = generalErrorCaption != nullptr ? generalErrorCaption : "";
        ProgramBoxes().ShowOnce(caption, boxText, [&] {
            MessageBoxW(nullptr, Widen(boxText).c_str(),
                        generalErrorCaption != nullptr ? Widen(generalErrorCaption).c_str() : nullptr,
                        MB_OK | MB_ICONERROR);
        });
    } catch (...) {
        MessageBoxA(nullptr, text, generalErrorCaption, MB_OK | MB_ICONERROR);
    }
}

}  // namespace keytide::win32
