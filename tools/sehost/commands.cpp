#include "commands.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <ostream>

#include "host_instance.h"
#include "plugin_library.h"

namespace sehost {
namespace {

void print_description(const std::string& path, const ModuleEntries& entries, std::ostream& out) {
    const ModuleDescription module = describe_module(entries);
    out << path << "\n";
    out << "  name:  " << module.name << "\n";
    out << "  id:    " << module.id << "\n";
    out << "  about: " << module.about << "\n";
    out << "  sdk:   " << module.sdk_version << "\n";

    Instance instance(entries);
    const std::vector<PinDescription> pins = instance.descriptions();
    size_t name_width = 4;
    for (const PinDescription& pin : pins) name_width = std::max(name_width, pin.name.size());
    out << "  pins:\n";
    out << "    " << std::left << std::setw(3) << "#" << std::setw(static_cast<int>(name_width) + 2) << "name"
        << std::setw(5) << "dir" << std::setw(7) << "type" << std::setw(9) << "default"
        << "extra\n";
    for (const PinDescription& pin : pins) {
        out << "    " << std::setw(3) << pin.description_index << std::setw(static_cast<int>(name_width) + 2)
            << pin.name << std::setw(5) << direction_name(pin.direction) << std::setw(7)
            << datatype_name(pin.datatype) << std::setw(9) << (pin.default_value.empty() ? "-" : pin.default_value)
            << (pin.datatype_extra.empty() ? "-" : pin.datatype_extra) << "\n";
    }
}

// A small reproducible generator (xorshift32): the same stream on every target.
class InputGenerator {
public:
    explicit InputGenerator(uint32_t seed) : state_(seed != 0 ? seed : 1) {}

    uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

    // Every float class: specials, subnormals, any bit pattern, ordinary audio values.
    float sample() {
        static const uint32_t specials[] = {
            0x00000000, 0x80000000, 0x7F800000, 0xFF800000, 0x7FC00000, 0x00000001, 0x807FFFFF,
            0xBC23D70A, 0xBC23D70B, 0x3F800800, 0xBF800000, 0x3F800000, 0x41C80000, 0x7F7FFFFF,
        };
        const uint32_t pick = next();
        uint32_t bits;
        switch (pick % 4) {
        case 0: bits = specials[(pick >> 8) % (sizeof specials / sizeof specials[0])]; break;
        case 1: bits = next(); break;
        default: {
            const float value = static_cast<float>(static_cast<int32_t>(next() % 40001) - 20000) / 10000.0f;
            std::memcpy(&bits, &value, sizeof bits);
        }
        }
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    uint32_t state_;
};

}  // namespace

int run_info(const std::vector<std::string>& paths, std::ostream& out, std::ostream& err) {
    int status = 0;
    for (const std::string& path : paths) {
        try {
            std::unique_ptr<PluginLibrary> library = PluginLibrary::load(path);
            print_description(path, library->entries(), out);
        } catch (const HostError& error) {
            err << "sehost: " << error.what() << "\n";
            status = 1;
        }
    }
    return status;
}

int run_render(const RenderOptions& options, std::ostream& out, std::ostream& err) {
    try {
        std::unique_ptr<PluginLibrary> library = PluginLibrary::load(options.plugin);
        Instance instance(library->entries());
        const std::vector<PinDescription> pins = instance.descriptions();
        instance.open();

        std::vector<int32_t> inputs;
        int32_t output = -1;
        for (int32_t slot = 0; slot < instance.pin_count() && slot < static_cast<int32_t>(pins.size()); ++slot) {
            if (pins[slot].datatype != PLUG_AUDIO) continue;
            if (pins[slot].direction == DIR_IN) inputs.push_back(slot);
            else if (output < 0) output = slot;
        }
        if (output < 0) throw HostError(options.plugin + ": the module has no audio output");

        // Blocks of varied length, every input streaming so the full routine runs throughout.
        InputGenerator generator(options.seed);
        for (int32_t slot : inputs) instance.post_pin_state(slot, STATE_STREAMING, instance.sample_clock());
        std::vector<float> rendered;
        rendered.reserve(static_cast<size_t>(options.samples));
        while (static_cast<int32_t>(rendered.size()) < options.samples) {
            const int32_t left = options.samples - static_cast<int32_t>(rendered.size());
            const int32_t length = std::min<int32_t>({left, 1 + static_cast<int32_t>(generator.next() % 97),
                                                      instance.buffer_samples()});
            for (int32_t slot : inputs)
                for (int32_t i = 0; i < length; ++i) instance.buffer(slot)[i] = generator.sample();
            instance.set_block_size(length);
            instance.run(length);
            rendered.insert(rendered.end(), instance.buffer(output), instance.buffer(output) + length);
        }

        // Which NaN an operation yields is not fixed by IEEE; every NaN is written as one pattern.
        std::ofstream file(options.output_file, std::ios::binary);
        for (float sample : rendered) {
            uint32_t bits;
            std::memcpy(&bits, &sample, sizeof bits);
            if (sample != sample) bits = 0x7FC00000u;
            const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                            static_cast<unsigned char>(bits >> 16),
                                            static_cast<unsigned char>(bits >> 24)};
            file.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
        }
        if (!file) throw HostError(options.output_file + ": cannot write");
        out << options.plugin << ": " << rendered.size() << " samples written to " << options.output_file << "\n";
        return 0;
    } catch (const HostError& error) {
        err << "sehost: " << error.what() << "\n";
        return 1;
    }
}

}  // namespace sehost
