#include "host_instance.h"

#include <algorithm>
#include <cstring>

namespace sehost {
namespace {

// A module describing more pins than this is taken to describe them without end.
constexpr int32_t kMaxDescriptions = 4096;

std::string text_or_empty(const char* text) { return text != nullptr ? text : ""; }

// True when clock `a` lies at or before `b`, in wrap-around arithmetic.
bool at_or_before(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) <= 0; }

}  // namespace

Instance::Instance(const ModuleEntries& entries, InstanceOptions options)
    : Instance(
          [&entries](HostCallback callback, void* host_ptr) {
              return static_cast<SEMod_struct_base2*>(
                  entries.make_module(0, SE_AUDIO_MODULE_TYPE, callback, host_ptr));
          },
          options) {}

Instance::Instance(const MakeInstance& make, InstanceOptions options) : options_(options) {
    if (options_.buffer_samples < 1) options_.buffer_samples = 1;
    record_ = make(&Instance::host_callback, this);
    if (record_ == nullptr) throw HostError("the plug-in made no instance (makeModule(0, 1) answered null)");
    process_entry_ = record_->process_ptr;
}

Instance::~Instance() {
    if (!closed()) close();
}

intptr_t Instance::dispatch(int32_t opcode, int32_t index, int32_t value, void* ptr, float opt) {
    if (closed()) throw HostError("the instance is closed");
    SEMod_struct_base2* record = record_;
    if (opcode == MOD_CLOSE) record_ = nullptr;  // gone once the call returns
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::vector<PinDescription> Instance::descriptions() {
    std::vector<PinDescription> result;
    for (int32_t i = 0; i < kMaxDescriptions; ++i) {
        SEPinProperties properties;
        std::memset(&properties, 0, sizeof properties);
        if (dispatch(MOD_GET_PIN_PROPERTIES, i, 0, &properties) == 0) break;
        PinDescription pin;
        pin.description_index = i;
        pin.variable_address = properties.variable_address;
        pin.direction = properties.direction;
        pin.datatype = properties.datatype;
        pin.name = text_or_empty(properties.name);
        pin.default_value = text_or_empty(properties.default_value);
        pin.datatype_extra = text_or_empty(properties.datatype_extra);
        pin.flags = properties.flags;
        result.push_back(pin);
    }
    return result;
}

void Instance::open() {
    std::vector<PinDescription> audio_side;
    for (const PinDescription& pin : descriptions())
        if (pin.audio_side()) audio_side.push_back(pin);

    const int32_t count = options_.pin_count.value_or(static_cast<int32_t>(audio_side.size()));
    pin_count_ = count;
    slot_descriptions_.clear();
    for (int32_t slot = 0; slot < count; ++slot) {
        if (slot < static_cast<int32_t>(audio_side.size())) {
            slot_descriptions_.push_back(audio_side[slot]);
        } else {
            // Slots past the descriptions: a repeat of an auto-duplicating last one, without a variable.
            PinDescription repeat;
            if (!audio_side.empty() && (audio_side.back().flags & PIN_FLAG_AUTO_DUPLICATE) != 0) {
                repeat = audio_side.back();
                repeat.variable_address = nullptr;
            }
            slot_descriptions_.push_back(repeat);
        }
    }
    const size_t slots = static_cast<size_t>(std::max(count, 0));
    buffers_.assign(slots, std::vector<float>(static_cast<size_t>(options_.buffer_samples), 0.0f));
    connections_.assign(slots, 0);
    statuses_.assign(slots, STATE_STEADY);
    block_starts_.assign(slots, clock_);

    bind_variables();
    dispatch(MOD_OPEN);
}

void Instance::close() { dispatch(MOD_CLOSE); }

void Instance::set_block_size(int32_t size) {
    block_size_ = size;
    dispatch(MOD_SET_BLOCK_SIZE, 0, size);
}

void Instance::set_sample_clock(uint32_t clock) {
    clock_ = clock;
    std::fill(block_starts_.begin(), block_starts_.end(), clock);
}

// The host writes each audio pin's buffer address into the module variable its description names.
void Instance::bind_variables() {
    for (size_t slot = 0; slot < slot_descriptions_.size(); ++slot) {
        const PinDescription& pin = slot_descriptions_[slot];
        if (pin.variable_address != nullptr && pin.datatype == PLUG_AUDIO)
            *static_cast<float**>(pin.variable_address) = buffers_[slot].data();
    }
}

void Instance::post_event(const SeEvent& event) { queue_.push_back(event); }

void Instance::post_pin_state(int32_t slot, state_type state, uint32_t clock) {
    post_event(SeEvent(clock, EVT_PIN_STATUS, state, 0, reinterpret_cast<void*>(intptr_t{slot})));
}

void Instance::deliver(const SeEvent& event) {
    if (closed()) throw HostError("the instance is closed");
    if (event.event_type == EVT_PIN_STATUS) sleeping_ = false;  // a state change wakes a sleeping instance
    SeEvent copy = event;
    record_->event_handler_ptr(record_->object, &copy);
}

void Instance::process(int32_t offset, int32_t count) {
    if (closed()) throw HostError("the instance is closed");
    process_entry_(record_->object, offset, count);
}

void Instance::deliver_due_events() {
    // The events due now, in time order (stable for equal stamps). Events the
    // module posts while they are delivered wait for the next delivery, so a
    // module that keeps posting for "now" cannot hold the host in a loop.
    std::vector<SeEvent> due;
    auto keep = std::stable_partition(queue_.begin(), queue_.end(),
                                      [this](const SeEvent& event) { return !at_or_before(event.time_stamp, clock_); });
    due.assign(keep, queue_.end());
    queue_.erase(keep, queue_.end());
    std::stable_sort(due.begin(), due.end(), [](const SeEvent& a, const SeEvent& b) {
        return static_cast<int32_t>(a.time_stamp - b.time_stamp) < 0;
    });
    for (const SeEvent& event : due) {
        if (closed()) return;
        deliver(event);
    }
}

bool Instance::next_event_time(uint32_t before, uint32_t& time) const {
    bool found = false;
    for (const SeEvent& event : queue_) {
        if (!at_or_before(event.time_stamp, clock_) && static_cast<int32_t>(event.time_stamp - before) < 0 &&
            (!found || static_cast<int32_t>(event.time_stamp - time) < 0)) {
            time = event.time_stamp;
            found = true;
        }
    }
    return found;
}

void Instance::run(int32_t samples) {
    const int32_t block = std::max(1, std::min(block_size_, options_.buffer_samples));
    while (samples > 0 && !closed()) {
        const int32_t length = std::min(samples, block);
        const uint32_t block_start = clock_;
        std::fill(block_starts_.begin(), block_starts_.end(), block_start);
        bind_variables();
        int32_t position = 0;
        while (position < length && !closed()) {
            deliver_due_events();
            if (closed()) return;
            uint32_t end = block_start + static_cast<uint32_t>(length);
            next_event_time(end, end);  // a block is split at every event inside it
            const int32_t segment = static_cast<int32_t>(end - clock_);
            if (!sleeping_) {
                sleep_requested_ = false;
                process(position, segment);
                ++process_calls_;
                if (sleep_requested_) sleeping_ = true;
            }
            position += segment;
            clock_ += static_cast<uint32_t>(segment);
        }
        samples -= length;
    }
    if (!closed()) deliver_due_events();
}

intptr_t SE_CDECL Instance::host_callback(SEMod_struct_base2* record, int32_t opcode, int32_t index, int32_t value,
                                          void* ptr, float opt) {
    Instance* self = static_cast<Instance*>(record->host_ptr);
    Request request;
    request.opcode = opcode;
    request.index = index;
    request.value = value;
    request.ptr = reinterpret_cast<intptr_t>(ptr);
    request.opt = opt;
    if (opcode == HOST_ADD_EVENT && ptr != nullptr) {
        request.has_event = true;
        request.event = *static_cast<const SeEvent*>(ptr);
    }
    self->trace_.push_back(request);
    if (opcode == HOST_PROCESS_CHANGED) self->process_entry_ = record->process_ptr;
    return self->answer(request);
}

intptr_t Instance::answer(const Request& request) {
    const int32_t slot = request.index;
    switch (request.opcode) {
    case HOST_SET_PIN_STATUS:
        if (valid_slot(slot)) statuses_[slot] = static_cast<state_type>(request.value);
        return 0;
    case HOST_IS_PIN_CONNECTED: return valid_slot(slot) ? connections_[slot] : 0;
    case HOST_GET_SAMPLE_CLOCK: return static_cast<intptr_t>(clock_);
    case HOST_GET_PIN_BUFFER: return valid_slot(slot) ? reinterpret_cast<intptr_t>(buffers_[slot].data()) : 0;
    case HOST_GET_BLOCK_START_CLOCK: return valid_slot(slot) ? static_cast<intptr_t>(block_starts_[slot]) : 0;
    case HOST_SLEEP: sleep_requested_ = true; return 0;
    case HOST_GET_TOTAL_PIN_COUNT: return pin_count_;
    case HOST_ADD_EVENT:
        if (request.has_event) queue_.push_back(request.event);
        return 0;
    default: return 0;  // HOST_SEND_MIDI and every opcode this host does not know
    }
}

}  // namespace sehost
