// The GUI side's record, dispatcher and host requests.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "gui_host.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class LoggingGui : public SEGUI_base {
public:
    LoggingGui(GuiHostCallback callback, void* host_ptr, std::vector<std::string>* log)
        : SEGUI_base(callback, host_ptr), log_(log) {}
    ~LoggingGui() override { log_->push_back("destroyed"); }

    void Initialise(bool flag) override { log_->push_back(std::string("Initialise ") + (flag ? "true" : "false")); }
    void close() override { log_->push_back("close"); }
    void paint(HDC dc, SEWndInfo* window) override {
        log_->push_back("paint " + std::to_string(reinterpret_cast<intptr_t>(dc)) + " " + address(window));
    }
    void OnLButtonDown(SEWndInfo* w, uint32_t flags, sepoint p) override { mouse("down", w, flags, p); }
    void OnLButtonUp(SEWndInfo* w, uint32_t flags, sepoint p) override { mouse("up", w, flags, p); }
    void OnMouseMove(SEWndInfo* w, uint32_t flags, sepoint p) override { mouse("move", w, flags, p); }
    void OnWindowOpen(SEWndInfo* w) override { log_->push_back("open " + address(w)); }
    void OnWindowClose(SEWndInfo* w) override { log_->push_back("close window " + address(w)); }
    bool OnIdle() override { return idle_answer; }
    void OnNewConnection(int32_t i) override { log_->push_back("connect " + std::to_string(i)); }
    void OnDisconnect(int32_t i) override { log_->push_back("disconnect " + std::to_string(i)); }
    void OnModuleMsg(int32_t a, int32_t b, void* p) override {
        log_->push_back("msg " + std::to_string(a) + " " + std::to_string(b) + " " + address(p));
    }
    void OnGuiPinValueChange(SeGuiPin* pin) override {
        changed_pin = pin;
        log_->push_back("pin " + std::to_string(pin->getIndex()) + (pin->getModule() == this ? " mine" : " other"));
    }

    bool idle_answer = true;
    SeGuiPin* changed_pin = nullptr;

private:
    static std::string address(const void* p) { return std::to_string(reinterpret_cast<intptr_t>(p)); }
    void mouse(const char* what, SEWndInfo* w, uint32_t flags, const sepoint& p) {
        log_->push_back(std::string(what) + " " + address(w) + " " + std::to_string(flags) + " " +
                        std::to_string(p.x) + "," + std::to_string(p.y));
    }
    std::vector<std::string>* log_;
};

float float_from_bits(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

class Gui : public ::testing::Test {
protected:
    Gui() : gui(new LoggingGui(&GuiHost::callback, &host, &log)), record(gui->getStruct()) {}
    ~Gui() override {
        if (gui != nullptr) record->dispatcher(record, GUI_CLOSE, 0, 0, nullptr, 0.0f);
    }
    intptr_t send(int32_t opcode, int32_t index = 0, int32_t value = 0, void* ptr = nullptr, float opt = 0.0f) {
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }

    GuiHost host;
    std::vector<std::string> log;
    LoggingGui* gui;
    SEGUI_struct_base* record;
    SEWndInfo* window = reinterpret_cast<SEWndInfo*>(uintptr_t{0x1000});
};

TEST_F(Gui, RecordHoldsItsOwnMagicAndFieldOrder) {
    EXPECT_EQ(std::memcmp(record, "MPES", 4), 0);
    EXPECT_EQ(record->version, 1);
    EXPECT_EQ(record->dispatcher, static_cast<GuiDispatcherEntry>(&dispatchEffectClass));
    EXPECT_EQ(record->host_ptr, &host);
    EXPECT_EQ(record->object, static_cast<SEGUI_base*>(gui));
    for (uint8_t byte : record->reserved) EXPECT_EQ(byte, 0);
#if SE_32BIT
    uint8_t bytes[40];
    std::memcpy(bytes, record, sizeof bytes);
    const uint8_t head[8] = {0x4D, 0x50, 0x45, 0x53, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::memcmp(bytes, head, sizeof head), 0);
    uint32_t words[3];
    std::memcpy(words, bytes + 8, sizeof words);
    EXPECT_EQ(words[0], static_cast<uint32_t>(reinterpret_cast<uintptr_t>(record->dispatcher)));
    EXPECT_EQ(words[1], static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&host)));
    EXPECT_EQ(words[2], static_cast<uint32_t>(reinterpret_cast<uintptr_t>(static_cast<SEGUI_base*>(gui))));
#endif
    EXPECT_THAT(host.trace, IsEmpty());
}

TEST_F(Gui, OpcodesAboveTwelveCallNothing) {
    for (int32_t opcode : {13, 14, INT_MAX, -1, INT_MIN}) EXPECT_EQ(send(opcode, 1, 1, window, 1.0f), 0) << opcode;
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(Gui, InitialiseFlagIsTrueForIndexOneOnly) {
    for (int32_t index : {1, 0, 2, -1}) EXPECT_EQ(send(GUI_INITIALISE, index), 0);
    EXPECT_THAT(log, ElementsAre("Initialise true", "Initialise false", "Initialise false", "Initialise false"));
}

TEST_F(Gui, CloseCallsCloseThenTheMostDerivedDestructor) {
    EXPECT_EQ(send(GUI_CLOSE), 1);
    gui = nullptr;
    EXPECT_THAT(log, ElementsAre("close", "destroyed"));
}

TEST_F(Gui, MouseOpcodesBuildThePointAndTakeFlagsFromTheFloatsBits) {
    const std::string w = std::to_string(reinterpret_cast<intptr_t>(window));
    EXPECT_EQ(send(GUI_LBUTTON_DOWN, 10, 20, window, float_from_bits(9)), 0);
    EXPECT_EQ(send(GUI_LBUTTON_UP, -5, 7, window, 1.0f), 0);
    EXPECT_EQ(send(GUI_MOUSE_MOVE, 0, -1, window, float_from_bits(0x80000000u)), 0);
    EXPECT_THAT(log, ElementsAre("down " + w + " 9 10,20", "up " + w + " 1065353216 -5,7",
                                 "move " + w + " 2147483648 0,-1"));
}

TEST_F(Gui, HandlersGetTheirArgumentsAsTabled) {
    const std::string w = std::to_string(reinterpret_cast<intptr_t>(window));
    EXPECT_EQ(send(GUI_PAINT, 42, 0, window), 0);
    EXPECT_EQ(send(GUI_MODULE_MSG, 3, 7, window), 0);
    EXPECT_EQ(send(GUI_WINDOW_OPEN, 0, 0, window), 0);
    EXPECT_EQ(send(GUI_WINDOW_CLOSE, 0, 0, window), 0);
    EXPECT_EQ(send(GUI_NEW_CONNECTION, 5), 0);
    EXPECT_EQ(send(GUI_DISCONNECT, 6), 0);
    EXPECT_THAT(log, ElementsAre("paint 42 " + w, "msg 7 3 " + w, "open " + w, "close window " + w, "connect 5",
                                 "disconnect 6"));
}

TEST_F(Gui, IdleAnswersWhatTheHandlerReturns) {
    EXPECT_EQ(send(GUI_IDLE), 1);
    gui->idle_answer = false;
    EXPECT_EQ(send(GUI_IDLE), 0);

    std::vector<std::string> base_log;
    auto* plain = new SEGUI_base(&GuiHost::callback, &host);
    SEGUI_struct_base* plain_record = plain->getStruct();
    EXPECT_EQ(plain_record->dispatcher(plain_record, GUI_IDLE, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(plain_record->dispatcher(plain_record, GUI_CLOSE, 0, 0, nullptr, 0.0f), 1);
}

TEST_F(Gui, PinValueChangeHandsATemporaryHandle) {
    SeGuiPin* shared = gui->getPin(2);
    EXPECT_EQ(send(GUI_PIN_VALUE_CHANGE, 4), 0);
    EXPECT_THAT(log, ElementsAre("pin 4 mine"));
    EXPECT_NE(gui->changed_pin, shared);
    EXPECT_EQ(shared->getIndex(), 2);
}

TEST_F(Gui, GetPinReturnsTheOneSharedHandle) {
    SeGuiPin* first = gui->getPin(2);
    SeGuiPin* second = gui->getPin(5);
    EXPECT_EQ(first, second);
    EXPECT_EQ(second->getIndex(), 5);
    EXPECT_EQ(second->getModule(), gui);
}

TEST_F(Gui, AddGuiPlugSendsOneRequest) {
    gui->AddGuiPlug(PLUG_FLOAT, DIR_OUT, "Level");
    ASSERT_EQ(host.trace.size(), 1u);
    EXPECT_EQ(host.trace[0].opcode, GUIHOST_ADD_PLUG);
    EXPECT_EQ(host.trace[0].index, PLUG_FLOAT);
    EXPECT_EQ(host.trace[0].value, DIR_OUT);
    EXPECT_EQ(host.trace[0].text, "Level");
    EXPECT_EQ(host.trace[0].opt, 0.0f);
}

TEST_F(Gui, CaptureRequestsCarryTheWindow) {
    gui->SetCapture(window);
    gui->ReleaseCapture(window);
    for (const auto& [answer, captured] : {std::pair{intptr_t{0}, false}, {intptr_t{1}, true}, {intptr_t{-1}, true}}) {
        host.capture_answer = answer;
        EXPECT_EQ(gui->GetCapture(window), captured) << answer;
    }
    ASSERT_EQ(host.trace.size(), 5u);
    const int32_t expected[] = {GUIHOST_SET_CAPTURE, GUIHOST_RELEASE_CAPTURE, GUIHOST_GET_CAPTURE,
                                GUIHOST_GET_CAPTURE, GUIHOST_GET_CAPTURE};
    for (size_t i = 0; i < host.trace.size(); ++i) {
        EXPECT_EQ(host.trace[i].opcode, expected[i]);
        EXPECT_EQ(host.trace[i].index, 0);
        EXPECT_EQ(host.trace[i].value, 0);
        EXPECT_EQ(host.trace[i].ptr, reinterpret_cast<intptr_t>(window));
    }
}

TEST(GuiWithoutCallback, CallHostAnswersZero) {
    SEGUI_base gui(nullptr, nullptr);
    EXPECT_EQ(gui.CallHost(GUIHOST_GET_CAPTURE), 0);
    EXPECT_EQ(gui.getPin(1)->getValueInt(), 0);
    EXPECT_EQ(gui.getPin(1)->getValueText(), "");
}

}  // namespace
