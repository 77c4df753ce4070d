// The choice records' file, apart from the panel's noting of them: the level meter reads it
// without the switch.
#include <string>

#include "console/ObCrt.h"
#include "switch/utempos.h"

namespace {
constexpr size_t kLargestFile = 1 << 20;  // 2000 lines of about 45 bytes, with room
}  // namespace

std::wstring ChoiceRecordsPath() { return UserFilePath(L"tempos.csv"); }

std::vector<ChoiceRecord> ReadChoiceRecords() {
  std::string text;
  return ReadWholeFile(ChoiceRecordsPath(), kLargestFile, text) ? RecordsFromText(text) : std::vector<ChoiceRecord>{};
}
