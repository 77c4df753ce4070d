// Code page 1252, the program's own text, and UTF-16, the platform's wide calls: every text
// goes out through the wide calls so that it shows the same whatever the system's ANSI code
// page is, and what is typed comes back as code page 1252 bytes.
#pragma once
#include <cstdint>

uint16_t Cp1252ToUnicode(uint8_t character);  // code point of a code page 1252 byte
int UnicodeToCp1252(uint16_t unit);            // its byte, or -1 when the code page has none
