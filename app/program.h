// The process-wide values of the running program and its start and end.
#pragma once
#include <windows.h>

#include "app/size_limits.h"

extern HINSTANCE ProgramInstance;
extern char ModulePath[PATH_BUFFER_SIZE];
// The quoted module path and the hidden-start switch.
constexpr int AUTOSTART_COMMAND_SIZE = PATH_BUFFER_SIZE + 8;
extern char AutostartCommand[AUTOSTART_COMMAND_SIZE];

// The start's command line, replaceable so that tests in a process of their
// own arguments start as a plain start does.
using CommandLineFunction = LPSTR(WINAPI*)();
extern CommandLineFunction CommandLineCall;

// Start-up up to the main loop. 0 when another instance runs (it has been
// shown), the single-instance mutex could not be made or the frame window
// could not be created: the process ends without writing the settings.
int StartProgram();

void RunMessageLoop();

// Ends COM and, after a normal run, writes the settings unless the end of the
// Windows session has written them already.
void EndProgram(int normalRun);

// The end of the Windows session: the process may not live to end its loop.
void WriteSettingsAtEnd();
