#pragma once

// From here on, standard output leaves out the progress lines ("[INFO] ...",
// "[OK]" and empty lines), so that a benchmark's or a validation's own lines
// stand alone; error and warning lines, and everything else, pass.
void leaveOutProgressLines();
