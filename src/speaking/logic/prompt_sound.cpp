#include "speaking/logic/prompt_sound.h"

#include <algorithm>
#include <cstdlib>

namespace {

uint32_t Little(std::string_view bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void PutLittle(std::string& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

constexpr uint16_t kPcm = 1, kExtensible = 0xFFFE;

bool TakeFormat(std::string_view bytes, size_t at, size_t size, WavParts& parts) {
  if (size < 16) return false;
  const uint16_t tag = static_cast<uint16_t>(Little(bytes, at, 2));
  if (tag != kPcm && tag != kExtensible) return false;
  parts.formatAt = at;
  parts.formatSize = size;
  parts.channels = static_cast<uint16_t>(Little(bytes, at + 2, 2));
  parts.samplesPerSecond = Little(bytes, at + 4, 4);
  parts.bytesPerSecond = Little(bytes, at + 8, 4);
  parts.bitsPerSample = static_cast<uint16_t>(Little(bytes, at + 14, 2));
  return parts.channels > 0 && parts.bytesPerSecond > 0 && parts.bitsPerSample > 0;
}

}  // namespace

std::optional<WavParts> ParseWav(std::string_view bytes) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return std::nullopt;
  WavParts parts;
  bool format = false;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const std::string_view id = bytes.substr(at, 4);
    const size_t size = Little(bytes, at + 4, 4);
    const size_t body = at + 8, held = std::min(size, bytes.size() - body);
    if (id == "fmt ") {
      if (held < size || !TakeFormat(bytes, body, size, parts)) return std::nullopt;
      format = true;
    } else if (id == "data") {
      if (!format) return std::nullopt;
      parts.dataAt = body;
      parts.dataSize = held;
      return parts;
    }
    if (held < size) break;
    at = body + size + (size & 1);
  }
  return std::nullopt;
}

std::vector<int16_t> Widened(std::string_view samples8) {
  std::vector<int16_t> wide;
  wide.reserve(samples8.size());
  for (char sample : samples8) wide.push_back(static_cast<int16_t>((static_cast<unsigned char>(sample) - 128) * 256));
  return wide;
}

std::string_view TrimmedSound(std::string_view samples8, int quiet, size_t marginSamples) {
  auto loud = [quiet](char sample) { return std::abs(static_cast<unsigned char>(sample) - 128) > quiet; };
  const auto first = std::find_if(samples8.begin(), samples8.end(), loud);
  if (first == samples8.end()) return {};
  const auto last = std::find_if(samples8.rbegin(), samples8.rend(), loud).base();
  const size_t from = static_cast<size_t>(first - samples8.begin());
  const size_t to = static_cast<size_t>(last - samples8.begin());
  const size_t start = from > marginSamples ? from - marginSamples : 0;
  return samples8.substr(start, std::min(samples8.size(), to + marginSamples) - start);
}

std::string WavFileOf(const std::vector<int16_t>& samples, uint32_t rate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string bytes = "RIFF";
  PutLittle(bytes, 36 + dataBytes, 4);
  bytes += "WAVEfmt ";
  PutLittle(bytes, 16, 4);
  PutLittle(bytes, kPcm, 2);
  PutLittle(bytes, 1, 2);
  PutLittle(bytes, rate, 4);
  PutLittle(bytes, rate * 2, 4);
  PutLittle(bytes, 2, 2);
  PutLittle(bytes, 16, 2);
  bytes += "data";
  PutLittle(bytes, dataBytes, 4);
  for (int16_t sample : samples) PutLittle(bytes, static_cast<uint16_t>(sample), 2);
  return bytes;
}
