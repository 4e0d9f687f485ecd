// The entries of each zone of the text table, defined in the lang_texts_*.cpp files by area.
#pragma once
#include "shell/lang_text.h"

extern const LangTextEntry kDriverPageTexts[];          // zone 0
extern const LangTextEntry kMainDialogTexts[];          // zone 1
extern const LangTextEntry kSwivoPageTexts[];           // zone 2
extern const LangTextEntry kAddressDialogTexts[];       // zone 3
extern const LangTextEntry kHelpPageTexts[];            // zone 4
extern const LangTextEntry kWizardEnvironmentTexts[];   // zone 5
extern const LangTextEntry kWizardAdapterTexts[];       // zone 6
extern const LangTextEntry kRoutingVersionTexts[];      // zone 7
extern const LangTextEntry kMyNetworkTexts[];           // zone 8
extern const LangTextEntry kInstallStepTexts[];         // zone 9
extern const LangTextEntry kRemoteComputerTexts[];      // zone 10
extern const LangTextEntry kSwivoNoticeTexts[];         // zone 11
