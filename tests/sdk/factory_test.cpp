// The two exports, compiled here against the test module.
#include <gtest/gtest.h>

#include <cstring>

#include "SEModuleMain.h"
#include "scripted_module.h"

namespace {
SEModuleProperties filled_properties() {
    SEModuleProperties properties;
    std::memset(&properties, 0x77, sizeof properties);
    return properties;
}
}  // namespace

TEST(GetModuleProperties, WritesTheVersionFirstWhateverTheIndex) {
    SEModuleProperties properties = filled_properties();
    const SEModuleProperties before = properties;
    EXPECT_EQ(getModuleProperties(1, &properties), 0);
    EXPECT_EQ(properties.sdk_version, 2210);
    EXPECT_EQ(properties.name, before.name);
    EXPECT_EQ(properties.id, before.id);
    EXPECT_EQ(properties.about, before.about);

    properties = filled_properties();
    EXPECT_EQ(getModuleProperties(-1, &properties), 0);
    EXPECT_EQ(properties.sdk_version, 2210);
}

TEST(GetModuleProperties, DescribesTheModuleAtIndexZeroOnly) {
    SEModuleProperties properties = filled_properties();
    const SEModuleProperties before = properties;
    EXPECT_EQ(getModuleProperties(0, &properties), 1);
    EXPECT_STREQ(properties.name, "Probe");
    EXPECT_STREQ(properties.id, "SE Probe");
    EXPECT_STREQ(properties.about, "framework test module");
    EXPECT_EQ(properties.sdk_version, 2210);
    EXPECT_EQ(std::memcmp(properties.host_reserved, before.host_reserved, sizeof before.host_reserved), 0);
}

TEST(GetModuleProperties, AnswersZeroForANullRecord) { EXPECT_EQ(getModuleProperties(0, nullptr), 0); }

TEST(MakeModule, RefusesOtherIndicesAndTypes) {
    for (const auto& [index, type] : {std::pair{0, 2}, {1, 1}, {0, 0}, {-1, 1}, {0, -1}})
        EXPECT_EQ(makeModule(index, type, nullptr, nullptr), nullptr) << index << ", " << type;
}

TEST(MakeModule, MakesIndependentInstances) {
    int host_a = 0;
    int host_b = 0;
    auto* a = static_cast<SEMod_struct_base2*>(makeModule(0, 1, nullptr, &host_a));
    auto* b = static_cast<SEMod_struct_base2*>(makeModule(0, 1, nullptr, &host_b));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->host_ptr, &host_a);
    EXPECT_EQ(b->host_ptr, &host_b);
    EXPECT_EQ(static_cast<SEModule_base*>(a->object)->getAeffect(), a);
    EXPECT_EQ(static_cast<SEModule_base*>(b->object)->getAeffect(), b);
    EXPECT_EQ(a->dispatcher(a, MOD_CLOSE, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(b->dispatcher(b, MOD_CLOSE, 0, 0, nullptr, 0.0f), 1);
}

TEST(MakeModule, AnInstanceWithoutCallbackStillWorks) {
    ScriptedHost h({describe_pin(PLUG_AUDIO)}, {}, /*with_callback=*/false);
    h.host->open();
    EXPECT_EQ(h.module->pin_array(), nullptr);
    EXPECT_EQ(h.module->getPin(0), nullptr);
    EXPECT_EQ(h.module->SampleClock(), 0u);
    EXPECT_EQ(h.module->CallHost(HOST_GET_TOTAL_PIN_COUNT), 0);
    h.module->AddEvent(1, EVT_MIDI, 0, 0, nullptr);
    h.module->setSubProcess(&ScriptedModule::routine_a);  // stored, no host told
    EXPECT_EQ(h.module->getSubProcess(), ProcessDelegate(static_cast<ProcessRoutine>(&ScriptedModule::routine_a)));
    EXPECT_TRUE(h.host->trace().empty());
}
