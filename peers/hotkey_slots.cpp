#include "peers/hotkey_slots.h"

std::vector<int> FreeHotkeySlots(const KmSettingsRecord& record) {
  std::vector<int> slots;
  for (int slot = 0; slot < KmSettingsRecord::kSlots; ++slot) {
    if (!record.enabled[slot]) slots.push_back(slot);
  }
  return slots;
}

int PairedHotkeySlot(const KmSettingsRecord& record, uint8_t octet3, uint8_t octet4) {
  for (int slot = 0; slot < KmSettingsRecord::kSlots; ++slot) {
    if (record.enabled[slot] && record.octet3[slot] == octet3 && record.octet4[slot] == octet4) return slot;
  }
  return -1;
}

int SlotOfComboText(const std::wstring& text) {
  if (text == L"1") return 0;
  if (text == L"2") return 1;
  return -1;
}
