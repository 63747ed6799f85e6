# Third-party libraries, all from Debian packages (scripts/setup.sh installs them).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

# The picture libraries the host's codecs read with.
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(JPEG REQUIRED IMPORTED_TARGET libjpeg)
pkg_check_modules(WEBP REQUIRED IMPORTED_TARGET libwebp)
pkg_check_modules(TIFF REQUIRED IMPORTED_TARGET libtiff-4)
find_path(GIF_INCLUDE_DIR gif_lib.h REQUIRED)
find_library(GIF_LIBRARY gif REQUIRED)
pkg_check_modules(POPPLER REQUIRED IMPORTED_TARGET poppler-cpp)
