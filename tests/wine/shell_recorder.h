// A stand-in for the browser and the mail program: open_recorder.exe, next to
// the test exe, registered as what opens https, http and mailto addresses. It
// writes the real HKEY_CURRENT_USER, so it works only inside the project's
// private Wine prefix, and must be registered before a test redirects
// HKEY_CURRENT_USER: the shell looks protocols up in the real one.
#pragma once
#include <string>
#include <vector>

// False outside the private prefix or when the keys could not be written.
bool RegisterShellRecorder();
void UnregisterShellRecorder();

// What the recorder received: for each open, its command line after the
// registered command's own part (the quoted recorder path and a space), i.e.
// the address as the shell handed it on. Registered as "recorder" "%1".
std::vector<std::string> RecordedOpens();
// Waits until at least count opens are recorded; returns them all.
std::vector<std::string> WaitForRecordedOpens(size_t count, unsigned timeoutMs = 5000);
void ClearRecordedOpens();
