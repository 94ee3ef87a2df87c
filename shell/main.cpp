// Plinkard: the game in its desktop window.
#include "shell/play.h"

int main() { return PlayInWindow(); }
