#pragma once

// A run without any window system (--headless, or --off-screen where there is
// no display): its context comes from EGL, start-up runs as in a window, and a
// plain loop turns the idle step, which draws each frame into the off-screen
// target, until the run ends the process. For main, after configureRun().
[[noreturn]] void runHeadless();
