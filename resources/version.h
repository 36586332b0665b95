#pragma once
// The program's version, defined once for the version record.
#define VRK_VERSION_MAJOR 1
#define VRK_VERSION_MINOR 0
#define VRK_VERSION_PATCH 0
#define VRK_VERSION_BUILD 0

#define VRK_STRINGIZE2(x) #x
#define VRK_STRINGIZE(x) VRK_STRINGIZE2(x)
#define VRK_VERSION_TEXT                                                          \
    VRK_STRINGIZE(VRK_VERSION_MAJOR) "." VRK_STRINGIZE(VRK_VERSION_MINOR) "." \
    VRK_STRINGIZE(VRK_VERSION_PATCH) "." VRK_STRINGIZE(VRK_VERSION_BUILD)
