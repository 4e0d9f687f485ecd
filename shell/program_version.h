// The program's version text, as the Version page shows it and compares it with the newest one.
#pragma once

inline constexpr wchar_t kProgramVersionText[] = L"3.0";
