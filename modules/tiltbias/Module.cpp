#include "Module.h"

#include <algorithm>

#include "SEPinTable.h"
#include "tiltbias_formula.h"

namespace {
const char kName[] = "Tiltbias V1.0";  // serves as name and id
const char kAbout[] = "by Quorvane";

// Indexed by Module::PinIndex; the variables are the four buffer pointers.
const SEPinDescription kPins[] = {
    {"Signal", DIR_IN, PLUG_AUDIO, "0", nullptr},
    {"Gain", DIR_IN, PLUG_AUDIO, "5", nullptr},
    {"Shift", DIR_IN, PLUG_AUDIO, "0", "range -10,10"},  // a hint for the host; Shift is never limited
    {"Output", DIR_OUT, PLUG_AUDIO, nullptr, nullptr},
};
}  // namespace

Module::Module(HostCallback callback, void* host_ptr) : SEModule_base(callback, host_ptr) {}

Module::~Module() = default;

int32_t Module::getModuleProperties(SEModuleProperties* properties) {
    properties->name = kName;
    properties->id = kName;
    properties->about = kAbout;
    return 1;
}

bool Module::getPinProperties(int32_t index, SEPinProperties* properties) {
    void* const variables[PIN_COUNT] = {&signal_buffer, &gain_buffer, &shift_buffer, &output_buffer};
    return describe_pin(kPins, variables, index, properties);
}

void Module::open() {
    SEModule_base::open();
    setSubProcess(&Module::sub_process);
}

void SE_CDECL Module::sub_process(int32_t offset, int32_t count) {
    se_kernel::run3<TiltbiasFormula>(offset, count, output_buffer, signal_buffer, gain_buffer, shift_buffer);
}

void SE_CDECL Module::sub_process_static(int32_t offset, int32_t count) {
    sub_process(offset, count);
    countDownToSleep(static_count, count);
}

// Output follows the busiest input, except that a Gain held at exactly zero
// makes Signal irrelevant: then only Gain and Shift count, and a muted
// module lets everything downstream sleep. (A NaN or infinite Signal would
// still give NaN through a zero Gain; audio never carries them.)
void Module::OnPlugStateChange(SEPin*) {
    if (getPinCount() < PIN_COUNT) return;
    SEPin* gain = getPin(GAIN);
    const state_type signal_state = getPin(SIGNAL)->getStatus();
    const state_type shift_state = getPin(SHIFT)->getStatus();
    state_type output_state = std::max({signal_state, gain->getStatus(), shift_state});
    if (gain->getStatus() != STATE_STREAMING && gain->getValue() == 0.0f)
        output_state = std::max(gain->getStatus(), shift_state);
    followOutputState(getPin(OUTPUT), output_state, &Module::sub_process, &Module::sub_process_static, static_count);
}
