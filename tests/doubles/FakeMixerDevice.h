#pragma once
// A mixer device in memory: destination lines with source lines and
// controls, control values per channel, and switches for the failures the
// system can report. Every call is logged in a readable form.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/MixerDevice.h"

namespace keytide::fakes {

class FakeMixerDevice : public platform::MixerDevice {
public:
    struct Line {
        platform::MixerLine line;
        std::vector<platform::MixerControl> controls;
        bool readable = true;          // mixerGetLineInfo succeeds
        bool controlsReadable = true;  // mixerGetLineControls succeeds
    };
    struct Destination {
        Line line;
        std::vector<Line> sources;
    };

    // --- set-up
    std::uint32_t deviceCount = 1;
    std::set<std::uint32_t> unopenable;                             // device ids whose mixerOpen fails
    platform::MixerCaps caps{1, 0x68, 0x0501, "Fake Mixer", 0, 0};  // destinations: set by AddDestination
    std::vector<Destination> destinations;
    std::map<std::uint32_t, std::vector<std::uint32_t>> values;  // control id -> value per channel
    std::set<std::uint32_t> refusedReads;
    std::set<std::uint32_t> refusedWrites;

    // Adds a destination line with `channels` channels and these controls;
    // its line id is 0xFFFF0000 + its index.
    Destination& AddDestination(std::uint32_t channels, std::vector<platform::MixerControl> controls) {
        Destination destination;
        destination.line.line.destination = static_cast<std::uint32_t>(destinations.size());
        destination.line.line.lineId = 0xFFFF0000u + destination.line.line.destination;
        destination.line.line.channels = channels;
        destination.line.line.controls = static_cast<std::uint32_t>(controls.size());
        destination.line.controls = std::move(controls);
        destinations.push_back(std::move(destination));
        caps.destinations = static_cast<std::uint32_t>(destinations.size());
        return destinations.back();
    }

    static platform::MixerControl Control(std::uint32_t id, std::uint32_t type, std::uint32_t flags = 0) {
        platform::MixerControl control;
        control.controlId = id;
        control.controlType = type;
        control.controlFlags = flags;
        return control;
    }

    // --- observation
    std::vector<std::string> log;
    bool open = false;
    std::uint32_t openDevice = 0;

    std::vector<std::string> Writes() const {
        std::vector<std::string> writes;
        for (const std::string& entry : log)
            if (entry.rfind("set ", 0) == 0) writes.push_back(entry);
        return writes;
    }

    // --- the seam
    std::uint32_t DeviceCount() override {
        log.push_back("count");
        return deviceCount;
    }
    bool Open(std::uint32_t deviceId) override {
        log.push_back("open " + std::to_string(deviceId));
        if (open) log.push_back("!! opened while open");
        if (deviceId >= deviceCount || unopenable.count(deviceId)) return false;
        open = true;
        openDevice = deviceId;
        return true;
    }
    void Close() override {
        log.push_back("close");
        if (!open) log.push_back("!! closed while closed");
        open = false;
    }
    std::optional<platform::MixerCaps> Caps(std::uint32_t deviceId) override {
        log.push_back("caps " + std::to_string(deviceId));
        return caps;
    }
    std::optional<platform::MixerLine> DestinationLine(std::uint32_t destination) override {
        log.push_back("destination " + std::to_string(destination));
        if (!open || destination >= destinations.size() || !destinations[destination].line.readable)
            return std::nullopt;
        return destinations[destination].line.line;
    }
    std::optional<platform::MixerLine> SourceLine(std::uint32_t destination, std::uint32_t source) override {
        log.push_back("source " + std::to_string(destination) + "." + std::to_string(source));
        if (!open || destination >= destinations.size()) return std::nullopt;
        const auto& sources = destinations[destination].sources;
        if (source >= sources.size() || !sources[source].readable) return std::nullopt;
        return sources[source].line;
    }
    std::optional<std::vector<platform::MixerControl>> LineControls(std::uint32_t lineId,
                                                                    std::uint32_t count) override {
        log.push_back("controls " + std::to_string(lineId) + " x" + std::to_string(count));
        const Line* line = FindLine(lineId);
        if (!open || line == nullptr || !line->controlsReadable || count != line->controls.size()) return std::nullopt;
        return line->controls;
    }
    std::optional<std::vector<std::uint32_t>> ControlValues(std::uint32_t controlId, std::uint32_t channels) override {
        log.push_back("get " + std::to_string(controlId) + " x" + std::to_string(channels));
        if (!open || refusedReads.count(controlId) || !values.count(controlId)) return std::nullopt;
        std::vector<std::uint32_t> result = values[controlId];
        result.resize(std::max<std::size_t>(channels, 1), 0);
        return result;
    }
    bool SetControlValues(std::uint32_t controlId, const std::vector<std::uint32_t>& newValues) override {
        std::string entry = "set " + std::to_string(controlId) + " =";
        for (std::uint32_t value : newValues) entry += " " + std::to_string(value);
        log.push_back(entry);
        if (!open || refusedWrites.count(controlId)) return false;
        values[controlId] = newValues;
        return true;
    }

private:
    const Line* FindLine(std::uint32_t lineId) const {
        for (const Destination& destination : destinations) {
            if (destination.line.line.lineId == lineId) return &destination.line;
            for (const Line& source : destination.sources)
                if (source.line.lineId == lineId) return &source;
        }
        return nullptr;
    }
};

}  // namespace keytide::fakes
