// The zones of the text table, in zone order.
#include "shell/lang_text_zones.h"

const LangTextZone LangTextTable[] = {
    {0, kDriverPageTexts},
    {1, kMainDialogTexts},
    {2, kSwivoPageTexts},
    {3, kAddressDialogTexts},
    {4, kHelpPageTexts},
    {5, kWizardEnvironmentTexts},
    {6, kWizardAdapterTexts},
    {7, kRoutingVersionTexts},
    {8, kMyNetworkTexts},
    {9, kInstallStepTexts},
    {10, kRemoteComputerTexts},
    {11, kSwivoNoticeTexts},
    {-1, nullptr},
};
