// The fields of the Swivo settings lines: decimal numbers as wcstol with base 10 reads them
// (ReadDecimal, common/decimal_text.h), and 16-byte keys as 32 hexadecimal digits, "%02X" per byte.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/decimal_text.h"
#include "peers/lan_message.h"

// Key byte i from the hex pair at characters 2i and 2i + 1; a pair with a non-digit gives 0. False
// (and the key untouched) when the field has fewer than 32 characters.
bool ReadKeyField(std::wstring_view field, uint8_t key[kKmBlockSize]);

std::wstring KeyFieldText(const uint8_t key[kKmBlockSize]);

// The comma-separated fields of a line (one field when there is no comma).
std::vector<std::wstring> SplitLineFields(const std::wstring& line);
