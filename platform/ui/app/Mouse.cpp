#include "platform/ui/app/Mouse.h"

TMouse Mouse;
