// HKEY_CURRENT_USER of this process redirected to a scratch key that is
// deleted again, so that in-process tests and benchmarks never read or write
// the user's own settings, Run entry or shell folders.
#pragma once

bool RedirectCurrentUser();
void RestoreCurrentUser();
