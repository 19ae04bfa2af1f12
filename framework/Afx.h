// framework/Afx.h
// The whole application layer in one include.
#pragma once
#include "AfxRes.h"
#include "String.h"
#include "Object.h"
#include "CmdTarget.h"
#include "Wnd.h"
#include "WinApp.h"
#include "Document.h"
#include "FrameWnd.h"
#include "View.h"
#include "ControlBar.h"
#include "Gdi.h"
