// The link-status watcher: media connect and disconnect indications for the adapters of
// g_AdapterTable, kept in their link bytes.
#pragma once

// 0 when the watcher runs, -1 on any failure. COM must be initialised and the table filled.
int StartLinkDetection();

// At shutdown: cancels the subscriptions and releases the sink before the link lock goes.
void StopLinkDetection();
