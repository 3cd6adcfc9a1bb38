#pragma once
// libstripegen: GS1 DataBar element widths, optionally with a composite
// component.
//
// Every export takes the message as a pointer to a pointer to a NUL-terminated
// string: the primary data (up to 13 digits, the item number without its check
// digit), optionally followed by "|" and the composite message. String
// results are copied, NUL-terminated, into caller-owned buffers of
// STRIPEGEN_BUFFER_SIZE characters reached through pointer-to-pointer
// arguments; every byte is one element width in modules (1-9, not digit
// characters), elements alternating light and dark, light first. Integer
// results go to 32-bit integers.
//
// Status: 0 done; 1 the composite message cannot be encoded (the primary
// outputs may have been written, the composite outputs are not); 15 the
// primary data is longer than 13 characters (nothing written). DataBar
// Expanded (RSSExpPattern) has its own message and statuses, below.
// Calls must not overlap: the library keeps its work tables in static storage.
#include <stdint.h>

#define STRIPEGEN_BUFFER_SIZE 3000
// Lines of a DataBar Expanded Stacked symbol at most: 11 rows and three
// separator rows between each two.
#define STRIPEGEN_EXPANDED_MAX_LINES 41

#if defined(__GNUC__)
#define STRIPEGEN_API __attribute__((visibility("default")))
#else
#define STRIPEGEN_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
    STRIPEGEN_OK = 0,
    STRIPEGEN_COMPOSITE_FAILED = 1,
    STRIPEGEN_DATA_INVALID = 2,  // Expanded: no data, a character outside the set, or more than 21 data characters
    STRIPEGEN_BAD_SEGMENTS = 3,  // Expanded: segments per row not an even number from 2 to 22
    STRIPEGEN_PRIMARY_TOO_LONG = 15,
};

// GS1 DataBar: pattern of 46 elements; composite rows of 53 elements.
typedef int32_t (*RSSPatternFn)(char** message, char** pattern, char** compositeSeparator,
                                char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow);
// GS1 DataBar Stacked: two rows of 25 elements; composite rows of 31 elements.
typedef int32_t (*RSS14SPatternFn)(char** message, char** upperRow, char** lowerRow,
                                   char** middleSeparator, char** compositeSeparator,
                                   char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow);
// GS1 DataBar Stacked Omnidirectional: two rows of 25 elements, three
// separators (the middle one always 43 elements); composite rows of 31.
typedef int32_t (*RSS14SOPatternFn)(char** message, char** upperRow, char** lowerRow,
                                    char** upperSeparator, char** middleSeparator,
                                    char** lowerSeparator, char** compositeSeparator,
                                    char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow);
// GS1 DataBar Limited: pattern of 46 elements (not written, status 0, for a
// primary value above 1999999999999); composite rows of 39 or 45 elements.
typedef int32_t (*RSSLimPatternFn)(char** message, char** pattern, char** compositeSeparator,
                                   char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow);

// GS1 DataBar Expanded and Expanded Stacked. The message is GS1 data: element
// strings without parentheses, FNC1 (byte 128 or 29) after a variable-length
// field that another follows; optionally "|" and the composite message, held
// in a component of 4 columns (53 elements a row) over the symbol's top row.
// Rows hold at most *segmentsPerRow segments (2-22, even; 4 at least with a
// composite part): 22 makes DataBar Expanded, fewer Expanded Stacked (which
// differ only in where the component stands). Out: the lines from
// the top one after another (the rows, and between each two rows the
// separator under the upper row, a checkerboard and the separator over the
// lower row; rows are lines 0, 4, 8, ...), the line count, and for each line
// its element count and 1 when its first element is dark, 0 when light
// (arrays of STRIPEGEN_EXPANDED_MAX_LINES integers); with a composite part
// the composite separator, rows, row count and elements per row as for the
// other exports (status 1 when the composite message cannot be held), and
// the modules from the symbol's left edge to the component's: 1 over
// DataBar Expanded, centred over the top row of Expanded Stacked.
typedef int32_t (*RSSExpPatternFn)(char** message, int32_t* segmentsPerRow, char** lines, int32_t* lineCount,
                                   int32_t* lineElements, int32_t* lineDarkFirst, char** compositeSeparator,
                                   char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow,
                                   int32_t* compositeOffset);

STRIPEGEN_API int32_t RSSPattern(char** message, char** pattern, char** compositeSeparator,
                                 char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow);
STRIPEGEN_API int32_t RSS14SPattern(char** message, char** upperRow, char** lowerRow,
                                    char** middleSeparator, char** compositeSeparator,
                                    char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow);
STRIPEGEN_API int32_t RSS14SOPattern(char** message, char** upperRow, char** lowerRow,
                                     char** upperSeparator, char** middleSeparator,
                                     char** lowerSeparator, char** compositeSeparator,
                                     char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow);
STRIPEGEN_API int32_t RSSLimPattern(char** message, char** pattern, char** compositeSeparator,
                                    char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow);

STRIPEGEN_API int32_t RSSExpPattern(char** message, int32_t* segmentsPerRow, char** lines, int32_t* lineCount,
                                    int32_t* lineElements, int32_t* lineDarkFirst, char** compositeSeparator,
                                    char** compositeRows, int32_t* rowCount, int32_t* elementsPerRow,
                                    int32_t* compositeOffset);

#ifdef __cplusplus
}
#endif
