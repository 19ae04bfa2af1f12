// view/Cursor.h
// Long walks show the wait cursor and end with the standard arrow, not with the cursor they found; either
// stays over the window while the command runs, however the mouse moves.
#pragma once
#include "framework/RunningCommand.h"

inline void ShowWaitCursor() { CRunningCommand::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); }
inline void ShowArrowCursor() { CRunningCommand::SetCursor(::LoadCursorA(nullptr, IDC_ARROW)); }
