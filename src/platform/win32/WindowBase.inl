#pragma once
#include <exception>

namespace keytide::win32 {

template <typename Body>
void GuardCallback(Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& error) {
        ShowGeneralError(error.what());
    } catch (...) {
        ShowGeneralError("Unexpected error");
    }
}

}  // namespace keytide::win32
