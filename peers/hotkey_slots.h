// The pairing dialog's rules for the two hotkey slots: which a new pairing may take, which one
// already holds a peer, and which slot a combo entry names.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "peers/km_settings.h"

// The slots a new pairing may take (those not enabled), slot 0 first.
std::vector<int> FreeHotkeySlots(const KmSettingsRecord& record);
// The enabled slot that holds the peer, or -1.
int PairedHotkeySlot(const KmSettingsRecord& record, uint8_t octet3, uint8_t octet4);
// The slot index of a combo entry's text ("1" or "2"); -1 for any other text (an empty combo).
int SlotOfComboText(const std::wstring& text);
