// A small module for testing the framework through a real plug-in file:
// Out = In × 2; a state change on In is passed on to Out; a MIDI message
// schedules a delayed call that sends its 16-bit value on Out.
#pragma once

#include "SEModule_base.h"

class Module : public SEModule_base {
public:
    Module(HostCallback callback, void* host_ptr);

    static int32_t getModuleProperties(SEModuleProperties* properties);
    bool getPinProperties(int32_t index, SEPinProperties* properties) override;
    void open() override;
    void OnPlugStateChange(SEPin* pin) override;
    void OnMidiData(uint32_t time_stamp, uint32_t message, int16_t value) override;

    void SE_CDECL sub_process(int32_t offset, int32_t count);
    void send_midi_value();

private:
    enum PinIndex { IN_PIN, OUT_PIN };
    float* in_buffer = nullptr;
    float* out_buffer = nullptr;
    int16_t midi_value = 0;
};
