// UTF-8 row texts of the monitor's cores as the UTF-16 the windows show.
#pragma once
#include <string>

std::wstring WideText(const std::string& utf8);
