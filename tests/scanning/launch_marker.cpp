// A program that only leaves a mark beside itself, for the test that opens it through the
// shell: the mark is the file "launched.txt".
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string mark = path;
  mark = mark.substr(0, mark.find_last_of("\\/") + 1) + "launched.txt";
  std::FILE* file = std::fopen(mark.c_str(), "w");
  if (file) std::fclose(file);
  return 0;
}
