#pragma once

// True when `name` stands as a whole word in `list`, an extension string of
// GLX or EGL (names separated by spaces); false for a null list.
bool listsExtension(const char* list, const char* name);
