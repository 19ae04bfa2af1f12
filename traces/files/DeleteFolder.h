// traces/files/DeleteFolder.h
// Emptying a folder tree however deep, the folder itself left in place, and the overwrite with zeros of an
// "index.dat" before it goes. Nothing outside the folder changes: a link goes as itself, a name that shares
// its data with another loses only itself.
#pragma once
#include "traces/EraseOutcome.h"

// 1 when the folder was opened and walked, else 0. skipSubfolder names a folder directly inside that stays
// (empty or null: none); "desktop.ini" files stay unless includeDesktopIni; "index.dat" files are zeroed
// from byte 64 first where overwriteIndexDat; names holding "Cookie:" stay where spareCookieNames. What
// could not be erased, and what was, is counted in outcome, which hears of every item.
int EraseFolderTree(LPCSTR folder, LPCSTR skipSubfolder, BOOL includeDesktopIni, BOOL overwriteIndexDat,
                    BOOL spareCookieNames, EraseOutcome& outcome);
// Zeroes fileName in folder from byte 64 to its end: 1 when every zero was written and flushed, else 0.
// A file whose data another name shares is not written.
int OverwriteIndexDat(LPCSTR folder, LPCSTR fileName);
