// The binding record as a new instance hands it to the host.
#include <gtest/gtest.h>

#include <cstring>

#include "scripted_module.h"

TEST(BindingRecord, IsCompleteAfterConstructionWithoutCallingTheHost) {
    ScriptedHost h;
    const SEMod_struct_base2& record = h.module->record();

    EXPECT_EQ(record.magic, 0x5345504C);
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.host_ptr, h.host.get());
    EXPECT_EQ(record.object, static_cast<SEModule_base*>(h.module));
    EXPECT_EQ(record.reserved_ptr, nullptr);
    EXPECT_EQ(record.dispatcher, static_cast<ModuleDispatcherEntry>(&dispatchEffectClass));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(record.process_ptr), member_entry(&SEModule_base::process_idle));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(record.event_handler_ptr),
              member_entry(&SEModule_base::private_HandleEvent));
    for (uint8_t byte : record.reserved) EXPECT_EQ(byte, 0);

    EXPECT_EQ(h.module->getSubProcess(), ProcessDelegate(&SEModule_base::process_idle));
    EXPECT_EQ(h.module->getSubProcess().adjustment(), 0);
    EXPECT_EQ(h.module->getSampleRate(), 44100.0f);
    EXPECT_EQ(h.module->getBlockSize(), 1024);
    EXPECT_TRUE(h.host->trace().empty());
}

#if SE_32BIT
TEST(BindingRecord, ReadsWordByWordOnThirtyTwoBitTargets) {
    ScriptedHost h;
    uint32_t words[12];
    static_assert(sizeof words == sizeof(SEMod_struct_base2), "48-byte record");
    std::memcpy(words, &h.module->record(), sizeof words);

    const uint32_t expected[12] = {
        0x5345504Cu,
        1u,
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h.host.get())),
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(static_cast<SEModule_base*>(h.module))),
        0u,
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&dispatchEffectClass)),
        static_cast<uint32_t>(member_entry(&SEModule_base::process_idle)),
        static_cast<uint32_t>(member_entry(&SEModule_base::private_HandleEvent)),
        0u, 0u, 0u, 0u,
    };
    for (int i = 0; i < 12; ++i) EXPECT_EQ(words[i], expected[i]) << "word " << i;
    // The bytes of the magic word spell "LPES".
    EXPECT_EQ(std::memcmp(&h.module->record(), "LPES", 4), 0);
}
#endif

TEST(SeEventRecord, ConstructorTakesFieldsInOrderAndClearsNext) {
    int marker = 0;
    const SeEvent event(100, EVT_MIDI, 0x90, 5, &marker);
    EXPECT_EQ(event.time_stamp, 100u);
    EXPECT_EQ(event.event_type, EVT_MIDI);
    EXPECT_EQ(event.int_parm1, 0x90);
    EXPECT_EQ(event.int_parm2, 5);
    EXPECT_EQ(event.ptr_parm1, &marker);
    EXPECT_EQ(event.next, nullptr);
}
