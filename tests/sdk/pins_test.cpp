// Building the pin array from the descriptions, and what each pin asks of the host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "scripted_module.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

constexpr int32_t kDup = PIN_FLAG_AUTO_DUPLICATE;
constexpr int32_t kGui = PIN_FLAG_GUI_SIDE;
constexpr int32_t kDsp = PIN_FLAG_DSP_SIDE;

// What a slot should be bound to after open.
enum Binding { DUPLICATE = -1, UNBOUND = -2 };

struct OpenCase {
    const char* name;
    int32_t count;
    std::vector<int32_t> flags;             // one audio description per entry, each with a module variable
    std::vector<int32_t> expected_fetches;  // description indices asked for, in order
    std::vector<int32_t> expected_slots;    // per slot: description index, DUPLICATE or UNBOUND
};

std::ostream& operator<<(std::ostream& out, const OpenCase& c) { return out << c.name; }

class OpenBuildsPins : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenBuildsPins, InTheDocumentedOrder) {
    const OpenCase& c = GetParam();
    float* variables[8] = {};
    std::vector<SEPinProperties> descriptions;
    for (size_t i = 0; i < c.flags.size(); ++i)
        descriptions.push_back(describe_pin(PLUG_AUDIO, &variables[i], c.flags[i]));
    sehost::InstanceOptions options;
    options.pin_count = c.count;
    ScriptedHost h(descriptions, options);
    h.host->open();
    ScriptedModule& m = *h.module;

    EXPECT_THAT(m.fetched_during_open, ElementsAreArray(c.expected_fetches));
    EXPECT_EQ(m.getPinCount(), static_cast<int32_t>(c.expected_slots.size()));
    EXPECT_EQ(m.pin_array() == nullptr, c.expected_slots.empty());

    std::vector<int32_t> buffer_requests;
    for (const sehost::Request& r : h.host->trace())
        if (r.opcode == HOST_GET_PIN_BUFFER) buffer_requests.push_back(r.index);
    std::vector<int32_t> expected_buffer_requests;

    for (int32_t slot = 0; slot < static_cast<int32_t>(c.expected_slots.size()); ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        SEPin* pin = m.getPin(slot);
        ASSERT_NE(pin, nullptr);
        EXPECT_EQ(pin->getIndex(), slot);
        EXPECT_EQ(pin->getModule(), &m);
        EXPECT_EQ(pin->getStatus(), STATE_STEADY);
        const int32_t binding = c.expected_slots[slot];
        if (binding >= 0) {
            EXPECT_EQ(pin->getVariable(), &variables[binding]);
            EXPECT_EQ(pin->getDatatype(), PLUG_AUDIO);
        } else if (binding == DUPLICATE) {
            // Framework storage holding the buffer the host gave for this very slot.
            ASSERT_NE(pin->getVariable(), nullptr);
            EXPECT_EQ(*static_cast<float**>(pin->getVariable()), h.host->buffer(slot));
            expected_buffer_requests.push_back(slot);
        } else {
            EXPECT_EQ(pin->getVariable(), nullptr);
            EXPECT_EQ(pin->getValue(), 0.0f);
        }
    }
    EXPECT_EQ(buffer_requests, expected_buffer_requests);
}

INSTANTIATE_TEST_SUITE_P(
    Pins, OpenBuildsPins,
    ::testing::Values(
        OpenCase{"count 0", 0, {0, 0, 0, 0}, {0, -1}, {}},
        OpenCase{"count -1", -1, {0, 0, 0, 0}, {0, -1}, {}},
        OpenCase{"no descriptions", 3, {}, {0, -1}, {UNBOUND, UNBOUND, UNBOUND}},
        OpenCase{"count 4 of 4", 4, {0, 0, 0, 0}, {0, 1, 2, 3, 4, 3}, {0, 1, 2, 3}},
        OpenCase{"count 2 of 4", 2, {0, 0, 0, 0}, {0, 1, 2, 1}, {0, 1}},
        OpenCase{"count 2 of 4, duplicating last", 2, {0, 0, 0, kDup}, {0, 1, 2, 1}, {0, 1}},
        OpenCase{"count 6, duplicating last", 6, {0, 0, 0, kDup}, {0, 1, 2, 3, 4, 3},
                 {0, 1, 2, 3, DUPLICATE, DUPLICATE}},
        OpenCase{"count 6, no duplication", 6, {0, 0, 0, 0}, {0, 1, 2, 3, 4, 3}, {0, 1, 2, 3, UNBOUND, UNBOUND}},
        OpenCase{"gui-only shifts slots", 2, {0, kGui, kGui | kDsp}, {0, 1, 2, 3, 2}, {0, 2}},
        OpenCase{"gui-only last does not duplicate", 4, {0, 0, kGui | kDup}, {0, 1, 2, 3, 2},
                 {0, 1, UNBOUND, UNBOUND}},
        OpenCase{"gui-and-audio last duplicates", 4, {0, kGui | kDsp | kDup}, {0, 1, 2, 1},
                 {0, 1, DUPLICATE, DUPLICATE}},
        OpenCase{"duplication on a middle description", 4, {kDup, 0}, {0, 1, 2, 1}, {0, 1, UNBOUND, UNBOUND}}));

struct StorageCase {
    int32_t type;
    bool has_storage;
};

class StorageByType : public ::testing::TestWithParam<StorageCase> {};

TEST_P(StorageByType, WithoutAModuleVariable) {
    sehost::InstanceOptions options;
    options.pin_count = 1;
    ScriptedHost h({describe_pin(static_cast<EPlugDataType>(GetParam().type))}, options);
    h.host->open();
    SEPin* pin = h.module->getPin(0);
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ(pin->getVariable() != nullptr, GetParam().has_storage);

    const bool audio = GetParam().type == PLUG_AUDIO;
    std::vector<int32_t> expected_requests{HOST_GET_TOTAL_PIN_COUNT};
    if (audio) expected_requests.push_back(HOST_GET_PIN_BUFFER);
    EXPECT_EQ(opcodes(h.host->trace()), expected_requests);
    if (audio) {
        EXPECT_EQ(*static_cast<float**>(pin->getVariable()), h.host->buffer(0));
    } else if (GetParam().has_storage) {
        uint32_t cell;
        std::memcpy(&cell, pin->getVariable(), sizeof cell);
        EXPECT_EQ(cell, 0u);  // zero of every width
    }
}

INSTANTIATE_TEST_SUITE_P(Pins, StorageByType,
                         ::testing::Values(StorageCase{PLUG_SHORT, true}, StorageCase{1, false}, StorageCase{2, false},
                                           StorageCase{3, false}, StorageCase{PLUG_BYTE, true},
                                           StorageCase{PLUG_AUDIO, true}, StorageCase{PLUG_FLOAT, true},
                                           StorageCase{7, false}, StorageCase{PLUG_INT, true},
                                           StorageCase{9, false}, StorageCase{-1, false}));

TEST(Pins, AModuleVariableNeedsNoHostCall) {
    float* signal = nullptr;
    ScriptedHost h({describe_pin(PLUG_AUDIO, &signal)});
    h.host->open();
    EXPECT_EQ(h.module->getPin(0)->getVariable(), &signal);
    EXPECT_EQ(opcodes(h.host->trace()), std::vector<int32_t>{HOST_GET_TOTAL_PIN_COUNT});
}

TEST(Pins, GetPinAnswersNullOutsideTheBuiltSlots) {
    ScriptedHost h({describe_pin(PLUG_AUDIO), describe_pin(PLUG_AUDIO)});
    EXPECT_EQ(h.module->getPin(0), nullptr);  // before open
    h.host->open();
    EXPECT_NE(h.module->getPin(1), nullptr);
    EXPECT_EQ(h.module->getPin(2), nullptr);
    EXPECT_EQ(h.module->getPin(-1), nullptr);
    EXPECT_EQ(h.module->getPin(INT_MIN), nullptr);
}

namespace {
int32_t answered_pin_count = 0;
intptr_t SE_CDECL pin_count_host(SEMod_struct_base2*, int32_t opcode, int32_t, int32_t, void*, float) {
    return opcode == HOST_GET_TOTAL_PIN_COUNT ? answered_pin_count : 0;
}
}  // namespace

TEST(Pins, ASecondOpenReleasesTheArrayAndBuildsFromTheNewCount) {
    float* variables[3] = {};
    ScriptedModule module(&pin_count_host, nullptr, nullptr);
    for (float*& variable : variables) module.descriptions.push_back(describe_pin(PLUG_AUDIO, &variable));
    // Each array is released before the next is built (the sanitizer build checks).
    for (const int32_t count : {3, 1, 0, 2, -1}) {
        answered_pin_count = count;
        module.open();
        const int32_t built = count > 0 ? count : 0;
        EXPECT_EQ(module.getPinCount(), built) << count;
        EXPECT_EQ(module.pin_array() == nullptr, built == 0) << count;
        EXPECT_EQ(module.getPin(built), nullptr) << count;
        if (built > 0) {
            EXPECT_EQ(module.getPin(built - 1)->getVariable(), &variables[built - 1]) << count;
        }
    }
}

namespace {
intptr_t SE_CDECL huge_pin_count(SEMod_struct_base2*, int32_t opcode, int32_t, int32_t, void*, float) {
    return opcode == HOST_GET_TOTAL_PIN_COUNT ? INT32_MAX : 0;
}
}  // namespace

TEST(Pins, AnArrayThatCannotBeAllocatedLeavesNoPins) {
    if (!SE_32BIT) GTEST_SKIP() << "only a 32-bit address space is sure to refuse the array";
    CallLog log;
    ScriptedModule module(&huge_pin_count, nullptr, &log);
    module.descriptions = {describe_pin(PLUG_AUDIO)};
    module.open();
    EXPECT_EQ(module.pin_array(), nullptr);
    EXPECT_EQ(module.getPinCount(), 0);
    EXPECT_EQ(module.getPin(0), nullptr);
    EXPECT_THAT(module.fetched_during_open, ElementsAre(0, -1));
}

class PinRequests : public ::testing::Test {
protected:
    PinRequests() : h({describe_pin(PLUG_AUDIO, &buffer_variable), describe_pin(PLUG_FLOAT)}) {
        h.host->open();
        h.host->clear_trace();
    }
    float* buffer_variable = nullptr;
    ScriptedHost h;
};

TEST_F(PinRequests, GetValueAsksBlockStartThenClockAndReadsTheDifference) {
    for (int i = 0; i < 8; ++i) h.host->buffer(0)[i] = static_cast<float>(i) + 0.5f;
    h.host->set_sample_clock(1003);
    h.host->set_block_start(0, 1000);
    EXPECT_EQ(h.module->getPin(0)->getValue(), 3.5f);
    ASSERT_EQ(h.host->trace().size(), 2u);
    EXPECT_EQ(h.host->trace()[0].opcode, HOST_GET_BLOCK_START_CLOCK);
    EXPECT_EQ(h.host->trace()[0].index, 0);
    EXPECT_EQ(h.host->trace()[1].opcode, HOST_GET_SAMPLE_CLOCK);

    // The difference wraps around at 32 bits.
    h.host->set_sample_clock(1);
    h.host->set_block_start(0, 0xFFFFFFFEu);
    EXPECT_EQ(h.module->getPin(0)->getValue(), 3.5f);
}

TEST_F(PinRequests, GetValueWithoutASampleBufferIsZeroAndAsksNothing) {
    EXPECT_EQ(h.module->getPin(1)->getValue(), 0.0f);  // a float pin
    buffer_variable = nullptr;                         // an audio pin whose buffer is gone
    EXPECT_EQ(h.module->getPin(0)->getValue(), 0.0f);
    EXPECT_THAT(h.host->trace(), IsEmpty());
}

TEST_F(PinRequests, IsConnectedForAnyNonZeroAnswer) {
    for (const auto& [answer, connected] : {std::pair{0, false}, {1, true}, {-1, true}, {2, true}}) {
        h.host->set_connection(1, answer);
        EXPECT_EQ(h.module->getPin(1)->IsConnected(), connected) << answer;
    }
    for (const sehost::Request& r : h.host->trace()) {
        EXPECT_EQ(r.opcode, HOST_IS_PIN_CONNECTED);
        EXPECT_EQ(r.index, 1);
    }
}

TEST_F(PinRequests, StatusAndMidiCarryTheirClockInThePointer) {
    h.module->getPin(1)->TransmitStatusChange(5000, STATE_STREAMING);
    h.module->getPin(0)->TransmitMIDI(0xFFFFFFF0u, 0x00403C90u);
    ASSERT_EQ(h.host->trace().size(), 2u);
    const sehost::Request& status = h.host->trace()[0];
    EXPECT_EQ(status.opcode, HOST_SET_PIN_STATUS);
    EXPECT_EQ(status.index, 1);
    EXPECT_EQ(status.value, STATE_STREAMING);
    EXPECT_EQ(status.ptr, 5000);
    EXPECT_EQ(status.opt, 0.0f);
    EXPECT_EQ(h.host->pin_status(1), STATE_STREAMING);
    const sehost::Request& midi = h.host->trace()[1];
    EXPECT_EQ(midi.opcode, HOST_SEND_MIDI);
    EXPECT_EQ(midi.index, 0);
    EXPECT_EQ(midi.value, 0x00403C90);
    EXPECT_EQ(static_cast<uint32_t>(midi.ptr), 0xFFFFFFF0u);
}

}  // namespace
