#pragma once
// POSTNET and BPO 4 State helpers shared by the encoders and their tests.
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

struct LinearJob;

// The ZIP code digits found at the end of an address line: 5, 9, 11 or 12
// digits, or nothing when no such ZIP code is there.
std::optional<std::string> postnetZipDigits(std::string_view address);

// The ZIP code as written back into the message: 12345, 12345-6789 or
// 12345-678901 (the twelfth digit of a 12-digit code is dropped).
std::string postnetNormalised(std::string_view digits);

// The message upper-cased with everything but 0-9 and A-Z dropped.
std::string bpoFiltered(std::string_view message);

void encodePostnet(LinearJob& job);
void encodeBpo4State(LinearJob& job);

}  // namespace quillet
