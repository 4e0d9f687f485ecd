// The open modal dialogs, in order of creation, so that a quit request can end them all. GUI
// thread only.
#pragma once
#include <cstddef>

class CDialog;

// Appends a dialog (on its creation).
void RegisterOpenDialog(CDialog* dialog);
// Takes the dialog's own entry out (on its destruction), unless closing has begun; the storage
// is freed when the list becomes empty.
void UnregisterOpenDialog(CDialog* dialog);
// Sets closing for good, then ends every open dialog with -1, the most recent first.
void CloseOpenDialogs();
bool OpenDialogsClosing();
size_t OpenDialogCount();
