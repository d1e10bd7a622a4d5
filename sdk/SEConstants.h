// Every number that the host and a plug-in agree on: opcodes in both
// directions, pin data types, directions and flags, pin states, event types,
// magic words and the framework version.
#pragma once

#include <cstdint>

// Framework version written into every module description.
constexpr int32_t SE_SDK_VERSION = 2210;

// Magic words at offset 0 of the two binding records ("LPES" and "MPES" in memory).
constexpr int32_t SE_MODULE_MAGIC = 0x5345504C;
constexpr int32_t SE_GUI_MAGIC = 0x5345504D;

// The only instance type the factory builds: the audio-side module.
constexpr int32_t SE_AUDIO_MODULE_TYPE = 1;

// Host -> module opcodes, answered by SEModule_base::dispatcher.
enum ModuleOpcode : int32_t {
    MOD_OPEN = 0,
    MOD_CLOSE = 1,
    MOD_SET_SAMPLE_RATE = 2,
    MOD_SET_BLOCK_SIZE = 3,
    MOD_GET_PIN_PROPERTIES = 6,
    MOD_RESUME = 8,
    MOD_GUI_NOTIFY = 12,
    MOD_GET_PROCESS_INFO = 13,
};

// Module -> host requests, sent through SEModule_base::CallHost.
enum HostOpcode : int32_t {
    HOST_SET_PIN_STATUS = 0,
    HOST_IS_PIN_CONNECTED = 1,
    HOST_GET_SAMPLE_CLOCK = 3,
    HOST_SEND_MIDI = 4,
    HOST_GET_PIN_BUFFER = 7,
    HOST_GET_BLOCK_START_CLOCK = 8,
    HOST_SLEEP = 10,
    HOST_GET_TOTAL_PIN_COUNT = 14,
    HOST_ADD_EVENT = 19,
    HOST_PROCESS_CHANGED = 22,
};

// Host -> GUI opcodes, answered by SEGUI_base::dispatcher.
enum GuiOpcode : int32_t {
    GUI_INITIALISE = 0,
    GUI_CLOSE = 1,
    GUI_PAINT = 2,
    GUI_LBUTTON_DOWN = 3,
    GUI_LBUTTON_UP = 4,
    GUI_MOUSE_MOVE = 5,
    GUI_MODULE_MSG = 6,
    GUI_PIN_VALUE_CHANGE = 7,
    GUI_WINDOW_OPEN = 8,
    GUI_WINDOW_CLOSE = 9,
    GUI_IDLE = 10,
    GUI_NEW_CONNECTION = 11,
    GUI_DISCONNECT = 12,
    GUI_LAST_OPCODE = GUI_DISCONNECT,
};

// GUI -> host requests, sent through SEGUI_base::CallHost.
enum GuiHostOpcode : int32_t {
    GUIHOST_SET_PIN_TEXT = 6,
    GUIHOST_GET_PIN_TEXT = 7,
    GUIHOST_ADD_PLUG = 8,
    GUIHOST_GET_PIN_VALUE = 14,
    GUIHOST_SET_PIN_VALUE = 15,
    GUIHOST_GET_PIN_EXTRA_DATA = 17,
    GUIHOST_SET_CAPTURE = 18,
    GUIHOST_RELEASE_CAPTURE = 19,
    GUIHOST_GET_CAPTURE = 20,
};

// Direction of a pin, seen from the module.
enum EDirection : int32_t {
    DIR_IN = 0,
    DIR_OUT = 1,
};

// Data type of a pin. Only the named values get framework storage when a
// description names no variable; every other value gets none.
enum EPlugDataType : int32_t {
    PLUG_SHORT = 0,  // 16-bit integer
    PLUG_BYTE = 4,   // 8-bit value
    PLUG_AUDIO = 5,  // address of a buffer of 32-bit float samples
    PLUG_FLOAT = 6,  // 32-bit float
    PLUG_INT = 8,    // 32-bit integer
};

// Bits of SEPinProperties::flags that the framework reads.
enum PinFlag : int32_t {
    PIN_FLAG_AUTO_DUPLICATE = 0x8,  // last description repeats over the remaining slots
    PIN_FLAG_GUI_SIDE = 0x400,      // the pin belongs to the GUI side
    PIN_FLAG_DSP_SIDE = 0x8000,     // ... and also to the audio side
};

// State of a pin's value; values rise with activity.
enum state_type : int32_t {
    STATE_STEADY = 0,     // constant
    STATE_STATIC = 1,     // changed once, constant from then on
    STATE_STREAMING = 2,  // may change from sample to sample
};

// SeEvent::event_type values the framework handles; every other is ignored.
enum EventType : int32_t {
    EVT_PIN_STATUS = 0,
    EVT_MIDI = 2,
    EVT_DELAYED_CALL = 21,
};

// Constant words of the process-info record answered to MOD_GET_PROCESS_INFO.
constexpr int32_t SE_PROCESS_INFO_FIRST = 1;
constexpr int32_t SE_PROCESS_INFO_LAST = 1002;
