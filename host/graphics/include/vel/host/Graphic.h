// The abstract picture: a size, loading and saving in its own file format, and a change
// event fired after every change of its content.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/NotifyEvent.h"
#include "vel/host/Persistent.h"
#include "vel/host/String.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace Host {

// The most pages (TIFF directories, GIF frames, PDF pages) a file may hold: one with more is
// refused before any page is read.
inline constexpr int MaxPicturePages = 10000;

// The bytes of a picture file held in memory, shared by the graphics read from it.
using TFileBytes = std::shared_ptr<const std::string>;

// The decoder of a file of many pages left open between the pages read from it (each kind's
// own; see TPageReader).
class TPageCursor;

// Which page of a file of many pages a graphic loads, chosen before the load.
struct TPageChoice {
    int Index = 0;        // counting from 0
    int Resolution = 300; // dots per inch, for the kinds drawn from vectors (PDF)
};

// A picture whose data ended early: RowsRead rows from the top came from the file, the rest
// are white. A progressive JPEG cut short within its scans has every row, drawn coarser from
// the scans that arrived (ScansMissing).
struct TIncomplete {
    int RowsRead = 0;
    int RowsTotal = 0;
    bool ScansMissing = false;
};

class VEL_API TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // True when the graphic has no pixels.
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    // Resizes the graphic; width and height 0 make it empty.
    virtual void SetSize(int width, int height) = 0;

    // Reads the file in this graphic's format. EFOpenError when the file cannot be opened,
    // EInvalidGraphic naming the file when its content cannot be read; either way the
    // graphic keeps its previous content.
    void LoadFromFile(const String& fileName);
    // Reads the graphic from the stream's current position; EInvalidGraphic on bad data.
    virtual void LoadFromStream(std::istream& stream) = 0;
    // Writes the file in this graphic's format; EFCreateError when it cannot be written,
    // EInvalidGraphic when the graphic cannot be saved (an empty one).
    void SaveToFile(const String& fileName) const;
    virtual void SaveToStream(std::ostream& stream) const = 0;

    // The pages of the file the graphic was read from (known after a load): the number of
    // TIFF directories, GIF frames or PDF pages, 1 for the kinds of one page.
    virtual int PageCount() const { return 1; }
    // The page the graphic holds, counting from 0.
    virtual int PageIndex() const { return 0; }
    // Chooses the page the next load reads. An index past the file's last page makes that
    // load raise EInvalidGraphic naming the page and the count. Kinds of one page refuse an
    // index other than 0 at once with EInvalidGraphic; a negative index or a resolution
    // below 1 raise it too.
    virtual void SelectPage(const TPageChoice& choice);
    // Set when the file ended early but its first rows could be read (a JPEG cut short).
    virtual std::optional<TIncomplete> Incomplete() const { return std::nullopt; }

    // A new graphic of the same class holding a copy of this one (no change handler).
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    const TNotifyEvent& OnChange() const noexcept { return FOnChange; }
    void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }

    // Tells the change handler that the pixels were changed directly, through the rows
    // handed out by the graphic.
    void MarkModified() { Changed(); }

protected:
    TGraphic() = default;
    // A copy starts without a change handler, as Clone promises, and keeps the file bytes;
    // each class's own copy constructor copies the rest member by member.
    TGraphic(const TGraphic& other) : TPersistent(), FFileBytes(other.FFileBytes) {}

    // Reads the chosen page from the file's bytes. A kind of many pages keeps its decoder in
    // cursor, open on those bytes, so that the next page continues where this one ended; the
    // others read the bytes as a stream and leave cursor alone.
    virtual void LoadPage(const TFileBytes& file, std::shared_ptr<TPageCursor>& cursor);

    // Fires OnChange with this graphic as the sender, and forgets the file bytes.
    void Changed();

    // The bytes of the file the graphic was read from, kept while its pixels stay as read:
    // saving writes them back unchanged, so that saving a form again never re-encodes (and
    // slowly degrades) a stored JPEG. Every change of the pixels forgets them.
    void KeepFileBytes(std::string bytes);
    void KeepFileBytes(TFileBytes bytes) { FFileBytes = std::move(bytes); }
    void ForgetFileBytes() noexcept { FFileBytes.reset(); }
    // Writes the kept bytes, if any (EWriteError when the stream fails); false without them.
    bool WriteFileBytes(std::ostream& stream) const;

private:
    friend class TPageReader;

    TNotifyEvent FOnChange;
    TFileBytes FFileBytes;
};

// The base that writes Clone() for a graphic class TDerived built on TBase (TGraphic or one of
// its classes): a new TDerived made by its copy constructor, so that each class's pixels and
// settings are copied and its change handler is left behind.
template <class TDerived, class TBase> class VEL_API TCloneableGraphic : public TBase {
public:
    std::unique_ptr<TGraphic> Clone() const override {
        return std::make_unique<TDerived>(static_cast<const TDerived&>(*this));
    }
};

} // namespace Host
