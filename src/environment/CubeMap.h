#pragma once

class Environment;

// Builds one cube-map texture from the six faces cubeMapDirectory + "posx." + imageExtension,
// negx, posy, negy, posz, negz, into environment.cubeMapTexture and leaves it bound. Every
// failure is reported and the remaining faces are still attempted.
void loadCubeMap(Environment& environment);
