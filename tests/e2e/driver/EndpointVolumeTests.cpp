// Which device carries the master volume. Where Core Audio's endpoint volume
// of the default output answers (Windows Vista and later), the volume keys
// must act on it: it is the system-wide level the user hears, and the driver
// reads it from its own process. Otherwise the program falls back to the
// winmm mixer.
//
// Wine 8 differs: its IAudioEndpointVolume is a stub. GetChannelCount and the
// channel levels answer E_NOTIMPL, the master level reads 1.0 whatever was
// set, and mute is kept only in the object it was set on (a second Activate
// reads it unmuted); nothing reaches the sound server. So under Wine the
// program must choose the winmm mixer, and the keys' effect is checked by the
// volume tests through the bar; the endpoint steps below run on Windows.
#include <string>
#include <vector>

#include "Driver.h"  // windows.h first

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include "media/EndpointScale.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";

// Keypad "*" mute, "-" volume down, "+" volume up; no OSD, no welcome screen.
std::string volumeKeysIni() {
  auto slot = [](int index, const char* label, int action) {
    return "[NumPadKey" + std::to_string(index) + "]\r\nOSDLabel=" + label +
           "\r\nFileName=\r\nGoToAdress=\r\nAction=" + std::to_string(action) + "\r\nSelectedFunction=0\r\n";
  };
  return slot(1, "Mute", 12) + slot(2, "Vol-", 21) + slot(6, "Vol+", 22) +
         "[Settings]\r\nWelcomeScreen=0\r\n[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=0\r\n";
}

template <class Function>
Function procedure(HMODULE module, const char* name) {
  // Through the generic function type, which any function pointer may be cast to.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The default output's endpoint volume in the driver's own process. ole32 is
// loaded at run time: the driver is not linked with it.
class EndpointVolume {
 public:
  EndpointVolume() : ole32_(LoadLibraryA("ole32.dll")) {
    if (ole32_ == nullptr) return;
    auto initialize = procedure<HRESULT(WINAPI*)(void*, DWORD)>(ole32_, "CoInitializeEx");
    auto create =
        procedure<HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**)>(ole32_, "CoCreateInstance");
    uninitialize_ = procedure<void(WINAPI*)()>(ole32_, "CoUninitialize");
    if (initialize == nullptr || create == nullptr || uninitialize_ == nullptr) return;
    initialized_ = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    if (!initialized_) return;
    if (FAILED(create(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER, __uuidof(IMMDeviceEnumerator),
                      reinterpret_cast<void**>(&enumerator_)))) {
      return;
    }
    IMMDevice* output = nullptr;
    if (FAILED(enumerator_->GetDefaultAudioEndpoint(eRender, eConsole, &output))) return;
    output->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr,
                     reinterpret_cast<void**>(&volume_));
    output->Release();
  }
  EndpointVolume(const EndpointVolume&) = delete;
  EndpointVolume& operator=(const EndpointVolume&) = delete;
  ~EndpointVolume() {
    if (volume_ != nullptr) volume_->Release();
    if (enumerator_ != nullptr) enumerator_->Release();
    if (initialized_) uninitialize_();
    if (ole32_ != nullptr) FreeLibrary(ole32_);
  }

  // Channel levels on the mixer's scale, or nothing when the endpoint does not tell them.
  std::optional<std::vector<std::uint32_t>> levels() const {
    UINT channels = 0;
    if (volume_ == nullptr || FAILED(volume_->GetChannelCount(&channels)) || channels == 0) return std::nullopt;
    std::vector<std::uint32_t> result;
    for (UINT channel = 0; channel < channels; ++channel) {
      float scalar = 0;
      if (FAILED(volume_->GetChannelVolumeLevelScalar(channel, &scalar))) return std::nullopt;
      result.push_back(keytide::LevelFromScalar(scalar));
    }
    return result;
  }
  bool setLevels(const std::vector<std::uint32_t>& values) {
    bool written = volume_ != nullptr;
    for (UINT channel = 0; written && channel < values.size(); ++channel)
      written = SUCCEEDED(volume_->SetChannelVolumeLevelScalar(channel, keytide::ScalarFromLevel(values[channel]),
                                                               nullptr));
    return written;
  }
  std::optional<bool> muted() const {
    BOOL mute = FALSE;
    if (volume_ == nullptr || FAILED(volume_->GetMute(&mute))) return std::nullopt;
    return mute != FALSE;
  }
  bool setMuted(bool mute) { return volume_ != nullptr && SUCCEEDED(volume_->SetMute(mute, nullptr)); }

 private:
  HMODULE ole32_;
  void(WINAPI* uninitialize_)() = nullptr;
  bool initialized_ = false;
  IMMDeviceEnumerator* enumerator_ = nullptr;
  IAudioEndpointVolume* volume_ = nullptr;
};

std::string showLevels(const std::optional<std::vector<std::uint32_t>>& levels) {
  if (!levels) return "(none)";
  std::string text;
  for (std::uint32_t level : *levels) {
    if (!text.empty()) text += ' ';
    text += std::to_string(level);
  }
  return text;
}

// Every channel of the endpoint at `level`, as the driver reads it.
bool awaitLevel(const EndpointVolume& endpoint, std::uint32_t level, const std::string& after) {
  const bool reached = waitUntil([&] {
    const auto levels = endpoint.levels();
    if (!levels) return false;
    for (std::uint32_t channel : *levels)
      if (channel != level) return false;
    return true;
  });
  return CHECK_MSG(reached, "after " + after + ": endpoint levels " + showLevels(endpoint.levels()) + ", expected " +
                                std::to_string(level) + " on every channel");
}

bool awaitMuted(const EndpointVolume& endpoint, bool mute, const std::string& after) {
  return CHECK_MSG(waitUntil([&] { return endpoint.muted() == mute; }),
                   "after " + after + ": endpoint mute " + show(endpoint.muted()) + ", expected " + show(mute));
}

void press(WORD vk, int times) {
  for (int n = 0; n < times; ++n) CHECK(pressKey(vk));
}

// The user's level and mute, put back when the test ends.
class EndpointRestorer {
 public:
  explicit EndpointRestorer(EndpointVolume& endpoint)
      : endpoint_(endpoint), levels_(endpoint.levels()), muted_(endpoint.muted()) {}
  EndpointRestorer(const EndpointRestorer&) = delete;
  EndpointRestorer& operator=(const EndpointRestorer&) = delete;
  ~EndpointRestorer() {
    if (levels_) endpoint_.setLevels(*levels_);
    if (muted_) endpoint_.setMuted(*muted_);
  }

 private:
  EndpointVolume& endpoint_;
  std::optional<std::vector<std::uint32_t>> levels_;
  std::optional<bool> muted_;
};

}  // namespace

E2E_TEST("volume.master_keys_act_on_the_endpoint_volume_where_it_answers") {
  EndpointVolume endpoint;
  const bool endpointAnswers = endpoint.levels().has_value();
  t.write(kIni, volumeKeysIni());
  KeytideProcess& k = t.start();
  awaitStarted(k);
  REQUIRE_MSG(!hotKeyFree(VK_ADD), "the keypad was never grabbed");

  if (!endpointAnswers) {
    // Wine 8 (see above), or Windows without a sound output: the program then
    // uses the winmm mixer, which the volume.* tests cover.
    CHECK_EQ(k.close(), DWORD{0});
    return;
  }

  EndpointRestorer restorer(endpoint);
  REQUIRE(endpoint.setMuted(false));
  REQUIRE(endpoint.setLevels(std::vector<std::uint32_t>(endpoint.levels()->size(), 32768)));

  press(VK_ADD, 1);
  awaitLevel(endpoint, 33768, "Vol+ from 32768");
  press(VK_MULTIPLY, 1);
  awaitMuted(endpoint, true, "Mute");
  press(VK_SUBTRACT, 2);
  awaitLevel(endpoint, 31768, "2 x Vol- while muted");
  awaitMuted(endpoint, true, "2 x Vol- while muted");
  press(VK_MULTIPLY, 1);
  awaitMuted(endpoint, false, "second Mute");
  awaitLevel(endpoint, 31768, "second Mute");
  press(VK_ADD, 66);
  awaitLevel(endpoint, 65535, "66 x Vol+");
  press(VK_SUBTRACT, 66);
  awaitLevel(endpoint, 0, "66 x Vol-");

  CHECK_EQ(k.close(), DWORD{0});
}
