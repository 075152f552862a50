#pragma once

// Asks the driver to report every OpenGL error through its debug output
// (KHR_debug): one "[ERROR] OpenGL: <message>" line per error on standard
// error. Needs a current context and an initialised GLEW; false when the
// driver offers no debug output.
bool reportGlErrors();
