// Our host's own behaviour, seen from a module.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scripted_module.h"

using ::testing::ElementsAre;

namespace {

TEST(HostInstance, RecordsEveryRequestAndAnswersUnknownOnesWithZero) {
    int marker = 0;
    ScriptedHost h;
    EXPECT_EQ(h.module->CallHost(99, 1, 2, &marker, 0.0f), 0);
    EXPECT_EQ(h.module->CallHost(-5), 0);
    ASSERT_EQ(h.host->trace().size(), 2u);
    EXPECT_EQ(h.host->trace()[0].opcode, 99);
    EXPECT_EQ(h.host->trace()[0].index, 1);
    EXPECT_EQ(h.host->trace()[0].value, 2);
    EXPECT_EQ(h.host->trace()[0].ptr, reinterpret_cast<intptr_t>(&marker));
    EXPECT_EQ(h.host->trace()[1].opcode, -5);
}

TEST(HostInstance, CallsTheRoutineItWasLastToldOf) {
    ScriptedHost h;
    h.module->setSubProcess(&ScriptedModule::routine_a);
    // A record rewritten without HOST_PROCESS_CHANGED is not looked at.
    h.module->record().process_ptr =
        reinterpret_cast<ProcessEntry>(member_entry(&ScriptedModule::routine_b));
    h.host->process(0, 1);
    h.module->CallHost(HOST_PROCESS_CHANGED);
    h.host->process(0, 2);
    EXPECT_THAT(h.log, ElementsAre("a 0 1", "b 0 2"));
}

TEST(HostInstance, AnswersClockBlockStartPinCountAndBuffers) {
    float* variable = nullptr;
    sehost::InstanceOptions options;
    options.pin_count = 3;
    ScriptedHost h({describe_pin(PLUG_AUDIO, &variable)}, options);
    h.host->open();
    EXPECT_EQ(variable, h.host->buffer(0));
    EXPECT_EQ(h.module->CallHost(HOST_GET_TOTAL_PIN_COUNT), 3);
    EXPECT_EQ(h.module->CallHost(HOST_GET_PIN_BUFFER, 2), reinterpret_cast<intptr_t>(h.host->buffer(2)));
    EXPECT_EQ(h.module->CallHost(HOST_GET_PIN_BUFFER, 3), 0);
    h.host->set_block_size(10);
    h.host->run(25);
    EXPECT_EQ(h.module->SampleClock(), 25u);
    EXPECT_EQ(h.module->CallHost(HOST_GET_BLOCK_START_CLOCK, 1), 20);
}

TEST(HostInstance, EventsInThePastAreDeliveredFirstInTimeOrder) {
    ScriptedHost h({describe_pin(PLUG_AUDIO), describe_pin(PLUG_AUDIO)});
    h.host->open();
    h.host->set_sample_clock(100);
    h.host->post_pin_state(1, STATE_STATIC, 90);
    h.host->post_pin_state(0, STATE_STREAMING, 50);
    h.host->run(1);
    EXPECT_THAT(h.log, ElementsAre("state 0 2", "state 1 1"));
}

TEST(HostInstance, AClosedInstanceCannotBeDriven) {
    ScriptedHost h;
    h.host->close();
    EXPECT_THROW(h.host->dispatch(MOD_OPEN), sehost::HostError);
    EXPECT_THROW(h.host->process(0, 1), sehost::HostError);
}

TEST(HostInstance, APluginThatMakesNoInstanceIsAnError) {
    EXPECT_THROW(sehost::Instance([](HostCallback, void*) -> SEMod_struct_base2* { return nullptr; }),
                 sehost::HostError);
}

}  // namespace

namespace {

class RepostingModule : public ScriptedModule {
public:
    using ScriptedModule::ScriptedModule;
    // Asks to be called again "now", every time.
    void again() {
        ++calls;
        RunDelayed(SampleClock(), &RepostingModule::again);
    }
    int calls = 0;
};

TEST(HostInstance, EventsPostedForNowWaitForTheNextDelivery) {
    RepostingModule* module = nullptr;
    sehost::Instance host([&](HostCallback callback, void* host_ptr) {
        module = new RepostingModule(callback, host_ptr, nullptr);
        return module->getAeffect();
    });
    host.open();
    host.set_block_size(8);
    module->RunDelayed(0, &RepostingModule::again);
    host.run(8);  // one delivery before the block, one after it
    EXPECT_EQ(module->calls, 2);
}

}  // namespace
