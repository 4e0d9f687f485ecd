// The link-status watcher: media connect and disconnect indications for the adapters of
// g_AdapterTable, kept in their link bytes.
#pragma once

struct IWbemServices;
class CNdisSink;

// 0 when the watcher runs, -1 on any failure. COM must be initialised and the table filled.
// Where WMI has no NDIS media classes (Wine), the link bytes follow the Linux carrier state instead.
int StartLinkDetection();

// At shutdown, before COM is released: cancels the subscriptions, stops the carrier thread and
// releases the sink before the link lock goes. Safe to call when the watcher never started.
void StopLinkDetection();

// Sets the link byte of every adapter that WMI reports connected; 0, or -1 when the query cannot
// be made.
int QueryMediaConnectStatus(IWbemServices* services);

// The media state now, then both event subscriptions with the sink; 0, or -1 when either
// subscription failed (both are attempted).
int SubscribeMediaEvents(CNdisSink* sink, IWbemServices* services);

// True while the watcher runs.
bool LinkDetectionRunning();
