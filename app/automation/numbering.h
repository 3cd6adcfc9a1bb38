#pragma once
// Incremental numbering and the turning of message file lines into
// messages: the counter text, UPC/EAN line splitting and the checks of the
// Incremental Numbering dialog.
#include <optional>
#include <string>

#include "app/model/numbering_options.h"

namespace quillet {

struct AppState;

// From 2^53 on a double no longer holds every whole number, so steps would
// repeat or skip serial numbers; such counters (and infinities, NaN) are
// refused.
inline constexpr double kMaxExactCounter = 9007199254740991.0;  // 2^53 - 1
bool exactCounter(double number);
// The warning shown when a step would leave the exact range.
std::string counterLimitText();

// The counter as a whole number with at least width + 1 digits; with a
// width above 0 only the rightmost width characters, so the counter wraps
// at 10^width. Widths are rounded to whole digits.
std::string formatCounter(double number, double width);
// Preamble, counter and postamble.
std::string numberedMessage(const NumberingOptions& n);

// What one message file line gives for a symbology. The supplement is set
// only for the UPC/EAN family, where the line may carry one.
struct LineMessage {
    std::string message;
    std::optional<std::string> supplement;
};
LineMessage messageFromLine(const std::string& line, int symbology);

// Full message length, check digit included, of a UPC/EAN code (3-8);
// 0 for other codes.
int upcEanMessageLength(int symbology);
// Splits a UPC/EAN line into message and supplement: at a hyphen (else a
// space), or by its length when it has neither.
LineMessage splitUpcEanLine(const std::string& line, int symbology);

// What the Incremental Numbering dialog holds when OK is pressed.
struct NumberingDialogValues {
    double start = 1;
    double increment = 1;
    double digits = 0;  // "Number of Digits"; 0 when the field is empty
    std::string preamble, postamble;
    int target = IncTargetMessage;
    bool enabled = false;
};

// The warning that keeps the dialog open, or nothing when the values may
// be applied. Only an enabled numbering is checked.
std::optional<std::string> numberingDialogWarning(const NumberingDialogValues& v);
// The dialog's OK: checks the values and, when they pass, stores them,
// shows or hides Next/Prev and recomputes the current message. Returns the
// warning (nothing applied) or nothing.
std::optional<std::string> applyNumberingDialog(AppState& app, const NumberingDialogValues& v);

}  // namespace quillet
