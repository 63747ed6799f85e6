// The component unit: the ZBar loader and its entry-point table, the enumerations and name
// functions, the image and image scanner wrappers, the ZBar binding, and the component TVel
// with the symbols its scans find; the reader with its effort levels.
#pragma once

#include "vel/Enumerations.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/Loader.h"
#include "vel/Names.h"
#include "vel/Reader.h"
#include "vel/TVel.h"
#include "vel/VelError.h"
#include "vel/VelSymbol.h"
#include "vel/ZBarEntries.h"
#include "vel/zbar/ZBar.h"
