// The settings file as text that a caregiver also edits: one key given a new value, and
// everything else (other sections and keys, comments, blank lines, their order, the line
// ends, the byte-order mark, the code page of what is not touched) left byte for byte.
// Knows nothing of files.
#pragma once
#include <string>

// text with key of section set to value (code page 1252): changed where the key stands; else
// after the line that comments it out, or after the section's last line; else in a new
// section at the end. A file in UTF-8 or UTF-16 (by its byte-order mark) gets the value in
// its own encoding.
std::string WithSetting(const std::string& text, const std::string& section, const std::string& key,
                        const std::string& value);
