#pragma once
// Internal entry points of the library. They are visible outside the shared
// object only so that the library's own tests can reach them; the program
// uses the four C exports of stripegen.h alone.
#define STRIPEGEN_INTERNAL __attribute__((visibility("default")))
