// The component unit: the ZBar loader and its entry-point table, the enumerations and name
// functions, the image and image scanner wrappers, and the ZBar binding.
#pragma once

#include "vel/Enumerations.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/Loader.h"
#include "vel/Names.h"
#include "vel/VelError.h"
#include "vel/ZBarEntries.h"
#include "vel/zbar/ZBar.h"
