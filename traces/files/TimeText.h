// traces/files/TimeText.h
// The one way a time is written: "YYYY/MM/DD hh:mm:ss" in UTC, as the file system and the URL cache keep it.
#pragma once
#include "framework/String.h"

// A time the calendar cannot hold (beyond year 30827) is written as question marks of the same shape.
CString FormatTimeText(const FILETIME& time);
