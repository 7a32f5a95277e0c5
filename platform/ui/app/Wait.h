// Waiting while the program stays responsive.
#pragma once

// Waits ms milliseconds on the clock; input, posted messages and timers that arrive
// meanwhile are handled at once (nested inside the caller). Returns at the deadline, or
// later when the handling itself ran past it; ms <= 0 returns at once and handles nothing.
// Once the program is ending (Application->Terminate: the main window closed, the user
// chose to quit), before or during the wait, raises EAbort instead of returning, so that
// the work that waits ends and the message loop can close the program.
void WaitProcessingMessages(int ms);

// Handles what is pending (Application->ProcessMessages) for work that waits, for example
// for a web answer; raises EAbort like WaitProcessingMessages once the program is ending.
void ProcessMessagesWhileWaiting();
