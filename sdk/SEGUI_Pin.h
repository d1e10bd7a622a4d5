// The GUI side's handle on one pin: a pin index and the GUI object that owns
// the pin. It stores no value; every read and write is a request to the host.
#pragma once

#include <cstdint>
#include <string>

class SEGUI_base;

class SeGuiPin {
public:
    void Init(int32_t index, SEGUI_base* owner);
    int32_t getIndex() const { return pin_index; }
    SEGUI_base* getModule() const { return module; }

    // The host takes the text during the call.
    void setValueText(const std::string& text);
    // A copy of the host's text; empty when the host answers with none.
    std::string getValueText();
    // The pin's value slot read as an integer or as a float (the same request;
    // nothing is converted). 0 when the host writes nothing.
    int32_t getValueInt();
    float getValueFloat();
    void setValueInt(int32_t value);
    void setValueFloat(float value);
    // The pin's extra data in 16-bit units, up to the first zero unit.
    std::u16string getExtraData();

private:
    int32_t pin_index;   // the host's index of the pin; sent with every request
    SEGUI_base* module;  // owner; not owned. Requests go through its CallHost.
};
