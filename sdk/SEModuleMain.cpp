#include "SEModuleMain.h"

#include <new>

#include "Module.h"

extern "C" SE_EXPORT int32_t SE_CDECL getModuleProperties(int32_t index, SEModuleProperties* properties) {
    if (properties == nullptr) return 0;
    properties->sdk_version = SE_SDK_VERSION;
    if (index != 0) return 0;
    Module::getModuleProperties(properties);
    return 1;
}

extern "C" SE_EXPORT void* SE_CDECL makeModule(int32_t index, int32_t type, HostCallback callback, void* host_ptr) {
    if (index != 0 || type != SE_AUDIO_MODULE_TYPE) return nullptr;
    Module* module = new (std::nothrow) Module(callback, host_ptr);
    if (module == nullptr) return nullptr;
    return module->getAeffect();
}

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif
