// Plinkard: the game in its desktop window.
#include "app/play.h"

int main() { return PlayInWindow(); }
