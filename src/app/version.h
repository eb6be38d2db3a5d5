/* Kestrone's version, kept here and nowhere else: the resource version blocks
   of Kestrone.exe and kestrone-scan.exe, the About page, the manifest and the
   release packages all take it from these lines. Plain macros, so that the
   resource compiler and CMake read this file as well as C++ does. */
#ifndef KESTRONE_VERSION_H
#define KESTRONE_VERSION_H

#define KESTRONE_VERSION_MAJOR 2
#define KESTRONE_VERSION_MINOR 3
#define KESTRONE_VERSION_PATCH 0
#define KESTRONE_VERSION_BUILD 618

#define KESTRONE_STRINGIFY_(x) #x
#define KESTRONE_STRINGIFY(x) KESTRONE_STRINGIFY_(x)
/* "2.3.0.618" and "2.3" */
#define KESTRONE_VERSION_TEXT                                                      \
    KESTRONE_STRINGIFY(KESTRONE_VERSION_MAJOR) "." KESTRONE_STRINGIFY(           \
        KESTRONE_VERSION_MINOR) "." KESTRONE_STRINGIFY(KESTRONE_VERSION_PATCH) "." \
        KESTRONE_STRINGIFY(KESTRONE_VERSION_BUILD)
#define KESTRONE_SHORT_VERSION_TEXT \
    KESTRONE_STRINGIFY(KESTRONE_VERSION_MAJOR) "." KESTRONE_STRINGIFY(KESTRONE_VERSION_MINOR)

#endif
