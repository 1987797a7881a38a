// The add-on's main module: besides the four entry points (host/EntryPoints.h), the menu command
// handler and the project-event handler. Both catch every exception and answer 0.
//
// The project-event handler is installed by the palette's constructor (mask 0xFF) and removed by
// event 2. It stores the detail levels before the project is stored (events 8 and 128), throws
// away the census and the palette when the project closes (32) and brings a palette that was open
// then back with the next project (1 and 4). Host main thread only.
#pragma once

#include "api/APIdefs.h"

GSErrCode CommandHandler (const API_MenuParams* params);
GSErrCode NotificationHandler (API_NotifyEventID event, Int32 param);

// Project events the handler acts on, by bit value.
namespace TesseraEvent {
constexpr API_NotifyEventID NewProject = 1;
constexpr API_NotifyEventID StopEvents = 2;
constexpr API_NotifyEventID OpenedProject = 4;
constexpr API_NotifyEventID BeforeSave = 8;
constexpr API_NotifyEventID Closing = 32;
constexpr API_NotifyEventID BeforeSaveAs = 128;
}   // namespace TesseraEvent
