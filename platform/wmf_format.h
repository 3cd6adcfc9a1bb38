#pragma once
// Windows Metafile layout: record function numbers and header sizes shared
// by the recorder, the reader and the renderer.
#include <cstdint>

namespace wmf {

// Record function numbers. The high byte is the parameter word count of the
// fixed-size records, which the reader uses as a plausibility check.
enum Function : uint16_t {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETTEXTALIGN = 0x012E,
    META_SELECTOBJECT = 0x012D,
    META_RESTOREDC = 0x0127,
    META_DELETEOBJECT = 0x01F0,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_RECTANGLE = 0x041B,
    META_TEXTOUT = 0x0521,
    META_ESCAPE = 0x0626,
    META_EXTTEXTOUT = 0x0A32,
};

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderBytes = 22;
constexpr size_t kHeaderBytes = 18;
constexpr uint16_t kHeaderWords = 9;
constexpr uint16_t kVersion = 0x0300;
constexpr uint16_t kMemoryMetafile = 1;
constexpr uint16_t kDiskMetafile = 2;
constexpr uint16_t kFaceNameBytes = 32;  // face name field of a font record
constexpr uint32_t kEofRecordWords = 3;

}  // namespace wmf
