#include "app/StartUp.h"

void startUp() {}
