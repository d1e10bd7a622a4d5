// The host -> module dispatcher, row by row.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "scripted_module.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DoNothingOpcode : public ::testing::TestWithParam<int32_t> {};

TEST_P(DoNothingOpcode, AnswersZeroAndChangesNothing) {
    ScriptedHost h;
    SEMod_struct_base2 before;
    std::memcpy(&before, &h.module->record(), sizeof before);
    SEPinProperties record{};

    EXPECT_EQ(h.host->dispatch(GetParam(), 3, 4096, &record, 22050.0f), 0);

    EXPECT_EQ(std::memcmp(&before, &h.module->record(), sizeof before), 0);
    EXPECT_EQ(h.module->getSampleRate(), 44100.0f);
    EXPECT_EQ(h.module->getBlockSize(), 1024);
    EXPECT_EQ(h.module->pin_array(), nullptr);
    EXPECT_THAT(h.log, IsEmpty());
    EXPECT_THAT(h.host->trace(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Dispatcher, DoNothingOpcode,
                         ::testing::Values(4, 5, 7, 9, 10, 11, 14, 15, 1000, INT_MAX, -1, -13, INT_MIN));

TEST(Dispatcher, SampleRateComesFromTheFloatAndBlockSizeFromTheValue) {
    ScriptedHost h;
    EXPECT_EQ(h.host->dispatch(MOD_SET_SAMPLE_RATE, 0, 96000, nullptr, 48000.0f), 0);
    EXPECT_EQ(h.module->getSampleRate(), 48000.0f);
    EXPECT_EQ(h.module->getBlockSize(), 1024);

    EXPECT_EQ(h.host->dispatch(MOD_SET_BLOCK_SIZE, 0, 256, nullptr, 7.0f), 0);
    EXPECT_EQ(h.module->getBlockSize(), 256);
    EXPECT_EQ(h.module->getSampleRate(), 48000.0f);
}

struct ResumeCase {
    int32_t index;
    CallLog expected;
};

class ResumeRow : public ::testing::TestWithParam<ResumeCase> {};

TEST_P(ResumeRow, ResetsAVoiceOnlyForAPositiveIndex) {
    ScriptedHost h;
    EXPECT_EQ(h.host->dispatch(MOD_RESUME, GetParam().index, 9), 0);
    EXPECT_EQ(h.log, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Dispatcher, ResumeRow,
                         ::testing::Values(ResumeCase{0, {"Resume"}}, ResumeCase{-1, {"Resume"}},
                                           ResumeCase{INT_MIN, {"Resume"}},
                                           ResumeCase{3, {"Resume", "VoiceReset 3"}}));

TEST(Dispatcher, GuiNotifyPassesValueFirstAndIndexSecond) {
    ScriptedHost h;
    int marker = 0;
    EXPECT_EQ(h.host->dispatch(MOD_GUI_NOTIFY, 7, 9, &marker), 0);
    EXPECT_THAT(h.log, ElementsAre("OnGuiNotify 9 7 " + std::to_string(reinterpret_cast<intptr_t>(&marker))));
}

TEST(Dispatcher, PinPropertiesKeepTheHostsOwnFields) {
    ScriptedHost h({describe_pin(PLUG_FLOAT, nullptr, 0, "level")});
    static const char kHostText[] = "host's own";
    SEPinProperties record;
    std::memset(&record, 0xAB, sizeof record);
    record.default_value = kHostText;
    record.datatype_extra = kHostText;

    EXPECT_EQ(h.host->dispatch(MOD_GET_PIN_PROPERTIES, 0, 0, &record), 1);
    EXPECT_STREQ(record.name, "level");
    EXPECT_EQ(record.datatype, PLUG_FLOAT);
    EXPECT_EQ(record.default_value, kHostText);
    EXPECT_EQ(record.datatype_extra, kHostText);
    EXPECT_EQ(static_cast<uint32_t>(record.spare), 0xABABABABu);
}

TEST(Dispatcher, PinPropertiesRefuseAMissingDescriptionOrRecord) {
    ScriptedHost h({describe_pin(PLUG_AUDIO)});
    SEPinProperties record;
    std::memset(&record, 0x5A, sizeof record);
    SEPinProperties untouched = record;

    EXPECT_EQ(h.host->dispatch(MOD_GET_PIN_PROPERTIES, 1, 0, &record), 0);
    EXPECT_EQ(h.host->dispatch(MOD_GET_PIN_PROPERTIES, -1, 0, &record), 0);
    EXPECT_EQ(std::memcmp(&record, &untouched, sizeof record), 0);
    EXPECT_EQ(h.host->dispatch(MOD_GET_PIN_PROPERTIES, 0, 0, nullptr), 0);
}

TEST(Dispatcher, ProcessInfoIsOneRecordSharedByAllInstances) {
    ScriptedHost first;
    ScriptedHost second;
    auto* info = reinterpret_cast<const ProcessRoutineInfo*>(first.host->dispatch(MOD_GET_PROCESS_INFO));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->first, 1);
    EXPECT_EQ(info->reference_size, static_cast<int32_t>(sizeof(ProcessDelegate)));
    EXPECT_EQ(info->last, 1002);
    const void* first_reference = info->reference;

    EXPECT_EQ(reinterpret_cast<const ProcessRoutineInfo*>(second.host->dispatch(MOD_GET_PROCESS_INFO)), info);
    EXPECT_NE(info->reference, first_reference);

    // The reference is the live field: it follows a change of routine.
    const auto* reference = static_cast<const MemberRoutineRef*>(info->reference);
    second.module->setSubProcess(&ScriptedModule::routine_a);
    EXPECT_EQ(reference->entry, member_entry(&ScriptedModule::routine_a));
    EXPECT_EQ(reference->adjustment, 0);
#if SE_32BIT
    EXPECT_EQ(info->reference_size, 8);
#endif
}

TEST(Dispatcher, CloseRunsCloseThenDestroysTheInstance) {
    ScriptedHost unopened;
    EXPECT_EQ(unopened.host->dispatch(MOD_CLOSE), 1);
    EXPECT_THAT(unopened.log, ElementsAre("close", "destroyed"));
    EXPECT_TRUE(unopened.host->closed());

    // An opened instance frees its pins too (the sanitizer build checks the memory).
    ScriptedHost opened({describe_pin(PLUG_AUDIO), describe_pin(PLUG_FLOAT)});
    opened.host->open();
    ASSERT_NE(opened.module->pin_array(), nullptr);
    EXPECT_EQ(opened.host->dispatch(MOD_CLOSE), 1);
    EXPECT_THAT(opened.log, ElementsAre("close", "destroyed"));
}
