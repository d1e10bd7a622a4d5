#include "SEGUI_base.h"

#include <cstring>

namespace {
// The one pin handle that getPin hands out, shared by every GUI object of the library.
SeGuiPin pin;
}  // namespace

intptr_t SE_CDECL dispatchEffectClass(SEGUI_struct_base* record, int32_t opcode, int32_t index, int32_t value,
                                      void* ptr, float opt) {
    return static_cast<SEGUI_base*>(record->object)->dispatcher(opcode, index, value, ptr, opt);
}

SEGUI_base::SEGUI_base(GuiHostCallback callback, void* host_ptr) : host_callback(callback) {
    std::memset(&gui_struct, 0, sizeof gui_struct);
    gui_struct.magic = SE_GUI_MAGIC;
    gui_struct.dispatcher = static_cast<GuiDispatcherEntry>(&dispatchEffectClass);
    gui_struct.object = this;
    gui_struct.host_ptr = host_ptr;
    gui_struct.version = 1;
}

SEGUI_base::~SEGUI_base() = default;

intptr_t SEGUI_base::dispatcher(int32_t opcode, int32_t index, int32_t value, void* ptr, float opt) {
    if (static_cast<uint32_t>(opcode) > static_cast<uint32_t>(GUI_LAST_OPCODE)) return 0;
    SEWndInfo* window = static_cast<SEWndInfo*>(ptr);
    // Mouse opcodes carry their flags word as the float's bit pattern.
    uint32_t mouse_flags;
    std::memcpy(&mouse_flags, &opt, sizeof mouse_flags);

    switch (opcode) {
    case GUI_INITIALISE: Initialise(index == 1); return 0;
    case GUI_CLOSE:
        close();
        delete this;
        return 1;
    case GUI_PAINT: paint(reinterpret_cast<HDC>(static_cast<intptr_t>(index)), window); return 0;
    case GUI_LBUTTON_DOWN: OnLButtonDown(window, mouse_flags, sepoint(index, value)); return 0;
    case GUI_LBUTTON_UP: OnLButtonUp(window, mouse_flags, sepoint(index, value)); return 0;
    case GUI_MOUSE_MOVE: OnMouseMove(window, mouse_flags, sepoint(index, value)); return 0;
    case GUI_MODULE_MSG: OnModuleMsg(value, index, ptr); return 0;
    case GUI_PIN_VALUE_CHANGE: {
        SeGuiPin changed;  // a handle of its own: the shared one stays as it was
        changed.Init(index, this);
        OnGuiPinValueChange(&changed);
        return 0;
    }
    case GUI_WINDOW_OPEN: OnWindowOpen(window); return 0;
    case GUI_WINDOW_CLOSE: OnWindowClose(window); return 0;
    case GUI_IDLE: return OnIdle() ? 1 : 0;
    case GUI_NEW_CONNECTION: OnNewConnection(index); return 0;
    case GUI_DISCONNECT: OnDisconnect(index); return 0;
    default: return 0;
    }
}

intptr_t SEGUI_base::CallHost(int32_t opcode, int32_t index, int32_t value, void* ptr, float opt) {
    if (host_callback == nullptr) return 0;
    return host_callback(&gui_struct, opcode, index, value, ptr, opt);
}

void SEGUI_base::AddGuiPlug(EPlugDataType datatype, EDirection direction, const char* name) {
    CallHost(GUIHOST_ADD_PLUG, datatype, direction, const_cast<char*>(name));
    SetupPins();
}

void SEGUI_base::SetupPins() {}

SeGuiPin* SEGUI_base::getPin(int32_t index) {
    pin.Init(index, this);
    return &pin;
}

void SEGUI_base::SetCapture(SEWndInfo* window) { CallHost(GUIHOST_SET_CAPTURE, 0, 0, window); }
void SEGUI_base::ReleaseCapture(SEWndInfo* window) { CallHost(GUIHOST_RELEASE_CAPTURE, 0, 0, window); }
bool SEGUI_base::GetCapture(SEWndInfo* window) { return CallHost(GUIHOST_GET_CAPTURE, 0, 0, window) != 0; }

// Defaults of the handlers: nothing.
void SEGUI_base::Initialise(bool) { SetupPins(); }
void SEGUI_base::close() {}
void SEGUI_base::paint(HDC, SEWndInfo*) {}
void SEGUI_base::OnLButtonDown(SEWndInfo*, uint32_t, sepoint) {}
void SEGUI_base::OnLButtonUp(SEWndInfo*, uint32_t, sepoint) {}
void SEGUI_base::OnMouseMove(SEWndInfo*, uint32_t, sepoint) {}
void SEGUI_base::OnWindowOpen(SEWndInfo*) {}
void SEGUI_base::OnWindowClose(SEWndInfo*) {}
bool SEGUI_base::OnIdle() { return false; }
void SEGUI_base::OnNewConnection(int32_t) {}
void SEGUI_base::OnDisconnect(int32_t) {}
void SEGUI_base::OnModuleMsg(int32_t, int32_t, void*) {}
void SEGUI_base::OnGuiPinValueChange(SeGuiPin*) {}
