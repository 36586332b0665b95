#pragma once
// The user-interface thread's message loop.

// Dispatches every waiting message except WM_QUIT, which stays queued.
void pump_waiting_messages();

// Runs until WM_QUIT; returns at once when no program window is left.
void run_message_loop();
