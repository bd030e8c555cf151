#define ORV_BUILDING_VELKOR
#include "outside/Velkor.h"

// Placeholder until the shell integration lands: accepts the calls and changes nothing.
int32_t WINAPI PMIntegrateIntoShell(const char*, const char*, const char*, int32_t, const char*, int32_t) { return 0; }
int32_t WINAPI PMRegisterForFolder(const char*, const char*) { return 0; }
int32_t WINAPI PMClearIntegration(const char*, const char*, const char*, int32_t, const char*, int32_t) { return 0; }
