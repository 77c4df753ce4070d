#include "settings/logic/settings_text.h"

#include <vector>

#include "console/logic/code_page.h"

namespace {

const std::string Utf8Mark = "\xEF\xBB\xBF", Utf16Mark = "\xFF\xFE";

struct Line {
  size_t start, end;  // the line's text, without its line end
};

std::vector<Line> LinesOf(const std::string& text, size_t from) {
  std::vector<Line> lines;
  while (from < text.size()) {
    size_t end = text.find('\n', from);
    const size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    if (end > from && text[end - 1] == '\r') --end;
    lines.push_back({from, end});
    from = next;
  }
  return lines;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// The section a line opens, or "" for any other line.
std::string SectionOf(const std::string& line) {
  const std::string trimmed = Trimmed(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return {};
  const size_t close = trimmed.find(']');
  return close == std::string::npos ? std::string() : Trimmed(trimmed.substr(1, close - 1));
}

// The key a line sets; with commented, the key a line that starts with ';' would set.
std::string KeyOf(const std::string& line, bool commented) {
  std::string trimmed = Trimmed(line);
  if (commented != (!trimmed.empty() && trimmed[0] == ';')) return {};
  if (commented) {
    const size_t text = trimmed.find_first_not_of(';');
    if (text == std::string::npos) return {};  // a line of semicolons alone
    trimmed = Trimmed(trimmed.substr(text));
  }
  const size_t equals = trimmed.find('=');
  return equals == std::string::npos ? std::string() : Trimmed(trimmed.substr(0, equals));
}

// One UTF-16 unit as UTF-8: a unit below 0x800 is never a surrogate, so whatever pairs a
// text holds go through unit by unit and come back unchanged.
void PutUtf8(std::string& text, uint16_t unit) {
  if (unit < 0x80) text += static_cast<char>(unit);
  else if (unit < 0x800) text += {static_cast<char>(0xC0 | unit >> 6), static_cast<char>(0x80 | (unit & 0x3F))};
  else text += {static_cast<char>(0xE0 | unit >> 12), static_cast<char>(0x80 | (unit >> 6 & 0x3F)), static_cast<char>(0x80 | (unit & 0x3F))};
}

std::string Utf8Of(const std::string& cp1252) {
  std::string utf8;
  for (unsigned char c : cp1252) PutUtf8(utf8, Cp1252ToUnicode(c));
  return utf8;
}

std::string Utf8FromUtf16(const std::string& bytes) {
  std::string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    PutUtf8(text, static_cast<uint16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8));
  return text;
}

std::string Utf16FromUtf8(const std::string& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    uint16_t u = c;
    if (c >= 0xE0 && i + 2 < text.size()) u = static_cast<uint16_t>((c & 0x0F) << 12 | (text[i + 1] & 0x3F) << 6 | (text[i + 2] & 0x3F)), i += 3;
    else if (c >= 0xC0 && i + 1 < text.size()) u = static_cast<uint16_t>((c & 0x1F) << 6 | (text[i + 1] & 0x3F)), i += 2;
    else ++i;
    bytes += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
  }
  return bytes;
}

std::string LineEndOf(const std::string& text) {
  const size_t newline = text.find('\n');
  return newline != std::string::npos && (newline == 0 || text[newline - 1] != '\r') ? "\n" : "\r\n";
}

// The edit itself, on text whose encoding the value already has.
std::string Edited(const std::string& text, size_t from, const std::string& section, const std::string& key,
                   const std::string& value) {
  const std::vector<Line> lines = LinesOf(text, from);
  const std::string end = LineEndOf(text);
  auto line = [&](size_t i) { return text.substr(lines[i].start, lines[i].end - lines[i].start); };
  size_t i = 0;
  while (i < lines.size() && !SameName(SectionOf(line(i)), section)) ++i;
  if (i == lines.size()) {
    std::string added = text;
    if (text.size() > from && text.back() != '\n') added += end;  // a last line cut short
    if (!lines.empty() && !Trimmed(line(lines.size() - 1)).empty()) added += end;
    return added + "[" + section + "]" + end + key + "=" + value + end;
  }
  size_t after = lines[i].end, commented = std::string::npos;
  for (++i; i < lines.size() && SectionOf(line(i)).empty(); ++i) {
    const std::string current = line(i);
    if (SameName(KeyOf(current, false), key)) {
      const size_t blank = current.find_first_not_of(" \t", current.find('=') + 1);
      const size_t valueAt = lines[i].start + (blank == std::string::npos ? current.size() : blank);
      return text.substr(0, valueAt) + value + text.substr(lines[i].end);
    }
    if (commented == std::string::npos && SameName(KeyOf(current, true), key)) commented = lines[i].end;
    if (!Trimmed(current).empty()) after = lines[i].end;
  }
  const size_t at = commented != std::string::npos ? commented : after;
  if (at == text.size()) return text + end + key + "=" + value + end;
  return text.substr(0, at) + end + key + "=" + value + text.substr(at);
}

}  // namespace

std::string WithSetting(const std::string& text, const std::string& section, const std::string& key,
                        const std::string& value) {
  if (text.rfind(Utf16Mark, 0) == 0)
    return Utf16Mark + Utf16FromUtf8(Edited(Utf8FromUtf16(text.substr(2)), 0, section, key, Utf8Of(value)));
  if (text.rfind(Utf8Mark, 0) == 0) return Edited(text, 3, section, key, Utf8Of(value));
  return Edited(text, 0, section, key, value);
}
