#pragma once
// Windows-1252 <-> UTF-8, for the file boundary: circuit and stock files are
// single-byte Windows-1252 text, strings in memory are UTF-8.
//
// Bytes 0x80..0x9F are not Latin-1 (0x80 is the euro sign, 0x93 a left double
// quote). Five of them, 0x81, 0x8D, 0x8F, 0x90 and 0x9D, have no character;
// they are read as the C1 control of the same code (U+0081 ...) and written
// back as that byte, so that any byte string survives a read and a write
// unchanged.

#include <string>
#include <string_view>

namespace quillet {

// Every byte becomes one character; never fails.
std::string Cp1252ToUtf8(std::string_view bytes);

// Each character becomes one byte. A character with no Windows-1252 form
// becomes "?", and so does each ill-formed part of the UTF-8 input (a stray
// continuation byte, a truncated or overlong sequence, a surrogate, a value
// past U+10FFFF), one "?" per maximal ill-formed part as Unicode recommends.
std::string Utf8ToCp1252(std::string_view utf8);

// True when the text is well-formed UTF-8 and Utf8ToCp1252 keeps every
// character, so a window can warn before a title or a note is saved with "?".
bool FitsCp1252(std::string_view utf8);

}  // namespace quillet
