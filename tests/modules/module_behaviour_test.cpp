// Behaviour both modules share: every code path against the reference,
// buffer handling, the countdown to sleep and the order of messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "SEKernel.h"
#include "module_under_test.h"

using ::testing::ElementsAre;

namespace {

enum class Path { plain, sse2, avx2, module };

const char* path_name(Path path) {
    switch (path) {
    case Path::plain: return "plain";
    case Path::sse2: return "sse2";
    case Path::avx2: return "avx2";
    default: return "module";
    }
}

std::vector<Path> available_paths() {
    std::vector<Path> paths{Path::plain, Path::sse2, Path::module};
    if (se_kernel::cpu_has_avx2()) paths.push_back(Path::avx2);
    return paths;
}

void run_path(Path path, float* out, const float* a, const float* b, const float* c, int32_t count) {
    switch (path) {
    case Path::plain: se_kernel::map3_plain<Formula>(out, a, b, c, count); break;
    case Path::sse2: se_kernel::map3<Formula, se_kernel::Isa::sse2>(out, a, b, c, count); break;
    case Path::avx2: se_kernel::map3<Formula, se_kernel::Isa::avx2>(out, a, b, c, count); break;
    case Path::module: se_kernel::run3<Formula>(0, count, out, a, b, c); break;
    }
}

// Samples of every class: any bit pattern (NaNs, infinities, subnormals
// included), specials, and ordinary audio values.
class SampleSource {
public:
    float next() {
        static const uint32_t specials[] = {0x00000000, 0x80000000, 0x7F800000, 0xFF800000, 0x7FC00000,
                                            0xFFC00001, 0x00000001, 0x807FFFFF, 0x00800000, 0xBC23D70A,
                                            0xBC23D70B, 0x3F800800, 0x7F7FFFFF, 0xFF7FFFFF};
        switch (random_() % 4) {
        case 0: return float_of(specials[random_() % (sizeof specials / sizeof specials[0])]);
        case 1: return float_of(static_cast<uint32_t>(random_()));
        case 2: return float_of(static_cast<uint32_t>(random_()) & 0x807FFFFFu);  // subnormal or zero
        default: return std::uniform_real_distribution<float>(-2.0f, 2.0f)(random_);
        }
    }

private:
    std::mt19937 random_{20261211};
};

TEST(EveryPath, MatchesTheReferenceOverEveryFloatClass) {
    constexpr int32_t kSamples = 1 << 14;
    SampleSource source;
    std::vector<float> a(kSamples), b(kSamples), c(kSamples), expected(kSamples);
    for (int32_t i = 0; i < kSamples; ++i) {
        a[i] = source.next();
        b[i] = source.next();
        c[i] = source.next();
        expected[i] = reference_output(a[i], b[i], c[i]);
    }
    for (Path path : available_paths()) {
        std::vector<float> out(kSamples);
        run_path(path, out.data(), a.data(), b.data(), c.data(), kSamples);
        int mismatches = 0;
        for (int32_t i = 0; i < kSamples && mismatches < 5; ++i) {
            if (!same_bits(out[i], expected[i])) {
                ++mismatches;
                ADD_FAILURE() << path_name(path) << " sample " << i << ": " << std::hex << bits_of(a[i]) << ", "
                              << bits_of(b[i]) << ", " << bits_of(c[i]) << " gave " << bits_of(out[i])
                              << ", expected " << bits_of(expected[i]);
            }
        }
    }
}

// Every count from 1 to 17 at offsets 0 to 3 (every alignment and loop tail),
// with guard values around the written range.
TEST(EveryPath, WritesExactlyTheRangeAskedFor) {
    constexpr int32_t kGuard = 8;
    constexpr int32_t kLength = 3 + 17 + 2 * kGuard;
    const float guard = float_of(0x7FA5A5A5u);
    SampleSource source;
    std::vector<float> a(kLength), b(kLength), c(kLength);
    for (int32_t i = 0; i < kLength; ++i) {
        a[i] = source.next();
        b[i] = source.next();
        c[i] = source.next();
    }
    for (Path path : available_paths()) {
        for (int32_t offset = 0; offset <= 3; ++offset) {
            for (int32_t count = 1; count <= 17; ++count) {
                std::vector<float> out(kLength, guard);
                const int32_t first = kGuard + offset;
                run_path(path, out.data() + first, a.data() + first, b.data() + first, c.data() + first, count);
                for (int32_t i = 0; i < kLength; ++i) {
                    const bool inside = i >= first && i < first + count;
                    const float expected = inside ? reference_output(a[i], b[i], c[i]) : guard;
                    ASSERT_TRUE(same_bits(out[i], expected) && (inside || bits_of(out[i]) == bits_of(guard)))
                        << path_name(path) << " offset " << offset << " count " << count << " element " << i;
                }
            }
        }
    }
}

TEST(EveryPath, OutputMayBeAnyOneOfTheInputs) {
    constexpr int32_t kSamples = 301;
    SampleSource source;
    std::vector<float> inputs[3];
    for (auto& input : inputs) {
        input.resize(kSamples);
        for (float& x : input) x = source.next();
    }
    for (Path path : available_paths()) {
        for (int shared = 0; shared < 3; ++shared) {
            std::vector<float> buffers[3] = {inputs[0], inputs[1], inputs[2]};
            run_path(path, buffers[shared].data(), buffers[0].data(), buffers[1].data(), buffers[2].data(), kSamples);
            for (int32_t i = 0; i < kSamples; ++i)
                ASSERT_TRUE(same_bits(buffers[shared][i], reference_output(inputs[0][i], inputs[1][i], inputs[2][i])))
                    << path_name(path) << " output on input " << shared << ", sample " << i;
        }
    }
}

TEST(EveryPath, PartiallyOverlappingBuffersGiveTheSequentialResult) {
    SampleSource source;
    for (int shift : {-2, -1, 1, 5}) {
        std::vector<float> a(64), b(64), c(64);
        for (int i = 0; i < 64; ++i) {
            a[i] = source.next();
            b[i] = source.next();
            c[i] = source.next();
        }
        std::vector<float> expected = a;
        float* out = expected.data() + 8 + shift;
        for (int i = 0; i < 40; ++i) out[i] = reference_output(expected[8 + i], b[8 + i], c[8 + i]);
        se_kernel::run3<Formula>(8, 40, a.data() + shift, a.data(), b.data(), c.data());
        for (int i = 0; i < 64; ++i) ASSERT_TRUE(same_bits(a[i], expected[i])) << "shift " << shift << " i " << i;
    }
}

TEST_P(Arithmetic, ThroughTheModule) {
    const ArithmeticCase& c = GetParam();
    ModuleHost h;
    h.fill_inputs(c.signal, c.second, c.third);
    h.host->process(0, 33);  // vector body and scalar tail
    for (int i = 0; i < 33; ++i)
        ASSERT_TRUE(same_bits(h.host->buffer(3)[i], c.expected))
            << std::hex << bits_of(h.host->buffer(3)[i]) << " != " << bits_of(c.expected);
}

TEST_P(StateRule, DerivesOutputsState) {
    const StateCase& c = GetParam();
    ModuleHost h;
    h.fill_inputs(0.5f, c.second_value, c.third_value);
    EXPECT_EQ(settle_states(h, c.states, c.last), c.expected);
    const uintptr_t routine = reinterpret_cast<uintptr_t>(h.host->record()->process_ptr);
    EXPECT_EQ(routine, member_entry(c.expected == STATE_STREAMING ? &Module::sub_process : &Module::sub_process_static));
}

TEST(SubProcess, ReadsAndWritesNothingForCountsBelowOne) {
    ModuleHost h;
    h.fill_inputs(1.0f, 2.0f, 3.0f);
    float* out = h.host->buffer(3);
    for (int32_t count : {0, -1, -1000}) {
        std::fill(out, out + h.host->buffer_samples(), 7.0f);
        h.host->process(4, count);
        for (int32_t i = 0; i < h.host->buffer_samples(); ++i) ASSERT_EQ(out[i], 7.0f) << count;
    }
}

TEST(SubProcess, DoesNothingWhileABufferIsMissing) {
    ModuleHost h;
    h.fill_inputs(1.0f, 2.0f, 3.0f);
    float* out = h.host->buffer(3);
    std::fill(out, out + 16, 7.0f);
    SEPinProperties gain{};
    h.host->dispatch(MOD_GET_PIN_PROPERTIES, 1, 0, &gain);
    *static_cast<float**>(gain.variable_address) = nullptr;
    h.host->process(0, 16);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], 7.0f);
}

TEST(Module, RunsTheFullRoutineRightAfterOpen) {
    ModuleHost h;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(h.host->record()->process_ptr), member_entry(&Module::sub_process));
    EXPECT_THAT(std::vector<int32_t>({h.host->trace().front().opcode, h.host->trace().back().opcode}),
                ElementsAre(HOST_GET_TOTAL_PIN_COUNT, HOST_PROCESS_CHANGED));
    EXPECT_EQ(h.count(HOST_PROCESS_CHANGED), 1);
}

// A non-streaming notification, then count-down calls of the given sizes:
// which of them ask to sleep.
struct CountdownCase {
    const char* name;
    int32_t block_size;
    std::vector<int32_t> calls;
    std::vector<bool> sleeps;
};

std::ostream& operator<<(std::ostream& out, const CountdownCase& c) { return out << c.name; }

class Countdown : public ::testing::TestWithParam<CountdownCase> {};

TEST_P(Countdown, AsksToSleepOnEveryCallAtOrBelowZero) {
    const CountdownCase& c = GetParam();
    ModuleHost h;
    h.fill_inputs(0.5f, 0.25f, 0.125f);
    h.host->set_block_size(c.block_size);
    h.host->deliver(SeEvent(0, EVT_PIN_STATUS, STATE_STEADY, 0, nullptr));
    ASSERT_EQ(reinterpret_cast<uintptr_t>(h.host->record()->process_ptr), member_entry(&Module::sub_process_static));
    std::vector<bool> sleeps;
    for (int32_t count : c.calls) {
        h.host->clear_trace();
        std::fill(h.host->buffer(3), h.host->buffer(3) + h.host->buffer_samples(), 9.0f);
        h.host->process(0, count);
        sleeps.push_back(h.count(HOST_SLEEP) == 1);
        // Each call computes its block, also the ones that ask to sleep.
        if (count > 0) {
            EXPECT_EQ(h.host->buffer(3)[count - 1], reference_output(0.5f, 0.25f, 0.125f));
        }
    }
    EXPECT_EQ(sleeps, c.sleeps);
}

INSTANTIATE_TEST_SUITE_P(
    Module, Countdown,
    ::testing::Values(CountdownCase{"1024 by 256", 1024, {256, 256, 256, 256, 256}, {false, false, false, true, true}},
                      CountdownCase{"1024 by 1000", 1024, {1000, 1000}, {false, true}},
                      CountdownCase{"block size 0", 0, {64}, {true}},
                      CountdownCase{"count 0 leaves it", 64, {0, 63, 0, 1}, {false, false, false, true}}));

TEST(Module, EachNonStreamingNotificationRestartsTheCountdown) {
    ModuleHost h;
    h.fill_inputs(0.5f, 0.25f, 0.125f);
    h.host->set_block_size(100);
    h.host->clear_trace();
    h.host->deliver(SeEvent(0, EVT_PIN_STATUS, STATE_STEADY, 0, nullptr));
    h.host->process(0, 60);
    h.host->set_block_size(1000);  // a running countdown keeps its length ...
    h.host->process(0, 40);
    EXPECT_EQ(h.count(HOST_SLEEP), 1);
    h.host->deliver(SeEvent(0, EVT_PIN_STATUS, STATE_STEADY, 0, nullptr));  // ... until the next notification
    EXPECT_EQ(h.count(HOST_SET_PIN_STATUS), 2);
    EXPECT_EQ(h.count(HOST_PROCESS_CHANGED), 1);
    h.host->clear_trace();
    h.host->process(0, 999);
    EXPECT_EQ(h.count(HOST_SLEEP), 0);
    h.host->process(0, 1);
    EXPECT_EQ(h.count(HOST_SLEEP), 1);
}

TEST(Module, SendsClockThenStatusThenAtMostOneProcessChange) {
    ModuleHost h;
    h.fill_inputs(0.5f, 0.25f, 0.125f);
    h.host->set_sample_clock(5000);
    h.host->clear_trace();
    h.host->deliver(SeEvent(5000, EVT_PIN_STATUS, STATE_STREAMING, 0, nullptr));
    // Whatever the state rule asked of the host comes first; the full
    // routine is already installed, so no process change follows.
    std::vector<int32_t> sequence = opcodes_of(h.host->trace());
    ASSERT_GE(sequence.size(), 2u);
    sequence.erase(sequence.begin(), sequence.end() - 2);
    EXPECT_THAT(sequence, ElementsAre(HOST_GET_SAMPLE_CLOCK, HOST_SET_PIN_STATUS));
    EXPECT_EQ(h.count(HOST_PROCESS_CHANGED), 0);
    const sehost::Request& status = h.host->trace().back();
    EXPECT_EQ(status.index, 3);
    EXPECT_EQ(status.value, STATE_STREAMING);
    EXPECT_EQ(status.ptr, 5000);

    h.host->clear_trace();
    h.host->deliver(SeEvent(5000, EVT_PIN_STATUS, STATE_STEADY, 0, nullptr));
    sequence = opcodes_of(h.host->trace());
    ASSERT_GE(sequence.size(), 3u);
    sequence.erase(sequence.begin(), sequence.end() - 3);
    EXPECT_THAT(sequence, ElementsAre(HOST_GET_SAMPLE_CLOCK, HOST_SET_PIN_STATUS, HOST_PROCESS_CHANGED));
    EXPECT_EQ(h.host->trace().back().opcode, HOST_PROCESS_CHANGED);
}

TEST(Module, WithFewerThanFourPinsIgnoresStateChanges) {
    sehost::InstanceOptions options;
    options.pin_count = 3;
    ModuleHost h(options);
    h.host->clear_trace();
    h.host->deliver(SeEvent(0, EVT_PIN_STATUS, STATE_STREAMING, 0, nullptr));
    EXPECT_TRUE(h.host->trace().empty());
}

}  // namespace
