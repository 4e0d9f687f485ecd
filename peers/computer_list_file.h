// "WolCompList.txt" in the program folder: the saved ComputerList (common settings-file format).
#pragma once
#include <string>

#include "peers/computer_list.h"

// Clears the hosts (not the subnet), then reads the file: the subnet by the reading habit of the
// settings files (line 1, then line 2 over it, as a number), the hosts from line 3 on. A missing
// file leaves the list empty with its subnet.
void LoadComputerList(const std::wstring& folder, ComputerList* list);
// Creates or empties the file and writes the list; false when it could not be written.
bool SaveComputerList(const std::wstring& folder, const ComputerList& list);
