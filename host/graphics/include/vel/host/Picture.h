// A picture: holds one graphic of any kind, or none, and tells of every change to it.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/Graphic.h"
#include "vel/host/NotifyEvent.h"
#include "vel/host/Persistent.h"
#include "vel/host/String.h"

#include <filesystem>
#include <iosfwd>
#include <memory>

namespace Host {

class VEL_API TPicture : public TPersistent {
public:
    // A picture with no graphic.
    TPicture() = default;
    ~TPicture() override;

    // The graphic held (owned by the picture), or null. Changes made to it directly fire
    // the picture's OnChange too: the picture handles the graphic's own OnChange, which
    // callers leave as it is.
    TGraphic* Graphic() const noexcept { return FGraphic.get(); }
    // Holds a copy of graphic (null: none); the caller keeps graphic.
    void SetGraphic(const TGraphic* graphic);

    // The graphic's size, 0 without one.
    int Width() const;
    int Height() const;

    // From a picture: a copy of its graphic (none when it has none); the picture itself
    // too, which fires OnChange like any other assignment. From a graphic: a copy of it.
    // Null: no graphic. Other classes: EConvertError.
    void Assign(TPersistent* source) override;

    // Loads a file of any registered kind, told by its first bytes. On any error (see
    // TGraphic::LoadFromFile) the picture keeps its graphic and OnChange does not fire. The
    // path overloads hand the path's bytes to the file system as they are; a String name is
    // turned back into the bytes it came from (FromAnsi).
    void LoadFromFile(const String& fileName);
    void LoadFromFile(const char16_t* fileName) { LoadFromFile(String(fileName)); }
    void LoadFromFile(const std::filesystem::path& file);
    void LoadFromStream(std::istream& stream);
    // The same for one page of a file of many pages (TIFF, GIF, PDF; see
    // TGraphic::SelectPage): the graphic's PageCount() then tells how many the file holds. An
    // index past the last page raises EInvalidGraphic naming the page and the count.
    void LoadFromFile(const std::filesystem::path& file, const TPageChoice& page);
    void LoadFromStream(std::istream& stream, const TPageChoice& page);
    // Saves the graphic in its own format; EInvalidGraphic when there is none.
    void SaveToFile(const String& fileName) const;
    void SaveToFile(const char16_t* fileName) const { SaveToFile(String(fileName)); }
    void SaveToFile(const std::filesystem::path& file) const;
    void SaveToStream(std::ostream& stream) const;

    // Fired with the picture as the sender after every change of its graphic.
    const TNotifyEvent& OnChange() const noexcept { return FOnChange; }
    void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }

protected:
    // Copies the graphic into a graphic destination.
    void AssignTo(TPersistent* dest) override;

private:
    friend class TPageReader;

    void Hold(std::unique_ptr<TGraphic> graphic);
    void GraphicChanged(TObject* sender);
    const TGraphic& RequireGraphic() const;

    std::unique_ptr<TGraphic> FGraphic;
    TNotifyEvent FOnChange;
};

} // namespace Host
