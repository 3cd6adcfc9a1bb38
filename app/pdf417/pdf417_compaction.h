#pragma once
// PDF417 data compaction: Text, Byte and Numeric Compaction and the
// automatic choice between them. Every routine returns a "codeword string":
// a flat sequence of small numbers read in pairs (h, l), each pair meaning
// the codeword 30 * h + l. Text values pair up directly, a whole codeword w
// is (w / 30, w % 30), a mode codeword 900 + x is (30, x) and a shifted byte
// b is (0, b). Messages are byte strings (ANSI character codes 0-255).
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillet {

using PdfCodewordString = std::vector<int>;

// Mode codewords.
inline constexpr int kPdfTextLatch = 900;
inline constexpr int kPdfByteLatch = 901;
inline constexpr int kPdfNumericLatch = 902;
inline constexpr int kPdfByteShift = 913;
inline constexpr int kPdfByteLatch6 = 924;
inline constexpr int kPdfEci = 927;  // followed by a designator 0-899

// Compaction modes (pdfCompaction).
enum PdfCompactionMode : int {
    kPdfAutoNumeric = 0,  // Auto (EXC/Binary/Numeric)
    kPdfAutoNoNumeric = 1,  // Auto (EXC/Binary)
    kPdfText = 2,
    kPdfBinary = 3,
    kPdfNumeric = 4,
};

// Report code of a message that the chosen mode cannot encode.
inline constexpr int kPdfInvalidCharacters = 21;

// The codewords a codeword string stands for.
std::vector<int> PdfCodewordsFromString(const PdfCodewordString& pairs);

// Text Compaction. Without allowShift a character outside the four text
// tables makes the result nullopt (report code 21).
std::optional<PdfCodewordString> CompactText(std::string_view segment, bool allowShift);

// Byte Compaction, beginning with its own latch (924 when the length is a
// multiple of 6, an empty segment included, else 901).
PdfCodewordString CompactBytes(std::string_view segment);

// The ECI codeword with its designator (0-899), then the bytes in Byte
// Compaction: how UTF-8 text (ECI 26) is carried.
PdfCodewordString CompactWithEci(int eci, std::string_view bytes);

// Numeric Compaction of a digit string; nullopt for any non-digit. The 902
// latch is put in front only when withLatch is set (Numeric Mode).
std::optional<PdfCodewordString> CompactNumeric(std::string_view segment, bool withLatch);

// Divides a decimal digit string by 900: (quotient digits without leading
// zeros, "" for zero; remainder).
std::pair<std::string, int> DivideDecimalBy900(std::string_view digits);

// State of the searches of the automatic mode over one message. Positions
// are 1-based, 0 means none. Once a search has found nothing, later
// searches of the same kind answer none without scanning until one starts
// again at position 1, so long messages are not rescanned to their end.
// The scan refers to the message, which must outlive it.
struct PdfScan {
    std::string_view message;
    bool numericRuns = true;  // false in Auto (EXC/Binary): no digit runs
    bool digitRunExhausted = false;
    bool byteStartExhausted = false;
};

bool IsPdfTextCharacter(unsigned char c);
int FindDigitRun(PdfScan& scan, int from);
int FindDigitRunEnd(const PdfScan& scan, int from);
int FindTextRun(const PdfScan& scan, int from);
int FindByteStart(PdfScan& scan, int from);
bool PreferBytes(const PdfScan& scan, int at);

// Automatic mode (pdfCompaction 0 or 1); never fails.
PdfCodewordString CompactAuto(std::string_view message, bool numericRuns);

// Chooses the routine by pdfCompaction; nullopt means report code 21.
std::optional<PdfCodewordString> EncodePdf417Data(std::string_view message, int pdfCompaction);

}  // namespace quillet
