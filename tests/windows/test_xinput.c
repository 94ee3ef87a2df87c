/* A game pad that is not there, for the Windows tests: an xinput1_4.dll whose
 * first pad reads what the file named by PLINKARD_TEST_PAD says, afresh at
 * every call. The file holds one line of words:
 *   unplugged                       no pad
 *   plugged [BUTTON ...] [lx=N] [ly=N]
 * with buttons a, b, x, y, start, rightshoulder, dpleft, dpright, dpup,
 * dpdown, and the left stick from -32768 to 32767 (y upwards, as XInput's).
 * The other three pads are never plugged in; without the file neither is the first. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <xinput.h>

static const struct {
  const char* name;
  WORD bit;
} kButtons[] = {
    {"a", XINPUT_GAMEPAD_A},
    {"b", XINPUT_GAMEPAD_B},
    {"x", XINPUT_GAMEPAD_X},
    {"y", XINPUT_GAMEPAD_Y},
    {"start", XINPUT_GAMEPAD_START},
    {"rightshoulder", XINPUT_GAMEPAD_RIGHT_SHOULDER},
    {"dpleft", XINPUT_GAMEPAD_DPAD_LEFT},
    {"dpright", XINPUT_GAMEPAD_DPAD_RIGHT},
    {"dpup", XINPUT_GAMEPAD_DPAD_UP},
    {"dpdown", XINPUT_GAMEPAD_DPAD_DOWN},
};

static DWORD packet;

/* Whether the pad is plugged in, and if so what it holds. */
static BOOL ReadPad(XINPUT_GAMEPAD* pad) {
  char line[512] = "";
  const char* path = getenv("PLINKARD_TEST_PAD");
  FILE* file = path != NULL ? fopen(path, "r") : NULL;
  if (file == NULL) return FALSE;
  const BOOL read = fgets(line, sizeof line, file) != NULL;
  fclose(file);
  if (!read) return FALSE;
  char* word = strtok(line, " \t\r\n");
  if (word == NULL || strcmp(word, "plugged") != 0) return FALSE;
  while ((word = strtok(NULL, " \t\r\n")) != NULL) {
    if (strncmp(word, "lx=", 3) == 0) pad->sThumbLX = (SHORT)atoi(word + 3);
    if (strncmp(word, "ly=", 3) == 0) pad->sThumbLY = (SHORT)atoi(word + 3);
    for (size_t i = 0; i < sizeof kButtons / sizeof kButtons[0]; ++i) {
      if (strcmp(word, kButtons[i].name) == 0) pad->wButtons |= kButtons[i].bit;
    }
  }
  return TRUE;
}

__declspec(dllexport) DWORD WINAPI XInputGetState(DWORD user, XINPUT_STATE* state) {
  if (user >= XUSER_MAX_COUNT || state == NULL) return ERROR_BAD_ARGUMENTS;
  ZeroMemory(state, sizeof *state);
  if (user != 0 || !ReadPad(&state->Gamepad)) return ERROR_DEVICE_NOT_CONNECTED;
  state->dwPacketNumber = ++packet;
  return ERROR_SUCCESS;
}

__declspec(dllexport) DWORD WINAPI XInputSetState(DWORD user, XINPUT_VIBRATION* vibration) {
  (void)vibration;
  return user == 0 ? ERROR_SUCCESS : ERROR_DEVICE_NOT_CONNECTED;
}
