// traces/files/TimeText.cpp
#include "TimeText.h"

CString FormatTimeText(const FILETIME& time)
{
    // No conversion to local time: the text shows what was stored.
    SYSTEMTIME fields;
    if (!::FileTimeToSystemTime(&time, &fields))
        return "????" "/??" "/?? ??:??:??";    // split so that no "??/" is read as a trigraph
    CString text;
    text.Format("%04d/%02d/%02d %02d:%02d:%02d",
                fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute, fields.wSecond);
    return text;
}
