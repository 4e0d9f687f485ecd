// What the scan responder reads from the settings folder when it starts: the ports, the private
// address, the physical adapter, its MAC text and whether responses start switched on.
#pragma once
#include <cstdint>
#include <string>

// Ends `path` at the count-th backslash from its end (the backslash becomes the terminator); the
// first character is never looked at, and a path with fewer backslashes stays whole.
void TruncatePathAtBackslash(wchar_t* path, int count);

// The service program's own path cut three levels up: the interactive program's folder when
// installed as "<folder>\Service\64\Echoward.exe".
std::wstring ServiceSettingsFolder();

struct ResponderSettings {
  static constexpr uint32_t kDefaultScanPort = 33333;
  static constexpr uint32_t kDefaultKmPort = 33334;

  uint32_t scanPort = kDefaultScanPort;
  uint32_t kmPort = kDefaultKmPort;
  uint8_t privateIp[4] = {192, 168, 200, 100};
  std::wstring adapterGuid;  // up to 63 characters
  std::wstring adapterName;  // up to 127 characters
};

// "PortNumDef.txt": line 1 only, exactly two comma-separated numbers; anything else leaves both.
void ReadPortSettings(const std::wstring& path, uint32_t* scanPort, uint32_t* kmPort);
// "PrivateIp.txt": the value line as four dotted numbers (low 8 bits each); anything else leaves it.
void ReadPrivateIp(const std::wstring& path, uint8_t address[4]);
// "DrvInstPhyNic.txt": lines 2 and 3, each kept only when not empty. Longer names are cut to their room.
void ReadPhysicalAdapter(const std::wstring& path, std::wstring* guid, std::wstring* name);
// "PhysicalMacAddr.txt": the value line, or "000000000000" when missing or empty; cut to 25 characters.
std::wstring ReadMacText(const std::wstring& path);
// "EchowardSetting.txt": the trimmed value line is exactly "ENABLED".
bool ReadResponsesEnabled(const std::wstring& path);

// All but EchowardSetting.txt, which the responder's thread reads itself.
ResponderSettings LoadResponderSettings(const std::wstring& folder);

// Four dotted decimal numbers, low 8 bits each; false (address untouched) for any other shape.
bool ParseDottedAddress(const std::wstring& text, uint8_t address[4]);
