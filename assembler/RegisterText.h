#pragma once

#include <cstdint>
#include <string>

// Text forms of bytes and registers shown by the labels, the RAM view, the list file and the
// run log. Bytes are held sign-extended; every text takes the low 8 bits unless it says so.

// The value of a hexadecimal digit 0-9, A-F or a-f, or -1 for any other character.
int HexDigitValue(char c);
// Two upper-case hexadecimal digits of the low byte.
const std::string& HexByte(int value);
// Eight '0'/'1' characters of the low byte, bit 7 first.
const std::string& BinaryText(int value);
// Three digits with a sign: -001, +000, +127, -128, +200.
std::string SignedText(int value);
// Binary text, hex text and signed text of a held value, separated by single spaces.
std::string RegisterText(int value);
// Eight characters for bits 7..0 of SR: I S O Z for bits 4..1, '?' for the others when set.
std::string FlagsText(int sr);
