#pragma once
// Whether the program has been told to end (SIGTERM, SIGHUP, SIGINT). Waits
// on the UI thread that run no event loop (preroll, a locked file) look at
// it and give up, so the program ends within a second whatever it does.

// Async-signal-safe: the signal handler calls it.
void NoteTerminationRequested() noexcept;
bool TerminationRequested() noexcept;
// Tests only: the program never takes a request back.
void ClearTerminationRequest() noexcept;
