// The inputs a controlled computer replays for a KmKey or KmMouse, and the key-ups that release
// the modifiers (the peer's release-all, the controller's own return to local). Built as INPUT
// records first, so the tables can be read without typing anything, then sent one per call.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// A key press or release (action 0 or 1; any action but 1 presses) or, for action 2, the eight
// releases of left and right Ctrl and Alt, both Shift keys and both Windows keys. Bit 0 of
// `keyFlags` is the extended-key flag.
std::vector<INPUT> KmKeyInputs(uint8_t action, uint16_t scanCode, uint8_t keyFlags);
// One mouse input; an unknown kind gives an input without flags.
INPUT KmMouseInput(uint16_t kind, int32_t dx, int32_t dy);
// The controller's return to local: key-ups of Ctrl, Alt, both Shift keys and both Windows keys.
std::vector<INPUT> KmLocalModifierReleaseInputs();

// SendInput, one input per call (through the platform's scan-code fill-in).
void SendKmInputs(const std::vector<INPUT>& inputs);
