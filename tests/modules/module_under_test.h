// What the shared module tests need to know of the module compiled into this
// test program (tiltbias or splitgain).
#pragma once

#include <cstdint>
#include <cstring>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Module.h"
#include "host_instance.h"

#if defined(SE_MODULE_TILTBIAS)
#include "tiltbias_formula.h"
using Formula = TiltbiasFormula;
#elif defined(SE_MODULE_SPLITGAIN)
#include "splitgain_formula.h"
using Formula = SplitgainFormula;
#endif

// The module's arithmetic, written plainly in the test: the value every code path must give.
float reference_output(float signal, float second, float third);

// Our host with one instance of the module, opened with its four pins.
struct ModuleHost {
    explicit ModuleHost(sehost::InstanceOptions options = {}) {
        host = std::make_unique<sehost::Instance>(
            [&](HostCallback callback, void* host_ptr) {
                module = new Module(callback, host_ptr);
                return module->getAeffect();
            },
            options);
        host->open();
    }
    // Input pins 0..2 set to constant values across the whole buffer.
    void fill_inputs(float signal, float second, float third) {
        const float values[3] = {signal, second, third};
        for (int pin = 0; pin < 3; ++pin)
            for (int32_t i = 0; i < host->buffer_samples(); ++i) host->buffer(pin)[i] = values[pin];
    }
    // Requests of the given opcode in the trace.
    int count(int32_t opcode) const {
        int n = 0;
        for (const sehost::Request& r : host->trace()) n += r.opcode == opcode;
        return n;
    }

    Module* module = nullptr;
    std::unique_ptr<sehost::Instance> host;
};

inline uint32_t bits_of(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float float_of(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline std::vector<int32_t> opcodes_of(const std::vector<sehost::Request>& trace) {
    std::vector<int32_t> result;
    for (const sehost::Request& r : trace) result.push_back(r.opcode);
    return result;
}

// Delivers a state to each input (pin 0, 1, 2), the pin `last` last; returns
// the state the module then sent on Output.
inline state_type settle_states(ModuleHost& h, const state_type (&states)[3], int last) {
    for (int pin = 0; pin < 3; ++pin)
        if (pin != last) h.host->deliver(SeEvent(0, EVT_PIN_STATUS, states[pin], 0, reinterpret_cast<void*>(intptr_t{pin})));
    h.host->deliver(SeEvent(0, EVT_PIN_STATUS, states[last], 0, reinterpret_cast<void*>(intptr_t{last})));
    return h.host->pin_status(3);
}

// The pin table as the host reads it through MOD_GET_PIN_PROPERTIES into a
// record it filled with a pattern first: unwritten fields keep the pattern.
struct PinRow {
    const char* name;
    EDirection direction;
    const char* default_value;   // null: not written
    const char* datatype_extra;  // null: not written
};

inline void expect_pin_table(const std::vector<PinRow>& rows) {
    ModuleHost h;
    const auto* object = reinterpret_cast<const char*>(h.module);
    std::vector<void*> variables;
    for (int32_t index = -1; index <= static_cast<int32_t>(rows.size()); ++index) {
        SEPinProperties record;
        std::memset(&record, 0xCD, sizeof record);
        SEPinProperties pattern = record;
        const intptr_t answer = h.host->dispatch(MOD_GET_PIN_PROPERTIES, index, 0, &record);
        if (index < 0 || index >= static_cast<int32_t>(rows.size())) {
            EXPECT_EQ(answer, 0) << index;
            EXPECT_EQ(std::memcmp(&record, &pattern, sizeof record), 0) << index;
            continue;
        }
        SCOPED_TRACE("pin " + std::to_string(index));
        const PinRow& row = rows[index];
        EXPECT_EQ(answer, 1);
        EXPECT_STREQ(record.name, row.name);
        EXPECT_EQ(record.direction, row.direction);
        EXPECT_EQ(record.datatype, PLUG_AUDIO);
        const auto* variable = static_cast<const char*>(record.variable_address);
        EXPECT_TRUE(variable >= object && variable < object + sizeof(Module));
        variables.push_back(record.variable_address);
        if (row.default_value != nullptr) EXPECT_STREQ(record.default_value, row.default_value);
        else EXPECT_EQ(record.default_value, pattern.default_value);
        if (row.datatype_extra != nullptr) EXPECT_STREQ(record.datatype_extra, row.datatype_extra);
        else EXPECT_EQ(record.datatype_extra, pattern.datatype_extra);
        EXPECT_EQ(record.flags, pattern.flags);
        EXPECT_EQ(record.spare, pattern.spare);
    }
    for (size_t i = 0; i < variables.size(); ++i)
        for (size_t j = i + 1; j < variables.size(); ++j) EXPECT_NE(variables[i], variables[j]);
}

// One row of a module's arithmetic table: its three inputs (in pin order)
// held constant, and the output every sample must have.
struct ArithmeticCase {
    const char* name;
    float signal, second, third;
    float expected;
};

// One row of a module's state-rule table: the states delivered to the three
// inputs (the input `last` last), the values of the second and third inputs,
// and the state the module must send on Output.
struct StateCase {
    const char* name;
    state_type states[3];
    int last;
    float second_value, third_value;
    state_type expected;
};

inline std::ostream& operator<<(std::ostream& out, const ArithmeticCase& c) { return out << c.name; }
inline std::ostream& operator<<(std::ostream& out, const StateCase& c) { return out << c.name; }

// Each module's test file instantiates these with its own table.
class Arithmetic : public ::testing::TestWithParam<ArithmeticCase> {};
class StateRule : public ::testing::TestWithParam<StateCase> {};

// Bit-for-bit equal, except that any NaN matches any NaN (IEEE leaves the payload open).
inline bool same_bits(float a, float b) { return (a != a && b != b) || bits_of(a) == bits_of(b); }
