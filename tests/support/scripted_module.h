// A module whose pin descriptions a test sets and whose notifications it
// logs, driven in-process by our host.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "SEModule_base.h"
#include "host_instance.h"

using CallLog = std::vector<std::string>;

class ScriptedModule : public SEModule_base {
public:
    ScriptedModule(HostCallback callback, void* host_ptr, CallLog* log)
        : SEModule_base(callback, host_ptr), log_(log) {}
    ~ScriptedModule() override { log("destroyed"); }

    // Description i answers descriptions[i]; getPinProperties writes its
    // variable_address, direction, datatype, name and flags, nothing else.
    std::vector<SEPinProperties> descriptions;
    // Description indices asked for while MOD_OPEN ran.
    std::vector<int32_t> fetched_during_open;
    // What a pin reported from getStatus while the module was being told.
    std::vector<state_type> statuses_seen;

    bool getPinProperties(int32_t index, SEPinProperties* properties) override {
        if (opening_) fetched_during_open.push_back(index);
        if (index < 0 || index >= static_cast<int32_t>(descriptions.size())) return false;
        const SEPinProperties& d = descriptions[index];
        properties->variable_address = d.variable_address;
        properties->direction = d.direction;
        properties->datatype = d.datatype;
        properties->name = d.name;
        properties->flags = d.flags;
        return true;
    }
    void open() override {
        opening_ = true;
        fetched_during_open.clear();
        SEModule_base::open();
        opening_ = false;
    }
    void close() override { log("close"); }
    void OnPlugStateChange(SEPin* pin) override {
        statuses_seen.push_back(pin->getStatus());
        log("state " + std::to_string(pin->getIndex()) + " " + std::to_string(pin->getStatus()));
    }
    void OnMidiData(uint32_t time_stamp, uint32_t message, int16_t value) override {
        log("midi " + std::to_string(time_stamp) + " " + std::to_string(message) + " " + std::to_string(value));
    }
    void Resume() override { log("Resume"); }
    void VoiceReset(int32_t voice) override { log("VoiceReset " + std::to_string(voice)); }
    void OnGuiNotify(int32_t first, int32_t second, void* ptr) override {
        log("OnGuiNotify " + std::to_string(first) + " " + std::to_string(second) + " " +
            std::to_string(reinterpret_cast<intptr_t>(ptr)));
    }

    // Routines a test installs or calls back.
    void SE_CDECL routine_a(int32_t offset, int32_t count) {
        log("a " + std::to_string(offset) + " " + std::to_string(count));
    }
    void SE_CDECL routine_b(int32_t offset, int32_t count) {
        log("b " + std::to_string(offset) + " " + std::to_string(count));
    }
    void SE_CDECL routine_sleep(int32_t offset, int32_t count) {
        log("sleep " + std::to_string(offset) + " " + std::to_string(count));
        CallHost(HOST_SLEEP);
    }
    void delayed_plain() { log("delayed_plain"); }
    virtual void delayed_virtual() { log("delayed_virtual"); }

    SEPin* pin_array() const { return pins; }
    SEMod_struct_base2& record() { return aeffect; }

private:
    void log(const std::string& line) {
        if (log_ != nullptr) log_->push_back(line);
    }
    CallLog* log_;
    bool opening_ = false;
};

// An audio-side description of `type` with an optional variable.
inline SEPinProperties describe_pin(EPlugDataType type, void* variable = nullptr, int32_t flags = 0,
                                    const char* name = "pin") {
    SEPinProperties d{};
    d.variable_address = variable;
    d.datatype = type;
    d.name = name;
    d.flags = flags;
    return d;
}

// Our host with one ScriptedModule instance.
struct ScriptedHost {
    explicit ScriptedHost(std::vector<SEPinProperties> descriptions = {}, sehost::InstanceOptions options = {},
                          bool with_callback = true) {
        host = std::make_unique<sehost::Instance>(
            [&](HostCallback callback, void* host_ptr) {
                module = new ScriptedModule(with_callback ? callback : nullptr, host_ptr, &log);
                module->descriptions = descriptions;
                return module->getAeffect();
            },
            options);
    }

    CallLog log;
    ScriptedModule* module = nullptr;  // owned by itself: gone after MOD_CLOSE
    std::unique_ptr<sehost::Instance> host;
};

// Opcodes of a trace, in order.
inline std::vector<int32_t> opcodes(const std::vector<sehost::Request>& trace) {
    std::vector<int32_t> result;
    for (const sehost::Request& request : trace) result.push_back(request.opcode);
    return result;
}
