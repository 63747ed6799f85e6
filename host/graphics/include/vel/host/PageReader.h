// Reading the pages of one picture file in one pass.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/Graphic.h"
#include "vel/host/Picture.h"

#include <filesystem>
#include <iosfwd>
#include <memory>

namespace Host {

// A picture file read once into memory, whose pages are then loaded one after another. A file
// of many pages (TIFF, GIF, PDF) keeps its decoder open between pages: a TIFF's directory
// chain and a GIF's frames are walked once for the whole file, a PDF is parsed once. Reading
// every page in rising order thus costs one pass over the file; a page before the last one
// read starts again from the file's beginning.
class VEL_API TPageReader {
public:
    // Reads the rest of the stream. EInvalidGraphic when it is empty, larger than any
    // picture within the pixel limit can be, or of no kind known.
    explicit TPageReader(std::istream& stream);
    // Reads the file; errors as TPicture::LoadFromFile gives them, naming the file, for the
    // file and for each page loaded later.
    explicit TPageReader(const std::filesystem::path& file);
    ~TPageReader();
    TPageReader(const TPageReader&) = delete;
    TPageReader& operator=(const TPageReader&) = delete;

    // Loads the page into the picture, as TPicture::LoadFromStream(stream, page) does (the
    // graphic's PageCount() tells how many pages the file holds); on an error the picture
    // keeps its graphic.
    void LoadPage(TPicture& picture, const TPageChoice& page);

private:
    void Load(TPicture& picture, const TPageChoice& page);

    TFileBytes FFile;
    std::shared_ptr<TPageCursor> FCursor;
    std::filesystem::path FName; // empty for a stream
};

} // namespace Host
