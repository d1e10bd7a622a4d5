// Events in both directions: pin states, MIDI, delayed calls, posted events,
// and how our host delivers them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scripted_module.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class Events : public ::testing::Test {
protected:
    Events() : h({describe_pin(PLUG_AUDIO, &a), describe_pin(PLUG_AUDIO, &b)}) { h.host->open(); }

    void send(int32_t type, int32_t parm1, int32_t parm2, intptr_t ptr, uint32_t time = 0) {
        h.host->deliver(SeEvent(time, type, parm1, parm2, reinterpret_cast<void*>(ptr)));
    }

    float* a = nullptr;
    float* b = nullptr;
    ScriptedHost h;
};

TEST_F(Events, PinStatusIsRecordedAndTold) {
    send(EVT_PIN_STATUS, STATE_STREAMING, 0, 1);
    EXPECT_THAT(h.log, ElementsAre("state 1 2"));
    EXPECT_EQ(h.module->getPin(1)->getStatus(), STATE_STREAMING);
    send(EVT_PIN_STATUS, STATE_STREAMING, 0, 1);  // the same state is told again
    EXPECT_THAT(h.log, ElementsAre("state 1 2", "state 1 2"));
}

TEST_F(Events, StaticIsSeenOnlyWhileTheModuleIsTold) {
    send(EVT_PIN_STATUS, STATE_STATIC, 0, 0);
    EXPECT_THAT(h.module->statuses_seen, ElementsAre(STATE_STATIC));
    EXPECT_EQ(h.module->getPin(0)->getStatus(), STATE_STEADY);
}

TEST_F(Events, PinStatusNamingNoBuiltSlotIsIgnored) {
    for (intptr_t slot : {intptr_t{2}, intptr_t{-1}, intptr_t{1000}}) send(EVT_PIN_STATUS, STATE_STREAMING, 0, slot);
    EXPECT_THAT(h.log, IsEmpty());
}

TEST_F(Events, MidiValueIsTheSignedLowSixteenBits) {
    send(EVT_MIDI, 0x90, 0x12348000, 0, 77);
    send(EVT_MIDI, 0x80, 0x7FFF, 0, 78);
    send(EVT_MIDI, 0x80, -1, 0, 79);
    EXPECT_THAT(h.log, ElementsAre("midi 77 144 -32768", "midi 78 128 32767", "midi 79 128 -1"));
}

TEST_F(Events, DelayedCallsReachPlainAndVirtualRoutines) {
    send(EVT_DELAYED_CALL, 0, 0, static_cast<intptr_t>(member_entry(&ScriptedModule::delayed_plain)));
    const uintptr_t virtual_entry = member_entry(&ScriptedModule::delayed_virtual);
    ASSERT_EQ(virtual_entry & 1, 1u);  // a virtual routine travels as 1 + its slot offset
    send(EVT_DELAYED_CALL, 0, 0, static_cast<intptr_t>(virtual_entry));
    send(EVT_DELAYED_CALL, 0, 0, 0);  // no routine: ignored
    EXPECT_THAT(h.log, ElementsAre("delayed_plain", "delayed_virtual"));
}

TEST_F(Events, OtherEventTypesAreIgnored) {
    for (int32_t type : {1, 3, 6, 22, -1}) send(type, STATE_STREAMING, 1, 1);
    EXPECT_THAT(h.log, IsEmpty());
    EXPECT_EQ(h.module->getPin(1)->getStatus(), STATE_STEADY);
}

TEST_F(Events, AddEventHandsTheHostACompleteRecord) {
    h.host->clear_trace();
    h.module->AddEvent(100, EVT_MIDI, 0x90, 5, nullptr);
    ASSERT_EQ(h.host->trace().size(), 1u);
    const sehost::Request& r = h.host->trace()[0];
    EXPECT_EQ(r.opcode, HOST_ADD_EVENT);
    EXPECT_EQ(r.index, 0);
    EXPECT_EQ(r.value, 0);
    ASSERT_TRUE(r.has_event);
    EXPECT_EQ(r.event.time_stamp, 100u);
    EXPECT_EQ(r.event.event_type, EVT_MIDI);
    EXPECT_EQ(r.event.int_parm1, 0x90);
    EXPECT_EQ(r.event.int_parm2, 5);
    EXPECT_EQ(r.event.ptr_parm1, nullptr);
    EXPECT_EQ(r.event.next, nullptr);
}

TEST_F(Events, RunDelayedSendsTheEntryWordAloneAndComesBackAtItsTime) {
    h.host->clear_trace();
    const uintptr_t entry = member_entry(&ScriptedModule::delayed_plain);
    h.module->RunDelayed(40, DelayedDelegate(entry, 4));
    ASSERT_EQ(h.host->trace().size(), 1u);
    const SeEvent& posted = h.host->trace()[0].event;
    EXPECT_EQ(posted.time_stamp, 40u);
    EXPECT_EQ(posted.event_type, EVT_DELAYED_CALL);
    EXPECT_EQ(posted.int_parm1, 0);
    EXPECT_EQ(posted.int_parm2, 0);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(posted.ptr_parm1), entry);

    // Our host delivers it when the clock reaches 40, splitting the block there.
    h.module->setSubProcess(&ScriptedModule::routine_a);
    h.host->set_block_size(64);
    h.host->run(64);
    EXPECT_THAT(h.log, ElementsAre("a 0 40", "delayed_plain", "a 40 24"));
}

TEST_F(Events, ASleepingInstanceIsSkippedUntilAStateEventWakesIt) {
    h.module->setSubProcess(&ScriptedModule::routine_sleep);
    h.host->set_block_size(16);
    h.host->run(16);  // the routine asks to sleep during this block
    EXPECT_TRUE(h.host->sleeping());
    h.host->run(32);
    EXPECT_EQ(h.host->process_calls(), 1);
    h.host->post_pin_state(0, STATE_STREAMING, h.host->sample_clock() + 4);
    h.host->run(16);
    EXPECT_THAT(h.log, ElementsAre("sleep 0 16", "state 0 2", "sleep 4 12"));
}

}  // namespace
