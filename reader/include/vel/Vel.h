// The component unit and the value reader, everything the library gives: the ZBar loader and
// its entry-point table, the enumerations and name functions, the image and image scanner
// wrappers, the ZBar binding, and the component TVel with the symbols its scans find and the
// barcodes it found as values (<vel/TVel.h>); ReadBarcodes, which reads the barcodes of a
// picture in one call, and the reader with its effort levels (<vel/VelReader.h>).
#pragma once

#include "vel/Barcode.h"
#include "vel/Engines.h"
#include "vel/Enumerations.h"
#include "vel/Geometry.h"
#include "vel/GrayView.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/Loader.h"
#include "vel/Names.h"
#include "vel/ReadBarcodes.h"
#include "vel/ReadOptions.h"
#include "vel/Reader.h"
#include "vel/TVel.h"
#include "vel/VelError.h"
#include "vel/VelReader.h"
#include "vel/VelSymbol.h"
#include "vel/ZBarEntries.h"
#include "vel/zbar/ZBar.h"
