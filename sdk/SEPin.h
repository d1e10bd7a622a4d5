// One pin slot of an audio-side instance: the variable through which the
// module sees the pin's value, and the host services for that pin.
#pragma once

#include <cstdint>

#include "SEConstants.h"

class SEModule_base;

class SEPin {
public:
    // Data type of a slot that no description bound: a type without storage.
    static constexpr EPlugDataType UNBOUND_TYPE = static_cast<EPlugDataType>(-1);

    // A slot nobody has bound yet: no owner, no variable, STATE_STEADY.
    SEPin();
    // Releases nothing: the variable and the buffer belong to the module and the host.
    virtual ~SEPin();

    // Binds the slot to its owner, slot index, data type and variable (null:
    // framework storage by data type). Called by SEModule_base::open only.
    void Init(SEModule_base* module, int32_t pin_index, EPlugDataType datatype, void* variable);

    // The current sample of an audio pin; 0.0 for a pin without a sample buffer.
    float getValue();
    bool IsConnected();
    void TransmitStatusChange(uint32_t sample_clock, state_type new_state);
    void TransmitMIDI(uint32_t sample_clock, uint32_t message);
    // Records a state from the host and tells the module (STATE_STATIC only while it is being told).
    void OnStatusUpdate(state_type new_state);

    SEModule_base* getModule() const { return module; }
    state_type getStatus() const { return status; }
    int32_t getIndex() const { return pin_index; }
    void* getVariable() const { return variable_ptr; }
    EPlugDataType getDatatype() const { return datatype; }

private:
    // Storage for a pin whose description names no variable, by data type.
    union DefaultVariable {
        int16_t short_value;  // PLUG_SHORT
        uint8_t byte_value;   // PLUG_BYTE
        float* buffer;        // PLUG_AUDIO: the host's sample buffer
        float float_value;    // PLUG_FLOAT
        int32_t int_value;    // PLUG_INT
    };

    void* variable_ptr;         // module's variable, &default_variable, or null (no storage)
    SEModule_base* module;      // owner; not owned
    int32_t pin_index;          // slot index, the index of every host request for this pin
    state_type status;          // last recorded state
    EPlugDataType datatype;     // the pin's data type
    DefaultVariable default_variable;
};
