#pragma once
// SIGINT and SIGTERM as a request to end: a program that waits for input
// watches QuitSignalFd() and ends its loop in order when it becomes
// readable. The handler serves one signal only: a second SIGINT or SIGTERM
// ends the program at once, as it would without a handler, so a program
// that does not get back to its loop can still be stopped.

// Installs the handlers (once per process) and returns a descriptor that
// becomes readable when one of the signals arrives.
int QuitSignalFd();

// Whether a signal arrived since the last call; empties the descriptor.
bool TakeQuitSignal();
