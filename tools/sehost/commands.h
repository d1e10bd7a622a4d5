// The sehost commands, each writing its report to `out` and its errors to `err`.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace sehost {

// Prints each plug-in's description and pin table. 0 when every file loaded.
int run_info(const std::vector<std::string>& paths, std::ostream& out, std::ostream& err);

struct RenderOptions {
    std::string plugin;
    std::string output_file;
    uint32_t seed = 1;
    int32_t samples = 4096;
};

// Drives the plug-in's first output over reproducible inputs of every float
// class and writes the output samples (little-endian floats) to a file.
int run_render(const RenderOptions& options, std::ostream& out, std::ostream& err);

}  // namespace sehost
