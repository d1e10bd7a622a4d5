// Speed of both modules' full routine, called by our host through the
// instance's process entry exactly as the host application calls it,
// against (a) a plain scalar loop at -O2 and (b) the best loop the compiler
// makes of the same arithmetic for this CPU. Also: what a sleeping instance
// costs the host per block.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "host_instance.h"
#include "plugin_library.h"
#include "reference_kernels.h"

namespace {

using Kernel = void (*)(float*, const float*, const float*, const float*, int32_t);

struct Subject {
    const char* plugin;
    Kernel plain;
    Kernel native;
};

const Subject kSubjects[] = {
    {"tiltbias", reference::tiltbias_plain, reference::tiltbias_native},
    {"splitgain", reference::splitgain_plain, reference::splitgain_native},
};
const int kSizes[] = {64, 256, 1024, 4096};

std::string plugin_path(const char* name) { return std::string(SE_PLUGIN_DIR) + "/" + name + ".so"; }

void fill_audio(float* buffer, int32_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> audio(-1.0f, 1.0f);
    for (int32_t i = 0; i < count; ++i) buffer[i] = audio(random);
}

// An opened instance of the plug-in with audio on its three inputs. The
// yardstick loops run over the same host buffers as the module, so that all
// three are measured on one memory layout.
std::unique_ptr<sehost::Instance> audio_instance(const sehost::PluginLibrary& library, int32_t count) {
    auto instance = std::make_unique<sehost::Instance>(library.entries());
    instance->open();
    for (int32_t pin = 0; pin < 3; ++pin) fill_audio(instance->buffer(pin), count, 1 + pin);
    return instance;
}

void module_routine(benchmark::State& state, const Subject* subject) {
    const int32_t count = static_cast<int32_t>(state.range(0));
    auto library = sehost::PluginLibrary::load(plugin_path(subject->plugin));
    auto instance = audio_instance(*library, count);
    for (auto _ : state) {
        instance->process(0, count);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void reference_loop(benchmark::State& state, const Subject* subject, Kernel kernel) {
    const int32_t count = static_cast<int32_t>(state.range(0));
    auto library = sehost::PluginLibrary::load(plugin_path(subject->plugin));
    auto instance = audio_instance(*library, count);
    for (auto _ : state) {
        kernel(instance->buffer(3), instance->buffer(0), instance->buffer(1), instance->buffer(2), count);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// A tiltbias instance whose inputs all went steady: after its one counting
// block it sleeps, and every further block costs the host only its own work.
void sleeping_instance(benchmark::State& state) {
    auto library = sehost::PluginLibrary::load(plugin_path("tiltbias"));
    sehost::Instance instance(library->entries());
    instance.open();
    instance.set_block_size(1024);
    instance.post_pin_state(0, STATE_STEADY, 0);
    instance.run(2048);
    const int64_t calls_before = instance.process_calls();
    for (auto _ : state) instance.run(1024);
    state.counters["process_calls"] = static_cast<double>(instance.process_calls() - calls_before);
    state.counters["sleeping"] = instance.sleeping() ? 1 : 0;
}

// Prints the usual table, then each module's time per sample and its ratio to (b).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // With repetitions, the median of each benchmark is the one that counts.
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            const auto items = run.counters.find("items_per_second");
            if (items == run.counters.end() || items->second.value <= 0) continue;
            const std::string name = run.run_name.str();
            if (median || ns_per_sample_.count(name) == 0 || !has_median_.count(name))
                ns_per_sample_[name] = 1e9 / items->second.value;
            if (median) has_median_.insert(name);
        }
    }

    void print_ratios() const {
        std::printf("\n%-10s %6s %14s %14s %14s %10s %10s\n", "module", "block", "module ns/smp", "(a) ns/smp",
                    "(b) ns/smp", "module/(b)", "(a)/(b)");
        for (const Subject& s : kSubjects) {
            for (int size : kSizes) {
                const std::string suffix = "/" + std::to_string(size);
                const double m = find(std::string(s.plugin) + "/module" + suffix);
                const double a = find(std::string(s.plugin) + "/a_plain_O2" + suffix);
                const double b = find(std::string(s.plugin) + "/b_best_native" + suffix);
                std::printf("%-10s %6d %14.4f %14.4f %14.4f %9.2fx %9.2fx\n", s.plugin, size, m, a, b, m / b, a / b);
            }
        }
    }

private:
    double find(const std::string& name) const {
        const auto it = ns_per_sample_.find(name);
        return it == ns_per_sample_.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> ns_per_sample_;
    std::set<std::string> has_median_;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Subject& s : kSubjects) {
        for (int size : kSizes) {
            benchmark::RegisterBenchmark((std::string(s.plugin) + "/module").c_str(), module_routine, &s)
                ->Arg(size);
            benchmark::RegisterBenchmark((std::string(s.plugin) + "/a_plain_O2").c_str(), reference_loop, &s,
                                         s.plain)
                ->Arg(size);
            benchmark::RegisterBenchmark((std::string(s.plugin) + "/b_best_native").c_str(), reference_loop, &s,
                                         s.native)
                ->Arg(size);
        }
    }
    benchmark::RegisterBenchmark("host/sleeping_instance_per_1024_block", sleeping_instance);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.print_ratios();
    benchmark::Shutdown();
    return 0;
}
