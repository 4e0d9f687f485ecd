// SendInput of scan-code keys where the platform does not map scan codes itself: Wine types
// nothing for a keyboard input with KEYEVENTF_SCANCODE and virtual key 0. There this fill-in also
// sets the virtual key from MapVirtualKeyW; where the plain call works, inputs go as they are.
#pragma once
#include <windows.h>

// True when scan-code inputs with virtual key 0 are known to type nothing here (Wine).
bool ScanCodeInputNeedsVirtualKey();

// Sets wVk of a KEYEVENTF_SCANCODE keyboard input whose wVk is 0 (extended keys from 0xE0xx).
void FillVirtualKeyFromScanCode(INPUT* input);

// SendInput of one input, with the fill-in applied when the platform needs it.
UINT SendScanCodeAwareInput(const INPUT& input);
