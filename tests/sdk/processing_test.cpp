// Installing process routines and calling them the way the host does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scripted_module.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

uintptr_t entry_a() { return member_entry(&ScriptedModule::routine_a); }
uintptr_t entry_b() { return member_entry(&ScriptedModule::routine_b); }

struct SwitchCase {
    const char* name;
    ProcessDelegate installed;  // installed first (without looking at the trace)
    ProcessDelegate next;
    bool changes;
};

std::ostream& operator<<(std::ostream& out, const SwitchCase& c) { return out << c.name; }

class SetSubProcess : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SetSubProcess, StoresThenPointsTheRecordThenTellsTheHostOnce) {
    const SwitchCase& c = GetParam();
    ScriptedHost h;
    ScriptedModule& m = *h.module;
    m.setSubProcess(c.installed);
    const ProcessDelegate before = m.getSubProcess();
    const ProcessEntry entry_before = m.record().process_ptr;
    h.host->clear_trace();

    m.setSubProcess(c.next);

    if (c.changes) {
        EXPECT_EQ(m.getSubProcess().RawPointer(), c.next.RawPointer());
        EXPECT_EQ(m.getSubProcess().adjustment(), c.next.adjustment());
        EXPECT_EQ(reinterpret_cast<uintptr_t>(m.record().process_ptr), c.next.RawPointer());
        EXPECT_EQ(opcodes(h.host->trace()), std::vector<int32_t>{HOST_PROCESS_CHANGED});
    } else {
        EXPECT_EQ(m.getSubProcess().RawPointer(), before.RawPointer());
        EXPECT_EQ(m.getSubProcess().adjustment(), before.adjustment());
        EXPECT_EQ(m.record().process_ptr, entry_before);
        EXPECT_THAT(h.host->trace(), IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Processing, SetSubProcess,
    ::testing::Values(
        SwitchCase{"another routine", ProcessDelegate(), ProcessDelegate(entry_a(), 0), true},
        SwitchCase{"the installed routine", ProcessDelegate(entry_a(), 0), ProcessDelegate(entry_a(), 0), false},
        SwitchCase{"same entry, other adjustment", ProcessDelegate(entry_a(), 0), ProcessDelegate(entry_a(), 4),
                   true},
        SwitchCase{"a to b", ProcessDelegate(entry_a(), 0), ProcessDelegate(entry_b(), 0), true},
        // Refused: 0 or an odd (virtual) entry cannot be called through process_ptr.
        SwitchCase{"no routine", ProcessDelegate(entry_a(), 0), ProcessDelegate(0, 0), false},
        SwitchCase{"a virtual routine", ProcessDelegate(entry_a(), 0), ProcessDelegate(1 + 8, 0), false}));

TEST(Processing, TwoReferencesWithoutARoutineAreEqualWhateverTheirAdjustments) {
    EXPECT_EQ(ProcessDelegate(0, 0), ProcessDelegate(0, 12));
    EXPECT_NE(ProcessDelegate(entry_a(), 0), ProcessDelegate(entry_a(), 12));
    EXPECT_NE(ProcessDelegate(entry_a(), 0), ProcessDelegate(entry_b(), 0));
}

TEST(Processing, TheHostCallsTheInstalledRoutineAsAPlainFunction) {
    ScriptedHost h;
    h.host->process(0, 64);  // process_idle: nothing
    EXPECT_THAT(h.log, IsEmpty());

    h.module->setSubProcess(&ScriptedModule::routine_a);
    h.host->process(16, 48);
    h.module->setSubProcess(&ScriptedModule::routine_b);
    h.host->process(-3, 0);
    EXPECT_THAT(h.log, ElementsAre("a 16 48", "b -3 0"));
}

TEST(Processing, RawPointerIsTheEntryWordAlone) {
    const ProcessDelegate reference(entry_a(), 4);
    EXPECT_EQ(reference.RawPointer(), entry_a());
    const DelayedDelegate bare(uintptr_t{0x1234});
    EXPECT_EQ(bare.RawPointer(), 0x1234u);
    EXPECT_EQ(bare.adjustment(), 0);
}

}  // namespace
