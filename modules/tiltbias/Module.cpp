#include "Module.h"

#include <algorithm>

#include "tiltbias_formula.h"

namespace {
const char kName[] = "Tiltbias V1.0";  // serves as name and id
const char kAbout[] = "by Quorvane";
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
    switch (index) {
    case SIGNAL:
        properties->name = "Signal";
        properties->variable_address = &signal_buffer;
        properties->direction = DIR_IN;
        properties->default_value = "0";
        break;
    case GAIN:
        properties->name = "Gain";
        properties->variable_address = &gain_buffer;
        properties->direction = DIR_IN;
        properties->default_value = "5";
        break;
    case SHIFT:
        properties->name = "Shift";
        properties->variable_address = &shift_buffer;
        properties->direction = DIR_IN;
        properties->default_value = "0";
        properties->datatype_extra = "range -10,10";
        break;
    case OUTPUT:
        properties->name = "Output";
        properties->variable_address = &output_buffer;
        properties->direction = DIR_OUT;
        break;
    default: return false;
    }
    properties->datatype = PLUG_AUDIO;
    return true;
}

void Module::open() {
    SEModule_base::open();
    setSubProcess(&Module::sub_process);
}

void SE_CDECL Module::sub_process(int32_t offset, int32_t count) {
    if (!signal_buffer || !gain_buffer || !shift_buffer || !output_buffer) return;
    se_kernel::run3<TiltbiasFormula>(count, output_buffer + offset, signal_buffer + offset, gain_buffer + offset,
                                     shift_buffer + offset);
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
