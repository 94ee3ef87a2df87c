/* explorer_start COMMAND LINE: starts a program as Explorer does, with no
 * console and no standard input, output or error, waits for it, and ends
 * with its exit status. Itself a windowed program, so that it has no console
 * the program could find. For the Windows tests. */
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR line, int show) {
  (void)instance, (void)previous, (void)show;
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessW(NULL, line, NULL, NULL, FALSE, DETACHED_PROCESS, NULL, NULL, &startup, &process)) return 127;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  return (int)status;
}
