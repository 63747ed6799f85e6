// The value reader alone: ReadBarcodes reads the barcodes of a picture file, a picture's bytes
// or gray pixels in one call; a TReader keeps its scanner and buffers between reads;
// TReadOptions choose the effort, ZBar's settings, the scan rectangle and the pages. Results
// are TBarcode values. ZBar is loaded on first use (Loader.h chooses the library; EVelError
// reports ZBar's side). <vel/TVel.h> gives the component, <vel/Vel.h> both.
#pragma once

#include "vel/Barcode.h"
#include "vel/Engines.h"
#include "vel/Geometry.h"
#include "vel/GrayView.h"
#include "vel/Loader.h"
#include "vel/Names.h"
#include "vel/ReadBarcodes.h"
#include "vel/ReadOptions.h"
#include "vel/Reader.h"
#include "vel/VelError.h"
