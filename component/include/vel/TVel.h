// TVel: the non-visual barcode component. An application activates it, gives it a picture,
// calls Scan and reads the barcodes found:
//   Vel::TVel vel;
//   vel.SetActive(true);                         // loads ZBar, creates the scanner
//   vel.Picture()->LoadFromFile("label.png");
//   vel.Scan();
//   for (const Vel::TBarcode& barcode : vel.Barcodes()) ...
// One component is used by one thread at a time; components on different threads may be
// activated and scan at once (vel/Loader.h).
// This header gives the whole component: the ZBar loader and its entry-point table, the
// enumerations and name functions, the wrappers TVelImage, TVelImageScanner and TVelSymbol,
// EVelError and TVel. <vel/VelReader.h> gives the value reader, <vel/Vel.h> both.
#pragma once

#include "vel/Barcode.h"
#include "vel/Enumerations.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/Loader.h"
#include "vel/Names.h"
#include "vel/VelError.h"
#include "vel/VelSymbol.h"
#include "vel/ZBarEntries.h"
#include "vel/host/Component.h"
#include "vel/host/Export.h"
#include "vel/host/NotifyEvent.h"
#include "vel/host/Picture.h"
#include "vel/host/String.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Vel {

class VEL_API TVel : public Host::TComponent {
public:
    // An inactive component with an empty picture, the scan rectangle 0, 0, 0, 0 (the whole
    // picture) and no handler.
    explicit TVel(Host::TComponent* AOwner = nullptr);
    // Deactivates the component, then frees its picture. ZBar stays loaded.
    ~TVel() override;

    // "Version 4.5, " and the maker's notice. Writing it changes nothing.
    Host::String About() const;
    void SetAbout(const Host::String& value);

    // In a running application: whether the component holds an image scanner. Setting it
    // true loads ZBar and creates the scanner; false frees the scanner and the results.
    // While a stored form is read the value is only recorded, and Loaded applies it. In the
    // designer it is a stored flag and nothing more.
    bool Active() const;
    void SetActive(bool value);

    // The component's own picture. SetPicture copies the given picture's graphic into it
    // (null empties it); the caller keeps its picture. Any change discards the results.
    Host::TPicture* Picture() const noexcept { return FPicture.get(); }
    void SetPicture(Host::TPicture* value);

    // The scan rectangle in picture pixels; a width or height of 0 reaches the picture's
    // edge. A negative value is stored as 0; a value different from the stored one
    // discards the results.
    int ScanLeft() const noexcept { return FScanLeft; }
    void SetScanLeft(int value);
    int ScanHeight() const noexcept { return FScanHeight; }
    void SetScanHeight(int value);
    int ScanTop() const noexcept { return FScanTop; }
    void SetScanTop(int value);
    int ScanWidth() const noexcept { return FScanWidth; }
    void SetScanWidth(int value);

    // Called by Scan, with the component as the sender, once barcodes have been found. Any
    // callable taking the sender will do: vel.SetOnBarcodeDetected([](Host::TObject*) {...}).
    const Host::TNotifyEvent& OnBarcodeDetected() const noexcept { return FOnBarcodeDetected; }
    void SetOnBarcodeDetected(Host::TNotifyEvent handler);

    // The scanner, null while inactive. Owned by the component.
    TVelImageScanner* ImageScanner() const noexcept { return FImageScanner.get(); }
    // The image of the last scan, or null. Owned by the component; valid until the next
    // discard of the results.
    TVelImage* Image() const noexcept { return FImage.get(); }
    // The barcodes of the last scan, in ZBar's order. Each is owned by the component and
    // valid until the next discard of the results. Barcode raises "Incorrect index" for an
    // index outside 0 to BarcodeCount() - 1.
    int BarcodeCount() const noexcept { return static_cast<int>(FBarcodes.size()); }
    TVelSymbol* Barcode(int index) const;
    // The barcodes of the last scan as values, in ZBar's order: copies that stay as they are
    // when the results are discarded, the component is destroyed or ZBar is unloaded.
    std::vector<TBarcode> Barcodes() const;

    // Changes one setting of the scanner; the setting is lost on deactivation. Raises when
    // ZBar refuses the setting, and on an inactive component (see Scan); does nothing in the
    // designer.
    void Configure(TVelSymbology symbology, TVelSymbologyAddon addon, TVelConfig config, int value);

    // Discards the last results, then finds the barcodes in the scan rectangle of the
    // picture and fires OnBarcodeDetected when there are any. On an inactive component it
    // raises EVelError "Cannot perform this operation on an inactive <Name> component": call
    // SetActive(true) first (a component starts inactive).
    void Scan();

    // Applies the stored Active once the stored form has been read.
    void Loaded() override;

private:
    void CheckActive() const;
    void PictureChanged(Host::TObject* sender);
    void SetScanValue(int& field, int value);
    void DiscardResults();
    void FreeBarcodes();
    void ReleasePictureData();
    std::vector<std::uint8_t> GetPictureData(int& width, int& height) const;
    void WrapSymbols(int count);

    // Declared so that default destruction releases in the discard order: image, scanner,
    // gray bytes, barcodes, and the picture last.
    bool FActive = false;
    std::unique_ptr<Host::TPicture> FPicture;
    std::vector<std::unique_ptr<TVelSymbol>> FBarcodes;
    std::vector<std::uint8_t> FPictureData;
    std::unique_ptr<TVelImageScanner> FImageScanner;
    std::unique_ptr<TVelImage> FImage;
    int FScanLeft = 0;
    int FScanHeight = 0;
    int FScanTop = 0;
    int FScanWidth = 0;
    Host::TNotifyEvent FOnBarcodeDetected;
};

} // namespace Vel
