// view/Cursor.h
// Long walks show the wait cursor and end with the standard arrow, not with the cursor they found.
#pragma once
#include <windows.h>

inline void ShowWaitCursor() { ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); }
inline void ShowArrowCursor() { ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW)); }
