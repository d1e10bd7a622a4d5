#include "Module.h"

#include <algorithm>

#include "SEPinTable.h"
#include "splitgain_formula.h"

namespace {
const char kName[] = "Splitgain V1.0";
const char kId[] = "SplitgainV1.0";
const char kAbout[] = "by Quorvane";

// Indexed by Module::PinIndex; the variables are the four buffer pointers.
const SEPinDescription kPins[] = {
    {"Signal", DIR_IN, PLUG_AUDIO, "0", nullptr},
    {"Pos. Scale", DIR_IN, PLUG_AUDIO, "5", nullptr},
    {"Neg. Scale", DIR_IN, PLUG_AUDIO, "5", nullptr},
    {"Output", DIR_OUT, PLUG_AUDIO, nullptr, nullptr},
};
}  // namespace

Module::Module(HostCallback callback, void* host_ptr) : SEModule_base(callback, host_ptr) {}

Module::~Module() = default;

int32_t Module::getModuleProperties(SEModuleProperties* properties) {
    properties->name = kName;
    properties->id = kId;
    properties->about = kAbout;
    return 1;
}

bool Module::getPinProperties(int32_t index, SEPinProperties* properties) {
    void* const variables[PIN_COUNT] = {&signal_buffer, &pos_scale_buffer, &neg_scale_buffer, &output_buffer};
    return describe_pin(kPins, variables, index, properties);
}

void Module::open() {
    SEModule_base::open();
    setSubProcess(&Module::sub_process);
}

void SE_CDECL Module::sub_process(int32_t offset, int32_t count) {
    se_kernel::run3<SplitgainFormula>(offset, count, output_buffer, signal_buffer, pos_scale_buffer, neg_scale_buffer);
}

void SE_CDECL Module::sub_process_static(int32_t offset, int32_t count) {
    sub_process(offset, count);
    countDownToSleep(static_count, count);
}

// Output follows the busiest input, except that two scales both held at
// exactly zero make Signal irrelevant: then only the scales count, and a
// muted module lets everything downstream sleep. (A NaN or infinite Signal
// would still give NaN through a zero scale; audio never carries them.)
void Module::OnPlugStateChange(SEPin*) {
    if (getPinCount() < PIN_COUNT) return;
    SEPin* pos_scale = getPin(POS_SCALE);
    SEPin* neg_scale = getPin(NEG_SCALE);
    const state_type scales_state = std::max(pos_scale->getStatus(), neg_scale->getStatus());
    state_type output_state = std::max(getPin(SIGNAL)->getStatus(), scales_state);
    if (scales_state != STATE_STREAMING && pos_scale->getValue() == 0.0f && neg_scale->getValue() == 0.0f)
        output_state = scales_state;
    followOutputState(getPin(OUTPUT), output_state, &Module::sub_process, &Module::sub_process_static, static_count);
}
