#include "PrintSurface.h"
