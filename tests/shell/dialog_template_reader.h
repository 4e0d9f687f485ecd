// Reads the extended dialog templates (DIALOGEX) of a module: the dialog's style and, per
// control, its id, window class and style. For checks over the resource libraries.
#pragma once
#include <windows.h>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TemplateControl {
  uint32_t id;
  std::wstring windowClass;  // "Button", "Edit", "Static", ... for the predefined ordinals
  DWORD style;
};

struct DialogTemplate {
  DWORD style;
  std::vector<TemplateControl> controls;
};

// The template of dialog id in module; nothing when it is missing or not an extended template.
std::optional<DialogTemplate> ReadDialogTemplate(HMODULE module, UINT id);
