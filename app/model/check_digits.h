#pragma once
// Check characters of the linear symbologies.
#include <string>
#include <string_view>

namespace quillet {

// Code 39 value of a character (0..42) in "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", or -1.
int code39Value(char c);
char code39CharOfValue(int v);
// Mod 43 over the characters actually encoded; returns the value 0..42.
int code39CheckValue(std::string_view encoded);

// Code 93: values 0..46; the shifts ($) (%) (/) (+) are the internal codes 131..134.
int code93Value(unsigned char c);
unsigned char code93CharOfValue(int v);
// Appends C then K to the expanded data; returns "C,K" as decimal values.
std::string code93AppendChecks(std::string& expanded);

// Codabar check character over the message with its start and stop.
char codabarCheckChar(std::string_view message);

// Weighted 3-1 check digit counted from the left (Interleaved 2 of 5 after
// padding, GS1-128 optional digit).
int mod10LeftWeighted(std::string_view digits);

// MSI Plessey modulo-10 digit (the doubled odd-position number computed exactly).
int msiCheckDigit(std::string_view digits);

// UPC/EAN check digit over the data digits (11 UPC-A, 7 EAN-8, 12 EAN-13).
int upcEanCheckDigit(std::string_view data);

// Add-on parity selector: 2 digits -> value mod 4; 5 digits -> weighted mod 10.
int addOnParityValue(std::string_view digits);

// Code 128: (c0 + sum k*ck) mod 103 over the symbol character values.
int code128CheckValue(const int* values, size_t count);

// POSTNET check digit over the encoded digits.
int postnetCheckDigit(std::string_view digits);

// BPO 4 State check character over the filtered message.
char bpoCheckChar(std::string_view message);

}  // namespace quillet
