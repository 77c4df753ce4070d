// The Locutor's entry.
#include "locutor/ulocutor.h"

int main() { return LocutorMain(); }
