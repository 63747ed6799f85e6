# Third-party libraries, all from Debian packages (scripts/setup.sh installs them).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

# The picture libraries the host's codecs read with. VEL_PC_CODEC_MODULES and
# VEL_PC_CODEC_LIBS name them for a static install's pkg-config file.
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(JPEG REQUIRED IMPORTED_TARGET libjpeg)
pkg_check_modules(WEBP REQUIRED IMPORTED_TARGET libwebp)
pkg_check_modules(TIFF REQUIRED IMPORTED_TARGET libtiff-4)
find_path(GIF_INCLUDE_DIR gif_lib.h REQUIRED)
find_library(GIF_LIBRARY gif REQUIRED)
set(VEL_PC_CODEC_MODULES libpng libjpeg libwebp libtiff-4)
set(VEL_PC_CODEC_LIBS -lgif)

# PDF pages are drawn with poppler, the largest of the picture libraries; a build without it
# (VEL_WITH_PDF=OFF) refuses a PDF document, naming the file and the support left out.
option(VEL_WITH_PDF "Draw PDF pages with poppler" ON)
if(VEL_WITH_PDF)
    pkg_check_modules(POPPLER REQUIRED IMPORTED_TARGET poppler-cpp)
    list(APPEND VEL_PC_CODEC_MODULES poppler-cpp)
endif()
message(STATUS "PDF pages (poppler): ${VEL_WITH_PDF}")

# zxing-cpp, the reader's second engine (a C++ interface only, so linked, not loaded at run
# time). AUTO builds it in where it is installed, ON requires it, OFF leaves it out; without
# it the reader reads with ZBar alone.
set(VEL_WITH_ZXING AUTO CACHE STRING "Build the reader's second engine over zxing-cpp: AUTO, ON or OFF")
set_property(CACHE VEL_WITH_ZXING PROPERTY STRINGS AUTO ON OFF)
set(VEL_HAVE_ZXING OFF)
if(VEL_WITH_ZXING STREQUAL "ON")
    find_package(ZXing 1.4 REQUIRED)
    set(VEL_HAVE_ZXING ON)
elseif(VEL_WITH_ZXING STREQUAL "AUTO")
    find_package(ZXing 1.4 QUIET)
    set(VEL_HAVE_ZXING ${ZXing_FOUND})
elseif(NOT VEL_WITH_ZXING STREQUAL "OFF")
    message(FATAL_ERROR "VEL_WITH_ZXING is '${VEL_WITH_ZXING}'; give AUTO, ON or OFF")
endif()
message(STATUS "Second engine (zxing-cpp): ${VEL_HAVE_ZXING}")

# Qt 6 for the Qt integration and velview: VEL_WITH_QT AUTO builds them when Qt is found, ON
# requires it, OFF leaves them out. VEL_QT tells the folders whether they are built.
set(VEL_QT_COMPONENTS Core Gui Widgets Concurrent Test)
if(VEL_WITH_QT STREQUAL "AUTO")
    find_package(Qt6 6.2 QUIET COMPONENTS ${VEL_QT_COMPONENTS})
    set(VEL_QT ${Qt6_FOUND})
elseif(VEL_WITH_QT)
    find_package(Qt6 6.2 REQUIRED COMPONENTS ${VEL_QT_COMPONENTS})
    set(VEL_QT TRUE)
else()
    set(VEL_QT FALSE)
endif()
if(VEL_QT)
    message(STATUS "Qt ${Qt6_VERSION}: building velqt and velview")
else()
    message(STATUS "Qt 6 not used: no velqt, no velview (VEL_WITH_QT=${VEL_WITH_QT})")
endif()
