// Waiting while the program stays responsive.
#pragma once

// Waits ms milliseconds on the clock; input, posted messages and timers that arrive
// meanwhile are handled at once (nested inside the caller). Returns at the deadline, or
// later when the handling itself ran past it; ms <= 0 returns at once and handles nothing.
void WaitProcessingMessages(int ms);
