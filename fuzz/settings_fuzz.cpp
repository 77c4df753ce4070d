// A caregiver's settings file and a prompt's WAV file from arbitrary bytes. One key set in
// the file: nothing throws, and set again to the same value nothing changes; a WAV file's
// parts lie within its bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "settings/logic/settings_text.h"
#include "speaking/logic/prompt_sound.h"

namespace {

// A name as the programs write them: one to eight capitals.
std::string Name(FuzzInput& input) {
  std::string name(1 + input.Byte() % 8, 'A');
  for (char& c : name) c = static_cast<char>('A' + input.Byte() % 26);
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const std::string section = Name(input), key = Name(input), value = std::to_string(input.Word());
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string once = WithSetting(text, section, key, value);
  FUZZ_CHECK(WithSetting(once, section, key, value) == once);

  if (const std::optional<WavParts> parts = ParseWav(text)) {
    FUZZ_CHECK(parts->formatAt + parts->formatSize <= text.size());
    FUZZ_CHECK(parts->dataAt + parts->dataSize <= text.size());
    FUZZ_CHECK(parts->bytesPerSecond > 0);
  }
  return 0;
}
