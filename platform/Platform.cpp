#include "platform/Platform.h"

Platform* gPlatform = nullptr;
