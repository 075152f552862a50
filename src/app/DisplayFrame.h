#pragma once

// The display callback: draws one frame in the fixed pass order and swaps.
void displayFrame();
