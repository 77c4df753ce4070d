// The program's entry.
#include "scanning/acenora.h"

int main() { return AcenoraMain(); }
