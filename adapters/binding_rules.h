// The binding snapshot's text and the binding modes: which listed path a mode enables or disables,
// how a snapshot line looks and how a snapshot text splits into (component, path token) pairs.
// No windows.h: the native build checks them.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What a mode does with each listed path.
enum class BindingMode : int {
  kArpScan = 0,      // ms_tcpip enabled
  kRestore = 1,      // the usual protocols enabled again
  kProtocolOnly = 2, // qvxproto enabled, every other listed one disabled
  kPppoeOnly = 3,    // ms_pppoe enabled, every other listed one disabled
  kUnbind = 4,       // qvxproto disabled
};

enum class BindingAction { kLeave, kEnable, kDisable };

// The mode table; any mode outside 0 to 4 leaves every path alone.
BindingAction DecideBinding(int mode, bool xp, std::wstring_view componentId);

// Lower-cases A-Z only, as the path tokens and component ids are ASCII.
std::wstring LowerAscii(std::wstring_view text);

// A snapshot text is at most this many characters; a line at most this many.
constexpr size_t kBindingTextUnits = 2048;
constexpr size_t kBindingLineChars = 255;
// ApplyBindingText keeps at most this many pairs; further lines are dropped.
constexpr size_t kMaxBindingPairs = 32;

// "<component> <component>-><pnp id> <state>\n".
std::wstring BindingPathToken(std::wstring_view componentId, std::wstring_view pnpDevNodeId);
std::wstring BindingLine(std::wstring_view componentId, std::wstring_view pnpDevNodeId, bool enabled);
// Appends when the line fits the line buffer and the text stays below its 2048 units; false otherwise.
bool AppendBindingLine(std::wstring& text, const std::wstring& line);

struct BindingPair {
  std::wstring componentId;
  std::wstring token;
};
// Tokens split at blank, CR, LF and NUL; taken in threes (id, token, saved state), a trailing pair
// without its state dropped, at most kMaxBindingPairs kept.
std::vector<BindingPair> ParseBindingText(std::wstring_view text);
