#include "Module.h"

#include "SEPinTable.h"

Module::Module(HostCallback callback, void* host_ptr) : SEModule_base(callback, host_ptr) {}

int32_t Module::getModuleProperties(SEModuleProperties* properties) {
    properties->name = "Probe";
    properties->id = "SE Probe";
    properties->about = "framework test module";
    return 1;
}

bool Module::getPinProperties(int32_t index, SEPinProperties* properties) {
    static const SEPinDescription pins[] = {
        {"In", DIR_IN, PLUG_AUDIO, nullptr, nullptr},
        {"Out", DIR_OUT, PLUG_AUDIO, nullptr, nullptr},
    };
    void* const variables[] = {&in_buffer, &out_buffer};
    return describe_pin(pins, variables, index, properties);
}

void Module::open() {
    SEModule_base::open();
    setSubProcess(&Module::sub_process);
}

void SE_CDECL Module::sub_process(int32_t offset, int32_t count) {
    for (int32_t i = offset; i < offset + count; ++i) out_buffer[i] = in_buffer[i] * 2.0f;
}

void Module::OnPlugStateChange(SEPin* pin) {
    if (pin->getIndex() == IN_PIN && getPin(OUT_PIN) != nullptr)
        getPin(OUT_PIN)->TransmitStatusChange(SampleClock(), pin->getStatus());
}

void Module::OnMidiData(uint32_t time_stamp, uint32_t, int16_t value) {
    midi_value = value;
    RunDelayed(time_stamp + 10, &Module::send_midi_value);
}

void Module::send_midi_value() {
    if (getPin(OUT_PIN) != nullptr) getPin(OUT_PIN)->TransmitMIDI(SampleClock(), static_cast<uint16_t>(midi_value));
}
