// SeGuiPin: each operation's request and what it makes of the answer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gui_host.h"

using ::testing::ElementsAre;

namespace {

class GuiPin : public ::testing::Test {
protected:
    GuiPin() : gui(&GuiHost::callback, &host) { pin.Init(3, &gui); }

    void expect_request(size_t i, int32_t opcode, int32_t value, intptr_t ptr, float opt) {
        ASSERT_LT(i, host.trace.size());
        const GuiRequest& r = host.trace[i];
        EXPECT_EQ(r.opcode, opcode);
        EXPECT_EQ(r.index, 3);
        EXPECT_EQ(r.value, value);
        EXPECT_EQ(r.ptr, ptr);
        EXPECT_EQ(r.opt, opt);
    }

    GuiHost host;
    SEGUI_base gui;
    SeGuiPin pin;
};

TEST_F(GuiPin, WritesCarryTheNumberInValueOrFloat) {
    pin.setValueInt(-5);
    pin.setValueFloat(0.5f);
    ASSERT_EQ(host.trace.size(), 2u);
    expect_request(0, GUIHOST_SET_PIN_VALUE, -5, 0, 0.0f);
    expect_request(1, GUIHOST_SET_PIN_VALUE, 0, 0, 0.5f);
}

TEST_F(GuiPin, ReadsSendOneIdenticalRequestAndConvertNothing) {
    host.value_bits = 0x3FC00000u;  // 1.5f
    EXPECT_EQ(pin.getValueFloat(), 1.5f);
    EXPECT_EQ(pin.getValueInt(), 1069547520);
    host.value_bits = 0xFFFFFFFFu;
    EXPECT_EQ(pin.getValueInt(), -1);
    ASSERT_EQ(host.trace.size(), 3u);
    for (const GuiRequest& r : host.trace) {
        EXPECT_EQ(r.opcode, GUIHOST_GET_PIN_VALUE);
        EXPECT_EQ(r.index, 3);
        EXPECT_EQ(r.value, 0);
        EXPECT_NE(r.ptr, 0);
    }
    host.write_value = false;  // a host that writes nothing reads as zero
    EXPECT_EQ(pin.getValueInt(), 0);
    EXPECT_EQ(pin.getValueFloat(), 0.0f);
}

TEST_F(GuiPin, TextIsSentWithItsTerminatorAndReadAsACopy) {
    pin.setValueText("");
    pin.setValueText("gain");
    EXPECT_EQ(host.trace[0].text, "");
    EXPECT_NE(host.trace[0].ptr, 0);
    EXPECT_EQ(host.trace[1].text, "gain");
    expect_request(1, GUIHOST_SET_PIN_TEXT, 0, host.trace[1].ptr, 0.0f);

    host.pin_text = "0.75";
    const std::string copy = pin.getValueText();
    host.pin_text = "changed";
    EXPECT_EQ(copy, "0.75");
    expect_request(2, GUIHOST_GET_PIN_TEXT, 0, 0, 0.0f);
    host.pin_text = "";
    EXPECT_EQ(pin.getValueText(), "");
    host.text_is_null = true;
    EXPECT_EQ(pin.getValueText(), "");
}

struct ExtraCase {
    const char* name;
    int32_t count;
    std::vector<char16_t> units;
    std::u16string expected;
};

std::ostream& operator<<(std::ostream& out, const ExtraCase& c) { return out << c.name; }

class ExtraData : public GuiPin, public ::testing::WithParamInterface<ExtraCase> {};

TEST_P(ExtraData, ReadsUpToTheFirstZeroUnitAndNeverPastTheCount) {
    host.extra_count = GetParam().count;
    host.extra_units = GetParam().units;
    EXPECT_EQ(pin.getExtraData(), GetParam().expected);
    ASSERT_EQ(host.trace.size(), 2u);
    expect_request(0, GUIHOST_GET_PIN_EXTRA_DATA, 0, 0, 0.0f);
    const int32_t sent_count = GetParam().count > 0 ? GetParam().count : 0;
    EXPECT_EQ(host.trace[1].opcode, GUIHOST_GET_PIN_EXTRA_DATA);
    EXPECT_EQ(host.trace[1].index, 3);
    EXPECT_EQ(host.trace[1].value, sent_count);
    EXPECT_NE(host.trace[1].ptr, 0);  // a buffer even for zero units
}

INSTANTIATE_TEST_SUITE_P(
    GuiPin, ExtraData,
    ::testing::Values(ExtraCase{"zero inside", 6, {u'a', u'b', u'c', 0, u'x', u'y'}, u"abc"},
                      ExtraCase{"no zero at all", 3, {u'x', 0x20AC, 0xFFFF}, std::u16string{u'x', 0x20AC, 0xFFFF}},
                      ExtraCase{"count 1", 1, {0}, u""}, ExtraCase{"count 0", 0, {}, u""},
                      ExtraCase{"negative count", -4, {}, u""}));

TEST_F(GuiPin, TwoHandlesSendTheirOwnIndex) {
    SeGuiPin other;
    other.Init(2, &gui);
    pin.setValueInt(1);
    other.setValueInt(1);
    EXPECT_EQ(host.trace[0].index, 3);
    EXPECT_EQ(host.trace[1].index, 2);
}

}  // namespace
