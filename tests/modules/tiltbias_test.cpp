// Tiltbias: its description, its arithmetic and its state rule.
#include <gtest/gtest.h>

#include <limits>

#include "SEModuleMain.h"
#include "module_under_test.h"

float reference_output(float signal, float gain, float shift) {
    const double product = static_cast<double>(signal) * static_cast<double>(gain);  // exact
    const double sum = product + static_cast<double>(shift);                           // rounded to double
    return static_cast<float>(sum);                                                    // rounded once to float
}

namespace {

TEST(Tiltbias, DescribesItself) {
    SEModuleProperties properties{};
    ASSERT_EQ(getModuleProperties(0, &properties), 1);
    EXPECT_STREQ(properties.name, "Tiltbias V1.0");
    EXPECT_EQ(properties.id, properties.name);  // one text serves both
    EXPECT_STREQ(properties.about, "by Quorvane");
}

TEST(Tiltbias, PinTable) {
    expect_pin_table({{"Signal", DIR_IN, "0", nullptr},
                      {"Gain", DIR_IN, "5", nullptr},
                      {"Shift", DIR_IN, "0", "range -10,10"},
                      {"Output", DIR_OUT, nullptr, nullptr}});
}

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kMinSub = std::numeric_limits<float>::denorm_min();

// Signal, Gain, Shift -> Output.
INSTANTIATE_TEST_SUITE_P(
    Tiltbias, Arithmetic,
    ::testing::Values(
        // Rounding the product to float first would give 2^-11 exactly.
        ArithmeticCase{"double rounding trap", 1.000244140625f, 1.000244140625f, -1.0f,
                       0.000488340854644775390625f},
        ArithmeticCase{"shift outside its range text", 1.0f, 1.0f, 25.0f, 26.0f},
        ArithmeticCase{"negative shift", 2.0f, 3.0f, -10.5f, -4.5f},
        ArithmeticCase{"positive zero", 0.0f, 5.0f, 0.0f, 0.0f},
        ArithmeticCase{"negative zero sum", -0.0f, 5.0f, -0.0f, -0.0f},
        ArithmeticCase{"zeros of both signs", -0.0f, 5.0f, 0.0f, 0.0f},
        ArithmeticCase{"NaN signal", kNaN, 5.0f, 0.0f, kNaN},
        ArithmeticCase{"infinity times zero", kInf, 0.0f, 1.0f, kNaN},
        ArithmeticCase{"infinity minus infinity", kInf, 1.0f, -kInf, kNaN},
        ArithmeticCase{"infinity", -kInf, 2.0f, 1.0f, -kInf},
        ArithmeticCase{"overflow to infinity", 3.0e38f, 3.0e38f, 0.0f, kInf},
        ArithmeticCase{"subnormal kept", kMinSub, 1.0f, 0.0f, kMinSub},
        ArithmeticCase{"subnormal product rounds to even", 3 * kMinSub, 0.5f, 0.0f, 2 * kMinSub},
        ArithmeticCase{"subnormal sum", kMinSub, -1.0f, 3 * kMinSub, 2 * kMinSub}));

constexpr state_type S0 = STATE_STEADY;
constexpr state_type S1 = STATE_STATIC;
constexpr state_type S2 = STATE_STREAMING;

// States of Signal, Gain, Shift; the input told last; Gain's and Shift's values.
INSTANTIATE_TEST_SUITE_P(
    Tiltbias, StateRule,
    ::testing::Values(StateCase{"all steady", {S0, S0, S0}, 2, 5.0f, 0.25f, S0},
                      StateCase{"signal streams", {S2, S0, S0}, 2, 5.0f, 0.25f, S2},
                      StateCase{"shift streams", {S0, S0, S2}, 0, 5.0f, 0.25f, S2},
                      StateCase{"signal just changed", {S1, S0, S0}, 0, 5.0f, 0.25f, S1},
                      StateCase{"a static report falls back", {S1, S0, S0}, 2, 5.0f, 0.25f, S0},
                      StateCase{"zero gain mutes a streaming signal", {S2, S0, S0}, 2, 0.0f, 0.25f, S0},
                      StateCase{"negative zero gain mutes too", {S2, S0, S0}, 2, -0.0f, 0.25f, S0},
                      StateCase{"zero gain keeps a streaming shift", {S2, S0, S2}, 0, 0.0f, 0.25f, S2},
                      StateCase{"zero gain that just changed", {S2, S1, S0}, 1, 0.0f, 0.25f, S1},
                      StateCase{"streaming gain at zero counts", {S2, S2, S0}, 2, 0.0f, 0.25f, S2},
                      StateCase{"tiny gain does not mute", {S2, S0, S0}, 2, kMinSub, 0.25f, S2}));

}  // namespace
