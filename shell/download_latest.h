// The download of the update files "upgrade.txt" and "relnote.txt" from the maker's web host
// ("LatestVer\<name>") into the program folder.
#pragma once
#include <windows.h>

// True when the file came with status 200, whole, and now lies in the program folder under its
// own name. The response goes to a temporary file first, which takes the name only once every
// byte is written, so a broken transfer never leaves a part of a file behind as if it were the
// whole. Any other status, a network error or a file that cannot be written give false; status
// is 0 when no response came.
bool DownloadLatestVerFile(const wchar_t* fileName, DWORD& status);
