// The component in Qt programs (library velqt, target Vel::velqt): QImages read in place or
// through the component's gray conversion, barcodes as Qt values, pictures of the host as
// QImages, and reading on a worker thread with a signal per result.
#pragma once

#include "vel/qt/BackgroundReader.h"
#include "vel/qt/ImageReading.h"
#include "vel/qt/PageImage.h"
#include "vel/qt/QtBarcode.h"
