// The settings window's entry.
#include "settings/ujanela.h"

int main() { return ConfigMain(); }
