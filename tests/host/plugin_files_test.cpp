// Plug-in files of this target, loaded and driven by our host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "host_instance.h"
#include "plugin_library.h"
#include "plugin_paths.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::string load_error(const std::string& path) {
    try {
        sehost::PluginLibrary::load(path);
    } catch (const sehost::HostError& error) {
        return error.what();
    }
    return "";
}

TEST(PluginFiles, LoadingFailuresAreReportedAsErrors) {
    const std::string missing = plugin_path("no_such_plugin");
    EXPECT_THAT(load_error(missing), HasSubstr(missing + ": not a loadable plug-in"));

    const std::string text_file = std::string(SE_PLUGIN_DIR) + "/not_a_library.sep";
    std::ofstream(text_file) << "plain text\n";
    EXPECT_THAT(load_error(text_file), HasSubstr("not a loadable plug-in"));

    EXPECT_THAT(load_error(plugin_path("not_a_plugin")), HasSubstr("no export named getModuleProperties"));
}

struct Deliverable {
    const char* file;
    const char* name;
    const char* id;
    std::vector<const char*> pins;
};

class DeliverableFile : public ::testing::TestWithParam<Deliverable> {};

TEST_P(DeliverableFile, DescribesItselfAndItsPins) {
    auto library = sehost::PluginLibrary::load(plugin_path(GetParam().file));
    const sehost::ModuleDescription description = sehost::describe_module(library->entries());
    EXPECT_EQ(description.name, GetParam().name);
    EXPECT_EQ(description.id, GetParam().id);
    EXPECT_EQ(description.about, "by Quorvane");
    EXPECT_EQ(description.sdk_version, 2210);

    sehost::Instance instance(library->entries());
    std::vector<std::string> names;
    for (const sehost::PinDescription& pin : instance.descriptions()) {
        names.push_back(pin.name);
        EXPECT_EQ(pin.datatype, PLUG_AUDIO);
        EXPECT_EQ(pin.flags, 0);
        EXPECT_EQ(pin.direction, names.size() == 4 ? DIR_OUT : DIR_IN);
    }
    EXPECT_EQ(names, std::vector<std::string>(GetParam().pins.begin(), GetParam().pins.end()));
}

INSTANTIATE_TEST_SUITE_P(
    PluginFiles, DeliverableFile,
    ::testing::Values(Deliverable{"tiltbias", "Tiltbias V1.0", "Tiltbias V1.0", {"Signal", "Gain", "Shift", "Output"}},
                      Deliverable{"splitgain", "Splitgain V1.0", "SplitgainV1.0",
                                  {"Signal", "Pos. Scale", "Neg. Scale", "Output"}}));

TEST(PluginFiles, TheFactoryRefusesAndMakesIndependentInstances) {
    auto library = sehost::PluginLibrary::load(plugin_path("probe"));
    const sehost::ModuleEntries& entries = library->entries();
    EXPECT_EQ(entries.make_module(0, 2, nullptr, nullptr), nullptr);
    EXPECT_EQ(entries.make_module(1, 1, nullptr, nullptr), nullptr);

    SEModuleProperties properties;
    std::memset(&properties, 0, sizeof properties);
    EXPECT_EQ(entries.get_module_properties(3, &properties), 0);
    EXPECT_EQ(properties.sdk_version, 2210);
    EXPECT_EQ(properties.name, nullptr);

    sehost::Instance first(entries);
    sehost::Instance second(entries);
    EXPECT_NE(first.record(), second.record());
    EXPECT_EQ(first.record()->host_ptr, &first);
    EXPECT_EQ(second.record()->host_ptr, &second);
    EXPECT_NE(first.record()->object, second.record()->object);
}

// The probe's routines and event entry, called through the file's entry
// points: where a calling-convention mistake would show.
TEST(PluginFiles, ProbeRunsItsRoutinesAndEventsThroughTheRecord) {
    auto library = sehost::PluginLibrary::load(plugin_path("probe"));
    sehost::Instance probe(library->entries());
    probe.open();
    EXPECT_THAT(std::vector<int32_t>({probe.trace()[0].opcode, probe.trace()[1].opcode}),
                ElementsAre(HOST_GET_TOTAL_PIN_COUNT, HOST_PROCESS_CHANGED));

    for (int i = 0; i < 8; ++i) probe.buffer(0)[i] = static_cast<float>(i);
    probe.set_block_size(8);
    probe.run(8);
    EXPECT_EQ(probe.buffer(1)[7], 14.0f);

    probe.clear_trace();
    probe.post_pin_state(0, STATE_STREAMING, 10);
    probe.post_event(SeEvent(12, EVT_MIDI, 0x90, 0x8001, nullptr));
    probe.run(24);
    std::vector<std::string> seen;
    for (const sehost::Request& r : probe.trace()) {
        if (r.opcode == HOST_SET_PIN_STATUS)
            seen.push_back("status " + std::to_string(r.index) + " " + std::to_string(r.value) + " @" +
                           std::to_string(r.ptr));
        if (r.opcode == HOST_SEND_MIDI)
            seen.push_back("midi " + std::to_string(r.index) + " " + std::to_string(r.value) + " @" +
                           std::to_string(r.ptr));
    }
    // The MIDI value 0x8001 arrives as -32767 and comes back 10 samples later as its 16 bits.
    EXPECT_THAT(seen, ElementsAre("status 1 2 @10", "midi 1 32769 @22"));
    EXPECT_EQ(probe.pin_status(1), STATE_STREAMING);
}

}  // namespace
