// traces/files/TempFolders.h
// The Windows temporary folder and the user's, as the temporary-files category finds them; empty when not found.
#pragma once
#include "framework/String.h"

// The Windows directory's "Temp"; skipped rather than cut short where the Windows directory does not fit
// its 100 characters, or the folder is missing.
CString WindowsTempFolder();
// GetTempPathA's folder without the backslash at its end; none where it has none or it does not fit.
CString UserTempFolder();
