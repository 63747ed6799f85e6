// Reading a picture file for a scan without ever blocking on what is not a file: a FIFO, a
// socket or a device given as a path is refused before anything is read from it.
#pragma once

#include <vel/host/PageReader.h>
#include <vel/host/Picture.h>

#include <memory>
#include <string>

namespace VelBatch {

// A picture file read for a scan, whose pages are loaded one after another in one pass over
// the file (see Host::TPageReader).
class TPictureFile {
public:
    // Reads the regular file at path. Throws std::runtime_error saying why (not naming the
    // file: the output names it) when it cannot be opened, is not a regular file, is empty or
    // is of no kind known.
    explicit TPictureFile(const std::string& path);

    // Loads the page into the picture. Throws std::runtime_error saying why when the file
    // holds no readable picture or no such page; a picture above the pixel limit also names
    // the option that raises it.
    void LoadPage(Host::TPicture& picture, const Host::TPageChoice& page);

    // True for a PDF, whose pages are drawn (and take more memory while drawn).
    bool DrawsPages() const { return FDrawsPages; }

private:
    bool FDrawsPages = false;
    std::unique_ptr<Host::TPageReader> FReader;
};

} // namespace VelBatch
