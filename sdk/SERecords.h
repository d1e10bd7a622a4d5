// The plain records shared between the host and the audio side, and the
// entry-point types that travel in them. Each layout is fixed byte for byte
// on the 32-bit targets (little-endian words, no gaps) and checked here.
// On 64-bit builds every address-carrying field is pointer-sized.
#pragma once

#include <cstddef>
#include <cstdint>

#include "SEConstants.h"
#include "se_platform.h"

struct SEMod_struct_base2;
struct SeEvent;

// The host's callback for the audio side. Arguments: the calling instance's
// record, opcode, index, value, pointer, float (always 0.0 from the module).
// The result is pointer-sized because some answers are addresses.
typedef intptr_t(SE_CDECL* HostCallback)(SEMod_struct_base2* record, int32_t opcode, int32_t index,
                                         int32_t value, void* ptr, float opt);

// Entries stored in SEMod_struct_base2, as the host calls them.
typedef intptr_t(SE_CDECL* ModuleDispatcherEntry)(SEMod_struct_base2* record, int32_t opcode, int32_t index,
                                                  int32_t value, void* ptr, float opt);
typedef void(SE_CDECL* ProcessEntry)(void* object, int32_t offset, int32_t count);
typedef void(SE_CDECL* EventHandlerEntry)(void* object, SeEvent* event);

// Module description, owned by the host; the module writes only the fields named here.
struct SEModuleProperties {
    const char* name;          // display name; a constant of the library (module writes)
    const char* id;            // unique identifier; a constant of the library (module writes)
    const char* about;         // about text; a constant of the library (module writes)
    void* host_reserved[2];    // the host's own; never written by the module
    int32_t sdk_version;       // SE_SDK_VERSION, written by the export on every call
};

// One pin description. The module's getPinProperties writes the fields its
// table sets; the framework's own reads clear the record first.
struct SEPinProperties {
    void* variable_address;       // module variable carrying the pin's value, or null (framework storage)
    EDirection direction;         // DIR_IN / DIR_OUT; for the host only
    EPlugDataType datatype;       // data type; decides framework storage
    const char* name;             // pin name; a constant of the library
    const char* default_value;    // default value as text, or null
    const char* datatype_extra;   // further qualification of the type (e.g. a range), or null
    int32_t flags;                // PinFlag bits
    int32_t spare;                // reserved; never written or read by the module side
};

// An event, delivered by the host (borrowed for the call) or posted by the
// module through HOST_ADD_EVENT (valid only during that call).
struct SeEvent {
    SeEvent(uint32_t time_stamp, int32_t event_type, int32_t int_parm1, int32_t int_parm2, void* ptr_parm1)
        : time_stamp(time_stamp), event_type(event_type), int_parm1(int_parm1), int_parm2(int_parm2),
          ptr_parm1(ptr_parm1), next(nullptr) {}

    uint32_t time_stamp;  // sample clock of the event
    int32_t event_type;   // EventType
    int32_t int_parm1;    // state (EVT_PIN_STATUS) or MIDI message (EVT_MIDI)
    int32_t int_parm2;    // low 16 bits: the MIDI value (EVT_MIDI)
    void* ptr_parm1;      // integer carried as a pointer: slot index or routine entry word
    void* next;           // 0 from the constructor; not read by the module side
};

// The binding record of an audio-side instance. It lives inside the module
// object; its address is the instance's identity towards the host.
struct SEMod_struct_base2 {
    int32_t magic;                        // SE_MODULE_MAGIC (constructor)
    int32_t version;                      // 1 (constructor)
    void* host_ptr;                       // the host's opaque pointer from makeModule; never read by the module
    void* object;                         // the owning SEModule_base; first argument of the two routine entries
    void* reserved_ptr;                   // zero
    ModuleDispatcherEntry dispatcher;     // dispatchEffectClass, called with this record
    ProcessEntry process_ptr;             // current process routine; rewritten by setSubProcess
    EventHandlerEntry event_handler_ptr;  // private_HandleEvent
    uint8_t reserved[16];                 // zero
};

struct SEGUI_struct_base;

// The host's callback for the GUI side; same shape as HostCallback, own record type.
typedef intptr_t(SE_CDECL* GuiHostCallback)(SEGUI_struct_base* record, int32_t opcode, int32_t index,
                                            int32_t value, void* ptr, float opt);
typedef intptr_t(SE_CDECL* GuiDispatcherEntry)(SEGUI_struct_base* record, int32_t opcode, int32_t index,
                                               int32_t value, void* ptr, float opt);

// The binding record of a GUI object; note its own magic and field order.
struct SEGUI_struct_base {
    int32_t magic;                  // SE_GUI_MAGIC (constructor)
    int32_t version;                // 1 (constructor)
    GuiDispatcherEntry dispatcher;  // the GUI dispatchEffectClass, called with this record
    void* host_ptr;                 // the host's opaque pointer; never read by the object
    void* object;                   // the owning SEGUI_base
    uint8_t reserved[20];           // zero
};

// Answer to MOD_GET_PROCESS_INFO: one static record per library.
struct ProcessRoutineInfo {
    int32_t first;                 // SE_PROCESS_INFO_FIRST
    int32_t reference_size;        // size in bytes of the reference at `reference`
    const void* reference;         // the asking instance's process_routine field (live)
    int32_t last;                  // SE_PROCESS_INFO_LAST
};

#if SE_32BIT
static_assert(sizeof(SEModuleProperties) == 24, "SEModuleProperties layout");
static_assert(offsetof(SEModuleProperties, name) == 0 && offsetof(SEModuleProperties, id) == 4 &&
                  offsetof(SEModuleProperties, about) == 8 && offsetof(SEModuleProperties, sdk_version) == 20,
              "SEModuleProperties layout");

static_assert(sizeof(SEPinProperties) == 32, "SEPinProperties layout");
static_assert(offsetof(SEPinProperties, variable_address) == 0 && offsetof(SEPinProperties, direction) == 4 &&
                  offsetof(SEPinProperties, datatype) == 8 && offsetof(SEPinProperties, name) == 12 &&
                  offsetof(SEPinProperties, default_value) == 16 &&
                  offsetof(SEPinProperties, datatype_extra) == 20 && offsetof(SEPinProperties, flags) == 24 &&
                  offsetof(SEPinProperties, spare) == 28,
              "SEPinProperties layout");

static_assert(sizeof(SeEvent) == 24, "SeEvent layout");
static_assert(offsetof(SeEvent, time_stamp) == 0 && offsetof(SeEvent, event_type) == 4 &&
                  offsetof(SeEvent, int_parm1) == 8 && offsetof(SeEvent, int_parm2) == 12 &&
                  offsetof(SeEvent, ptr_parm1) == 16 && offsetof(SeEvent, next) == 20,
              "SeEvent layout");

static_assert(sizeof(SEMod_struct_base2) == 48, "SEMod_struct_base2 layout");
static_assert(offsetof(SEMod_struct_base2, magic) == 0 && offsetof(SEMod_struct_base2, version) == 4 &&
                  offsetof(SEMod_struct_base2, host_ptr) == 8 && offsetof(SEMod_struct_base2, object) == 12 &&
                  offsetof(SEMod_struct_base2, reserved_ptr) == 16 &&
                  offsetof(SEMod_struct_base2, dispatcher) == 20 &&
                  offsetof(SEMod_struct_base2, process_ptr) == 24 &&
                  offsetof(SEMod_struct_base2, event_handler_ptr) == 28 &&
                  offsetof(SEMod_struct_base2, reserved) == 32,
              "SEMod_struct_base2 layout");

static_assert(sizeof(SEGUI_struct_base) == 40, "SEGUI_struct_base layout");
static_assert(offsetof(SEGUI_struct_base, magic) == 0 && offsetof(SEGUI_struct_base, version) == 4 &&
                  offsetof(SEGUI_struct_base, dispatcher) == 8 && offsetof(SEGUI_struct_base, host_ptr) == 12 &&
                  offsetof(SEGUI_struct_base, object) == 16 && offsetof(SEGUI_struct_base, reserved) == 20,
              "SEGUI_struct_base layout");

static_assert(sizeof(ProcessRoutineInfo) == 16 && offsetof(ProcessRoutineInfo, reference) == 8 &&
                  offsetof(ProcessRoutineInfo, last) == 12,
              "ProcessRoutineInfo layout");
#endif
