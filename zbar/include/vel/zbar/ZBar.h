// The ZBar binding: ZBar's types and constants and the helpers ZBar's interface defines.
#pragma once

#include "vel/zbar/ConfigParsing.h"
#include "vel/zbar/Enums.h"
#include "vel/zbar/ErrorForwards.h"
#include "vel/zbar/FourCC.h"
#include "vel/zbar/ScanRgb24.h"
#include "vel/zbar/Types.h"
