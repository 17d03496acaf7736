#include "platform/win32/WinmmMixerDevice.h"

#include <mmsystem.h>

#include <algorithm>

namespace keytide::win32 {

namespace {

// Never fewer values than a request can fill.
constexpr std::size_t kMinimumValueBuffer = 31;

// Every call below names the open device by its handle.
constexpr DWORD kByHandle = MIXER_OBJECTF_HMIXER;

platform::MixerLine FromLine(const MIXERLINEA& line) {
    platform::MixerLine result;
    result.destination = line.dwDestination;
    result.source = line.dwSource;
    result.lineId = line.dwLineID;
    result.lineFlags = line.fdwLine;
    result.componentType = line.dwComponentType;
    result.channels = line.cChannels;
    result.connections = line.cConnections;
    result.controls = line.cControls;
    result.shortName = line.szShortName;
    result.name = line.szName;
    result.targetType = line.Target.dwType;
    result.targetDeviceId = line.Target.dwDeviceID;
    result.targetName = line.Target.szPname;
    return result;
}

platform::MixerControl FromControl(const MIXERCONTROLA& control) {
    platform::MixerControl result;
    result.controlId = control.dwControlID;
    result.controlType = control.dwControlType;
    result.controlFlags = control.fdwControl;
    result.multipleItems = control.cMultipleItems;
    result.shortName = control.szShortName;
    result.name = control.szName;
    result.minimum = control.Bounds.lMinimum;
    result.maximum = control.Bounds.lMaximum;
    result.steps = control.Metrics.cSteps;
    return result;
}

MIXERCONTROLDETAILS ValueRequest(std::uint32_t controlId, std::uint32_t channels, std::uint32_t* values) {
    MIXERCONTROLDETAILS request{};
    request.cbStruct = sizeof request;
    request.dwControlID = controlId;
    request.cChannels = channels;
    request.cMultipleItems = 0;
    request.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);  // the same size as a boolean value
    request.paDetails = values;
    return request;
}

}  // namespace

WinmmMixerDevice::~WinmmMixerDevice() { Close(); }

std::uint32_t WinmmMixerDevice::DeviceCount() { return mixerGetNumDevs(); }

bool WinmmMixerDevice::Open(std::uint32_t deviceId) {
    Close();
    HMIXER opened = nullptr;
    if (mixerOpen(&opened, deviceId, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) return false;
    mixer_.reset(opened);
    return true;
}

void WinmmMixerDevice::Close() { mixer_.reset(); }

std::optional<platform::MixerCaps> WinmmMixerDevice::Caps(std::uint32_t deviceId) {
    MIXERCAPSA caps{};
    if (mixerGetDevCapsA(deviceId, &caps, sizeof caps) != MMSYSERR_NOERROR) return std::nullopt;
    platform::MixerCaps result;
    result.manufacturerId = caps.wMid;
    result.productId = caps.wPid;
    result.driverVersion = caps.vDriverVersion;
    result.productName = caps.szPname;
    result.support = caps.fdwSupport;
    result.destinations = caps.cDestinations;
    return result;
}

std::optional<platform::MixerLine> WinmmMixerDevice::LineInfo(MIXERLINEA& line, DWORD query) {
    if (!mixer_) return std::nullopt;
    line.cbStruct = sizeof line;
    if (mixerGetLineInfoA(Object(), &line, kByHandle | query) != MMSYSERR_NOERROR) return std::nullopt;
    return FromLine(line);
}

std::optional<platform::MixerLine> WinmmMixerDevice::DestinationLine(std::uint32_t destination) {
    MIXERLINEA line{};
    line.dwDestination = destination;
    return LineInfo(line, MIXER_GETLINEINFOF_DESTINATION);
}

std::optional<platform::MixerLine> WinmmMixerDevice::SourceLine(std::uint32_t destination, std::uint32_t source) {
    MIXERLINEA line{};
    line.dwDestination = destination;
    line.dwSource = source;
    return LineInfo(line, MIXER_GETLINEINFOF_SOURCE);
}

std::optional<std::vector<platform::MixerControl>> WinmmMixerDevice::LineControls(std::uint32_t lineId,
                                                                                  std::uint32_t count) {
    if (!mixer_) return std::nullopt;
    if (count == 0) return std::vector<platform::MixerControl>{};
    std::vector<MIXERCONTROLA> block(count);
    for (MIXERCONTROLA& control : block) control.cbStruct = sizeof control;
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof request;
    request.dwLineID = lineId;
    request.cControls = count;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = block.data();
    if (mixerGetLineControlsA(Object(), &request, kByHandle | MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR) {
        return std::nullopt;
    }
    std::vector<platform::MixerControl> controls;
    controls.reserve(block.size());
    for (const MIXERCONTROLA& control : block) controls.push_back(FromControl(control));
    return controls;
}

std::optional<std::vector<std::uint32_t>> WinmmMixerDevice::ControlValues(std::uint32_t controlId,
                                                                          std::uint32_t channels) {
    if (!mixer_) return std::nullopt;
    // Sized for the request, however many channels the line claims.
    std::vector<std::uint32_t> values(std::max<std::size_t>(kMinimumValueBuffer, channels), 0);
    MIXERCONTROLDETAILS request = ValueRequest(controlId, channels, values.data());
    if (mixerGetControlDetailsA(Object(), &request, kByHandle | MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) {
        return std::nullopt;
    }
    return values;
}

bool WinmmMixerDevice::SetControlValues(std::uint32_t controlId, const std::vector<std::uint32_t>& values) {
    if (!mixer_ || values.empty()) return false;
    std::vector<std::uint32_t> buffer = values;
    MIXERCONTROLDETAILS request = ValueRequest(controlId, static_cast<std::uint32_t>(buffer.size()), buffer.data());
    return mixerSetControlDetails(Object(), &request, kByHandle | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

}  // namespace keytide::win32
