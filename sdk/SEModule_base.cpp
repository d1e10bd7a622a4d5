#include "SEModule_base.h"

#include <cstring>
#include <new>

namespace {
// The process-info record: one per library, shared by all its instances and
// rewritten on every MOD_GET_PROCESS_INFO.
ProcessRoutineInfo info;

bool belongs_to_audio_side(const SEPinProperties& description) {
    return (description.flags & PIN_FLAG_GUI_SIDE) == 0 || (description.flags & PIN_FLAG_DSP_SIDE) != 0;
}
}  // namespace

intptr_t SE_CDECL dispatchEffectClass(SEMod_struct_base2* record, int32_t opcode, int32_t index, int32_t value,
                                      void* ptr, float opt) {
    return static_cast<SEModule_base*>(record->object)->dispatcher(opcode, index, value, ptr, opt);
}

SEModule_base::SEModule_base(HostCallback callback, void* host_ptr)
    : host_callback(callback),
      sample_rate(44100.0f),
      block_size(1024),
      pins(nullptr),
      process_routine(&SEModule_base::process_idle),
      pin_count(0) {
    std::memset(&aeffect, 0, sizeof aeffect);
    aeffect.magic = SE_MODULE_MAGIC;
    aeffect.version = 1;
    aeffect.host_ptr = host_ptr;
    aeffect.object = this;
    aeffect.dispatcher = &dispatchEffectClass;
    aeffect.process_ptr = reinterpret_cast<ProcessEntry>(process_routine.RawPointer());
    aeffect.event_handler_ptr =
        reinterpret_cast<EventHandlerEntry>(member_entry(&SEModule_base::private_HandleEvent));
}

SEModule_base::~SEModule_base() { release_pins(); }

void SEModule_base::release_pins() {
    delete[] pins;  // destroys the slots from the last to the first
    pins = nullptr;
    pin_count = 0;
}

intptr_t SEModule_base::dispatcher(int32_t opcode, int32_t index, int32_t value, void* ptr, float opt) {
    switch (static_cast<uint32_t>(opcode)) {
    case MOD_OPEN: open(); return 0;
    case MOD_CLOSE:
        close();
        delete this;
        return 1;
    case MOD_SET_SAMPLE_RATE: setSampleRate(opt); return 0;
    case MOD_SET_BLOCK_SIZE: setBlockSize(value); return 0;
    case MOD_GET_PIN_PROPERTIES:
        if (ptr == nullptr) return 0;
        return getPinProperties(index, static_cast<SEPinProperties*>(ptr)) ? 1 : 0;
    case MOD_RESUME:
        Resume();
        if (index > 0) VoiceReset(index);
        return 0;
    case MOD_GUI_NOTIFY: OnGuiNotify(value, index, ptr); return 0;
    case MOD_GET_PROCESS_INFO:
        info.first = SE_PROCESS_INFO_FIRST;
        info.reference_size = sizeof process_routine;
        info.reference = &process_routine;
        info.last = SE_PROCESS_INFO_LAST;
        return reinterpret_cast<intptr_t>(&info);
    default: return 0;
    }
}

void SEModule_base::open() {
    int32_t slots = static_cast<int32_t>(CallHost(HOST_GET_TOTAL_PIN_COUNT));
    release_pins();
    if (slots > 0) {
        pins = new (std::nothrow) SEPin[slots];
        if (pins == nullptr) slots = 0;  // no memory: the instance runs without pins
    }
    pin_count = slots > 0 ? slots : 0;

    SEPinProperties description;
    int32_t i = 0;
    int32_t p = 0;
    // The description is fetched before the slot test, so description i is
    // asked for even when every slot is already bound.
    while (getPinProperties_clean(i, &description) && p < slots) {
        if (belongs_to_audio_side(description)) {
            pins[p].Init(this, p, description.datatype, description.variable_address);
            ++p;
        }
        ++i;
    }

    // The last description may repeat over the slots still unbound (i - 1 is
    // -1 when there was no description at all: the cleared record has no flags).
    getPinProperties_clean(i - 1, &description);
    if (belongs_to_audio_side(description) && (description.flags & PIN_FLAG_AUTO_DUPLICATE) != 0) {
        for (; p < slots; ++p) pins[p].Init(this, p, description.datatype, nullptr);
    }
    // Slots left over stay neutral: their index, no variable, STATE_STEADY.
    for (; p < slots; ++p) pins[p].Init(this, p, SEPin::UNBOUND_TYPE, nullptr);
}

bool SEModule_base::getPinProperties_clean(int32_t index, SEPinProperties* properties) {
    std::memset(properties, 0, sizeof *properties);
    return getPinProperties(index, properties);
}

SEPin* SEModule_base::getPin(int32_t index) {
    if (pins == nullptr || index < 0 || index >= pin_count) return nullptr;
    return &pins[index];
}

intptr_t SEModule_base::CallHost(int32_t opcode, int32_t index, int32_t value, void* ptr, float opt) {
    if (host_callback == nullptr) return 0;
    return host_callback(&aeffect, opcode, index, value, ptr, opt);
}

uint32_t SEModule_base::SampleClock() { return static_cast<uint32_t>(CallHost(HOST_GET_SAMPLE_CLOCK)); }

void SE_CDECL SEModule_base::process_idle(int32_t, int32_t) {}

void SEModule_base::setSubProcess(ProcessDelegate routine) {
    if (routine == process_routine) return;
    const uintptr_t entry = routine.RawPointer();
    // process_ptr is called directly: it must hold a routine's address, never
    // 0 nor the odd slot offset of a virtual routine.
    if (entry == 0 || (entry & 1) != 0) return;
    process_routine = routine;
    aeffect.process_ptr = reinterpret_cast<ProcessEntry>(entry);
    CallHost(HOST_PROCESS_CHANGED);
}

void SEModule_base::followOutputState(SEPin* output, state_type state, ProcessDelegate full,
                                      ProcessDelegate counting, int32_t& countdown) {
    output->TransmitStatusChange(SampleClock(), state);
    if (state > STATE_STATIC) {
        setSubProcess(full);
    } else {
        countdown = getBlockSize();
        setSubProcess(counting);
    }
}

void SEModule_base::countDownToSleep(int32_t& countdown, int32_t count) {
    // Wrap-around subtraction: a host's absurd count must not overflow.
    countdown = static_cast<int32_t>(static_cast<uint32_t>(countdown) - static_cast<uint32_t>(count));
    if (countdown <= 0) CallHost(HOST_SLEEP);
}

void SE_CDECL SEModule_base::private_HandleEvent(SeEvent* event) { HandleEvent(event); }

void SEModule_base::HandleEvent(SeEvent* event) {
    switch (event->event_type) {
    case EVT_PIN_STATUS: {
        SEPin* pin = getPin(static_cast<int32_t>(reinterpret_cast<intptr_t>(event->ptr_parm1)));
        if (pin != nullptr) pin->OnStatusUpdate(static_cast<state_type>(event->int_parm1));
        break;
    }
    case EVT_MIDI:
        OnMidiData(event->time_stamp, static_cast<uint32_t>(event->int_parm1),
                   static_cast<int16_t>(static_cast<uint16_t>(event->int_parm2)));
        break;
    case EVT_DELAYED_CALL: {
        const uintptr_t entry = reinterpret_cast<uintptr_t>(event->ptr_parm1);
        if (entry == 0) break;
        // Even: called directly; odd: looked up in this object's virtual table.
        (this->*DelayedDelegate(entry).routine())();
        break;
    }
    default: break;
    }
}

void SEModule_base::AddEvent(uint32_t time_stamp, int32_t event_type, int32_t int_parm1, int32_t int_parm2,
                             void* ptr_parm1) {
    SeEvent event(time_stamp, event_type, int_parm1, int_parm2, ptr_parm1);
    CallHost(HOST_ADD_EVENT, 0, 0, &event);  // the host copies the event before it returns
}

void SEModule_base::RunDelayed(uint32_t sample_clock, DelayedDelegate routine) {
    AddEvent(sample_clock, EVT_DELAYED_CALL, 0, 0, reinterpret_cast<void*>(routine.RawPointer()));
}

// Defaults of the virtual operations: nothing, or the stored value.
void SEModule_base::OnPlugStateChange(SEPin*) {}
void SEModule_base::close() {}
void SEModule_base::OnInputStatusChange(int32_t, state_type) {}
void SEModule_base::setSampleRate(float rate) { sample_rate = rate; }
void SEModule_base::setBlockSize(int32_t size) { block_size = size; }
float SEModule_base::getSampleRate() { return sample_rate; }
int32_t SEModule_base::getBlockSize() { return block_size; }
bool SEModule_base::getPinProperties(int32_t, SEPinProperties*) { return false; }
bool SEModule_base::getName(char*) { return false; }
bool SEModule_base::getUniqueId(char*) { return false; }
void SEModule_base::Resume() {}
void SEModule_base::VoiceReset(int32_t) {}
void SEModule_base::OnMidiData(uint32_t, uint32_t, int16_t) {}
void SEModule_base::OnGuiNotify(int32_t, int32_t, void*) {}
