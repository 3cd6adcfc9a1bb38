#pragma once
// libzorvex32.so: Aztec Code symbols drawn into a metafile picture.
//
// One export, ZORVEXEC, takes a fixed-layout request record and fills a
// metafile-picture record. The record layout is a binary interface shared
// with the program: little-endian, 4300 bytes, every integer signed 32-bit.
#include <cstddef>
#include <cstdint>

#include "platform/metafile_pict.h"

#define ZORVEX_EXPORT __attribute__((visibility("default")))

struct AztecRequest {
    int32_t MessageLength;   // 1..3832
    char Message[3832];      // any byte values, NUL included
    int32_t CommentLength;   // 0..100; 0 = no comment line
    char Comment[100];
    int32_t ModuleSize;      // 0.01 mm, 1..432
    int32_t ModuleAdjust;    // percent of a module, -99..99; > 0 shrinks dark modules
    int32_t SizeSpec;        // 0 default, 1-99 percent, 101-104 compact, 201-232 full-range layers
    int32_t Reserved1;
    int32_t ForeColor;       // 0x00BBGGRR
    int32_t BackColor;       // -1 = transparent
    char FontName[32];       // NUL-terminated face name
    int32_t FontSize;        // points, at most 1000
    int32_t TextColor;
    int32_t Orientation;     // low two bits: quarter turns
    int32_t Flags;           // AztecFlag bits
    int32_t DpiX;            // device resolution for dot snapping
    int32_t DpiY;
    int32_t OutputMode;      // AztecOutput; above 3 means clipboard
    char FileName[260];      // NUL-terminated, output to disk file
    int32_t TargetDC;        // device context for output mode 3
    float OriginX;           // inches, output mode 3
    float OriginY;
    int32_t Reserved2;
};

static_assert(sizeof(AztecRequest) == 4300);
static_assert(offsetof(AztecRequest, MessageLength) == 0);
static_assert(offsetof(AztecRequest, Message) == 4);
static_assert(offsetof(AztecRequest, CommentLength) == 3836);
static_assert(offsetof(AztecRequest, Comment) == 3840);
static_assert(offsetof(AztecRequest, ModuleSize) == 3940);
static_assert(offsetof(AztecRequest, ModuleAdjust) == 3944);
static_assert(offsetof(AztecRequest, SizeSpec) == 3948);
static_assert(offsetof(AztecRequest, Reserved1) == 3952);
static_assert(offsetof(AztecRequest, ForeColor) == 3956);
static_assert(offsetof(AztecRequest, BackColor) == 3960);
static_assert(offsetof(AztecRequest, FontName) == 3964);
static_assert(offsetof(AztecRequest, FontSize) == 3996);
static_assert(offsetof(AztecRequest, TextColor) == 4000);
static_assert(offsetof(AztecRequest, Orientation) == 4004);
static_assert(offsetof(AztecRequest, Flags) == 4008);
static_assert(offsetof(AztecRequest, DpiX) == 4012);
static_assert(offsetof(AztecRequest, DpiY) == 4016);
static_assert(offsetof(AztecRequest, OutputMode) == 4020);
static_assert(offsetof(AztecRequest, FileName) == 4024);
static_assert(offsetof(AztecRequest, TargetDC) == 4284);
static_assert(offsetof(AztecRequest, OriginX) == 4288);
static_assert(offsetof(AztecRequest, OriginY) == 4292);
static_assert(offsetof(AztecRequest, Reserved2) == 4296);

enum AztecFlag : int32_t {
    AZTEC_COMMENT_BELOW = 0x4,
    AZTEC_MENU_SYMBOL = 0x10,
    AZTEC_FONT_BOLD = 0x400,
    AZTEC_FONT_ITALIC = 0x800,
    AZTEC_FONT_UNDERLINE = 0x1000,
    AZTEC_FONT_STRIKEOUT = 0x2000,
    AZTEC_SNAP_TO_DOTS = 0x8000,
    AZTEC_PLACEABLE_FILE = 0x10000,
    AZTEC_COMMENT_CENTRE = 0x20000,
    AZTEC_COMMENT_RIGHT = 0x40000,
    AZTEC_ECI = 0x80000,  // Reserved1 holds an ECI designator (0-999999) put before the message
};

enum AztecOutput : int32_t {
    AZTEC_TO_CLIPBOARD = 0,
    AZTEC_TO_FILE = 1,
    AZTEC_RETURN_HANDLE = 2,
    AZTEC_TO_DC = 3,
};

// Result codes of ZORVEXEC.
enum AztecResult : int32_t {
    AZTEC_OK = 0,
    AZTEC_BAD_MESSAGE = 2,      // length outside 1..3832, or no symbol holds it
    AZTEC_BAD_COMMENT = 3,      // comment length outside 0..100
    AZTEC_BAD_MODULE = 6,       // module size outside 1..432
    AZTEC_BAD_ADJUST = 7,       // module adjustment outside -99..99
    AZTEC_BAD_FONT_SIZE = 13,   // font size above 1000 (or negative)
    AZTEC_BAD_RESOLUTION = 15,  // dot snapping below 72 dots per inch
    AZTEC_BAD_FILE = 16,        // file name empty, unterminated or not creatable
    AZTEC_NO_METAFILE = 17,     // metafile not created, or picture beyond its 16-bit coordinates
    AZTEC_BAD_DC = 18,          // output mode 3 without a usable device context
};

extern "C" {
// Builds the symbol and delivers it as OutputMode asks. The picture record
// receives mapping mode 8 and the extents in 0.01 mm; its handle is set only
// in output mode 2, where the caller owns the metafile. DpiX may be
// rewritten (dot snapping with a vertical orientation).
ZORVEX_EXPORT int32_t ZORVEXEC(AztecRequest* request, gdi::MetafilePict* picture);
// Load/unload entry kept for callers that expect it; always 1.
ZORVEX_EXPORT int32_t LIBMAIN(void* instance, uint32_t reason, void* reserved);
}

using ZorvexecFunction = int32_t (*)(AztecRequest*, gdi::MetafilePict*);
