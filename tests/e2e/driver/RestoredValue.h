#pragma once
// A registry value put back (or removed again) when the guard ends.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "Driver.h"

namespace ktd::e2e {

class RestoredValue {
 public:
  RestoredValue(HKEY root, std::string key, std::string name)
      : root_(root), key_(std::move(key)), name_(std::move(name)), old_(regReadString(root_, key_, name_)) {}
  RestoredValue(const RestoredValue&) = delete;
  RestoredValue& operator=(const RestoredValue&) = delete;
  ~RestoredValue() {
    if (old_) {
      regWriteString(root_, key_, name_, *old_);
    } else {
      regDeleteValue(root_, key_, name_);
    }
  }

 private:
  HKEY root_;
  std::string key_;
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace ktd::e2e
