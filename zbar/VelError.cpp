#include "vel/VelError.h"
