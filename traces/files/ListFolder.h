// traces/files/ListFolder.h
// Every file of a folder tree, however deep, as a row of path and last-write time, depth-first; a folder
// that could not be read whole as a row of its own, for what in it could not be seen.
#pragma once
#include "traces/RowSink.h"
#include <windows.h>

// folder without its trailing backslash; skipSubfolder names a folder directly inside that is left out
// ("" for none). Rows follow those already there, and repaint as they come.
void ListFolderTree(RowSink& rows, LPCSTR folder, LPCSTR skipSubfolder);
