#include <windows.h>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const int normalRun = StartProgram();
  if (normalRun) RunMessageLoop();
  EndProgram(normalRun);
  ExitProcess(0);
}
