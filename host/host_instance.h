// One module instance driven the way the host application drives it: the
// dispatcher, blocks through process_ptr, events through event_handler_ptr,
// and an answer to every request the instance sends, from state of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "SERecords.h"
#include "plugin_library.h"

namespace sehost {

// One request the instance sent, as it arrived.
struct Request {
    int32_t opcode = 0;
    int32_t index = 0;
    int32_t value = 0;
    intptr_t ptr = 0;  // pointer argument as an integer (a clock for status and MIDI messages)
    float opt = 0.0f;
    bool has_event = false;                    // HOST_ADD_EVENT with a record
    SeEvent event{0, 0, 0, 0, nullptr};        // copy of that record
};

struct InstanceOptions {
    // Pin count answered to HOST_GET_TOTAL_PIN_COUNT (any value, negative
    // ones included); unset: one pin per audio-side description.
    std::optional<int32_t> pin_count;
    // Capacity of every pin buffer in samples (fixed at open; a block never exceeds it).
    int32_t buffer_samples = 4096;
};

// Makes an instance of a module compiled into this program, given the
// host's callback and host pointer; answers its record.
using MakeInstance = std::function<SEMod_struct_base2*(HostCallback callback, void* host_ptr)>;

class Instance {
public:
    // Creates an instance through makeModule(0, 1); throws HostError when the
    // plug-in returns no record.
    explicit Instance(const ModuleEntries& entries, InstanceOptions options = {});
    // The same for a module compiled into this program.
    explicit Instance(const MakeInstance& make, InstanceOptions options = {});
    // Closes the instance if it is still alive.
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    SEMod_struct_base2* record() const { return record_; }
    bool closed() const { return record_ == nullptr; }

    // Any opcode, straight to the dispatcher.
    intptr_t dispatch(int32_t opcode, int32_t index = 0, int32_t value = 0, void* ptr = nullptr, float opt = 0.0f);

    // The module's pin descriptions, read through MOD_GET_PIN_PROPERTIES on
    // cleared records until the module answers false.
    std::vector<PinDescription> descriptions();

    // Lays out the pins, hands each pin's buffer to its module variable and sends MOD_OPEN.
    void open();
    // MOD_CLOSE; the instance is gone afterwards.
    void close();
    void set_sample_rate(float rate) { dispatch(MOD_SET_SAMPLE_RATE, 0, 0, nullptr, rate); }
    void set_block_size(int32_t size);

    // The pin count this host answers; buffers exist for slots 0 .. pin_count() - 1.
    int32_t pin_count() const { return pin_count_; }
    int32_t buffer_samples() const { return options_.buffer_samples; }
    // The sample buffer of a pin slot (buffer_samples() long).
    float* buffer(int32_t slot) { return buffers_.at(slot).data(); }
    // The answer to HOST_IS_PIN_CONNECTED for a slot (0: not connected).
    void set_connection(int32_t slot, int32_t answer) { connections_.at(slot) = answer; }
    // The clock at which a slot's current buffer starts (run() sets it per block).
    void set_block_start(int32_t slot, uint32_t clock) { block_starts_.at(slot) = clock; }
    // The last state the module sent on a slot (HOST_SET_PIN_STATUS).
    state_type pin_status(int32_t slot) const { return statuses_.at(slot); }

    uint32_t sample_clock() const { return clock_; }
    // Moves the clock; every pin's buffer starts there (a new block).
    void set_sample_clock(uint32_t clock);

    // Queues an event for delivery at its time stamp during run().
    void post_event(const SeEvent& event);
    // Queues a pin-state change at the given clock.
    void post_pin_state(int32_t slot, state_type state, uint32_t clock);
    // Calls the event entry at once with a copy of the event.
    void deliver(const SeEvent& event);

    // Calls the current process routine once, as it stands, without clock logic.
    void process(int32_t offset, int32_t count);
    // Runs `samples` samples in blocks of the block size, delivering queued
    // events at their time stamps and skipping the instance while it sleeps.
    void run(int32_t samples);

    bool sleeping() const { return sleeping_; }
    // Process calls made by run() so far.
    int64_t process_calls() const { return process_calls_; }

    const std::vector<Request>& trace() const { return trace_; }
    void clear_trace() { trace_.clear(); }

private:
    static intptr_t SE_CDECL host_callback(SEMod_struct_base2* record, int32_t opcode, int32_t index, int32_t value,
                                           void* ptr, float opt);
    intptr_t answer(const Request& request);
    bool valid_slot(int32_t slot) const { return slot >= 0 && slot < static_cast<int32_t>(buffers_.size()); }
    void bind_variables();
    void deliver_due_events();
    bool next_event_time(uint32_t before, uint32_t& time) const;

    InstanceOptions options_;
    SEMod_struct_base2* record_ = nullptr;
    ProcessEntry process_entry_ = nullptr;  // re-read on HOST_PROCESS_CHANGED
    std::vector<PinDescription> slot_descriptions_;  // description bound to each slot (auto-duplicates repeat)
    std::vector<std::vector<float>> buffers_;
    std::vector<int32_t> connections_;
    std::vector<state_type> statuses_;
    std::vector<uint32_t> block_starts_;
    std::vector<SeEvent> queue_;
    std::vector<Request> trace_;
    int32_t pin_count_ = 0;
    int32_t block_size_ = 1024;
    uint32_t clock_ = 0;
    bool sleep_requested_ = false;
    bool sleeping_ = false;
    int64_t process_calls_ = 0;
};

}  // namespace sehost
