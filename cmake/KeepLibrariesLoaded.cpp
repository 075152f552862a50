// Compiled into every executable of a sanitized build. LeakSanitizer looks for
// leaks after the exit handlers, and by then freeglut has closed its display and
// Mesa has unloaded the OpenGL driver: the driver's blocks would be reported in
// "<unknown module>", which no suppression can name. Keeping every library
// loaded until the process ends keeps their names in the reports.
extern "C" int dlclose(void*) { return 0; }
