#include "model/KeySlots.h"

namespace keytide {

std::string SlotSection(int slot) { return "NumPadKey" + std::to_string(slot); }

}  // namespace keytide
