// A loadable library that is not a plug-in: it exports neither entry.
#if defined(_WIN32)
#define EXPORTED __declspec(dllexport)
#else
#define EXPORTED __attribute__((visibility("default")))
#endif

extern "C" EXPORTED int getModulePropertiez(int index) { return index; }
