#include "SEPin.h"

#include "SEModule_base.h"

SEPin::SEPin()
    : variable_ptr(nullptr), module(nullptr), pin_index(-1), status(STATE_STEADY), datatype(UNBOUND_TYPE) {
    default_variable.buffer = nullptr;
}

SEPin::~SEPin() = default;

void SEPin::Init(SEModule_base* owner, int32_t index, EPlugDataType type, void* variable) {
    module = owner;
    pin_index = index;
    datatype = type;
    variable_ptr = variable;
    status = STATE_STEADY;
    default_variable.buffer = nullptr;
    if (variable != nullptr) return;

    switch (type) {
    case PLUG_SHORT: default_variable.short_value = 0; break;
    case PLUG_BYTE: default_variable.byte_value = 0; break;
    case PLUG_FLOAT: default_variable.float_value = 0.0f; break;
    case PLUG_INT: default_variable.int_value = 0; break;
    case PLUG_AUDIO:
        default_variable.buffer = reinterpret_cast<float*>(module->CallHost(HOST_GET_PIN_BUFFER, pin_index));
        break;
    default: return;  // no storage for this type
    }
    variable_ptr = &default_variable;
}

float SEPin::getValue() {
    if (variable_ptr == nullptr || datatype != PLUG_AUDIO) return 0.0f;
    const float* buffer = *static_cast<float* const*>(variable_ptr);
    if (buffer == nullptr) return 0.0f;
    const uint32_t block_start = static_cast<uint32_t>(module->CallHost(HOST_GET_BLOCK_START_CLOCK, pin_index));
    const uint32_t now = module->SampleClock();
    return buffer[static_cast<uint32_t>(now - block_start)];  // clocks wrap around at 32 bits
}

bool SEPin::IsConnected() {
    return module != nullptr && module->CallHost(HOST_IS_PIN_CONNECTED, pin_index) != 0;
}

void SEPin::TransmitStatusChange(uint32_t sample_clock, state_type new_state) {
    if (module == nullptr) return;
    module->CallHost(HOST_SET_PIN_STATUS, pin_index, new_state, reinterpret_cast<void*>(uintptr_t{sample_clock}));
}

void SEPin::TransmitMIDI(uint32_t sample_clock, uint32_t message) {
    if (module == nullptr) return;
    module->CallHost(HOST_SEND_MIDI, pin_index, static_cast<int32_t>(message),
                     reinterpret_cast<void*>(uintptr_t{sample_clock}));
}

void SEPin::OnStatusUpdate(state_type new_state) {
    if (module == nullptr) return;
    status = new_state;
    module->OnPlugStateChange(this);
    // A static state is news only while the module is being told of it.
    if (new_state == STATE_STATIC) status = STATE_STEADY;
}
