#pragma once

// Blocks the calling (GUI) thread for ms milliseconds. Nothing else runs meanwhile: no timer
// fires and no input is handled, which is what the games' pacing relies on. What was drawn
// on a Form before is already on the screen.
void Sleep(int ms);

// Handles the events waiting in the queue (input, timers, queued paints) and returns.
void ProcessMessages();
