#pragma once

// Event dispatch for the thread of the main window. Key presses meant for the main window or
// any of its controls go through the window's key handling first: Esc closes the window, Tab
// and Shift+Tab move the focus, F1 does nothing; everything else reaches its control.
namespace pagelink {

// Waits for and dispatches events until the quit request; returns its exit code.
int RunMessageLoop();

// Dispatches what is pending, the events that arrive meanwhile included, and returns as soon
// as nothing is pending or the quit request is next, which stays pending. Never waits.
void DispatchPendingMessages();

}  // namespace pagelink
