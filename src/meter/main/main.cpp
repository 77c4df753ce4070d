// The level meter's entry.
#include "meter/univel.h"

int main() { return NivelMain(); }
