#pragma once

// Returns when the runtime reports no error; otherwise prints the situation, the
// error text (and the compiler listing) and ends the process with status 1.
void checkCgError(const char* situation);
