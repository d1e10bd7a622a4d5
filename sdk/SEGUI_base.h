// The GUI-side base class: the object that draws a module's panel and hears
// the host's paint, mouse, window, idle and connection notifications. A
// concrete GUI class overrides the handlers it needs; every default does nothing.
#pragma once

#include <cstdint>

#include "SEConstants.h"
#include "SEGUI_Pin.h"
#include "SERecords.h"
#include "se_platform.h"

// The host's window record; opaque to the framework, only passed on.
struct SEWndInfo;

// A point handed to the mouse handlers: the platform's POINT with two constructors.
struct sepoint : public POINT {
    sepoint(int32_t x_, int32_t y_) {
        x = x_;
        y = y_;
    }
    sepoint(const sepoint& other) : POINT() {
        x = other.x;
        y = other.y;
    }
};

// The host's dispatcher entry for GUI objects: forwards to record->object's virtual dispatcher.
intptr_t SE_CDECL dispatchEffectClass(SEGUI_struct_base* record, int32_t opcode, int32_t index, int32_t value,
                                      void* ptr, float opt);

class SEGUI_base {
public:
    // Whoever creates a GUI object allocates it with plain `new` (GUI_CLOSE
    // deletes it) and hands the host the address of its record.
    SEGUI_base(GuiHostCallback callback, void* host_ptr);
    virtual ~SEGUI_base();
    // An object is its record's identity towards the host: never copied.
    SEGUI_base(const SEGUI_base&) = delete;
    SEGUI_base& operator=(const SEGUI_base&) = delete;

    // Virtual operations, in slot order.
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, int32_t value, void* ptr, float opt);
    virtual void Initialise(bool flag);
    virtual void close();
    virtual void paint(HDC device_context, SEWndInfo* window);
    virtual void OnLButtonDown(SEWndInfo* window, uint32_t flags, sepoint point);
    virtual void OnLButtonUp(SEWndInfo* window, uint32_t flags, sepoint point);
    virtual void OnMouseMove(SEWndInfo* window, uint32_t flags, sepoint point);
    virtual void OnWindowOpen(SEWndInfo* window);
    virtual void OnWindowClose(SEWndInfo* window);
    virtual bool OnIdle();
    virtual void OnNewConnection(int32_t pin_index);
    virtual void OnDisconnect(int32_t pin_index);
    virtual void OnModuleMsg(int32_t first, int32_t second, void* ptr);
    virtual void OnGuiPinValueChange(SeGuiPin* pin);

    // The only path to the host; answers 0 when the object has no callback.
    intptr_t CallHost(int32_t opcode, int32_t index = 0, int32_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    // Asks the host for a GUI-side plug, then sets up pins.
    void AddGuiPlug(EPlugDataType datatype, EDirection direction, const char* name);
    // Pin set-up after a change of plugs; nothing to do in the base class.
    void SetupPins();
    // The library's one shared handle, pointed at pin `index` of this object;
    // rewritten by every getPin of any GUI object in the library.
    SeGuiPin* getPin(int32_t index);
    void SetCapture(SEWndInfo* window);
    void ReleaseCapture(SEWndInfo* window);
    bool GetCapture(SEWndInfo* window);

    SEGUI_struct_base* getStruct() { return &gui_struct; }

protected:
    GuiHostCallback host_callback;  // set once by the constructor
    SEGUI_struct_base gui_struct;   // the record the host holds
};
