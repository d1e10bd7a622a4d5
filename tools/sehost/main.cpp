// sehost: load, check and run plug-ins without the host application.
#include <CLI/CLI.hpp>
#include <iostream>

#include "commands.h"

int main(int argc, char** argv) {
    CLI::App app{"sehost: loads plug-ins and drives them as the host application does"};
    app.require_subcommand(1);
    // Paths like /work/x.sep are files, not Windows-style options.
    app.allow_windows_style_options(false);

    std::vector<std::string> info_paths;
    CLI::App* info = app.add_subcommand("info", "print each plug-in's description and pin table");
    info->add_option("plugins", info_paths, "plug-in files (.sep on Windows, .so on Linux)")->required();

    sehost::RenderOptions render_options;
    CLI::App* render = app.add_subcommand("render", "run a plug-in over reproducible inputs and save its output");
    render->add_option("plugin", render_options.plugin, "plug-in file")->required();
    render->add_option("-o,--output", render_options.output_file, "file for the output samples")->required();
    render->add_option("--seed", render_options.seed, "seed of the input generator");
    render->add_option("--samples", render_options.samples, "samples per input")->check(CLI::Range(1, 1 << 20));

    CLI11_PARSE(app, argc, argv);

    if (info->parsed()) return sehost::run_info(info_paths, std::cout, std::cerr);
    return sehost::run_render(render_options, std::cout, std::cerr);
}
