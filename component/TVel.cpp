#include "vel/TVel.h"

#include "Check.h"
#include "vel/Image.h"
#include "vel/ImageScanner.h"
#include "vel/Loader.h"
#include "vel/VelSymbol.h"

#include <utility>

namespace Vel {

namespace {

constexpr const char16_t* AboutText =
    u"Version 4.5, Halvane VEL component: barcode recognition with the ZBar library";

} // namespace

TVel::TVel(Host::TComponent* AOwner)
    : Host::TComponent(AOwner), FPicture(std::make_unique<Host::TPicture>()) {
    FPicture->SetOnChange(Host::TNotifyEvent(this, &TVel::PictureChanged));
}

TVel::~TVel() {
    SetActive(false);
    FPicture.reset();
}

Host::String TVel::About() const {
    return AboutText;
}

void TVel::SetAbout(const Host::String& /*value*/) {}

bool TVel::Active() const {
    if (ComponentState().Contains(Host::csDesigning))
        return FActive;
    return FImageScanner != nullptr;
}

void TVel::SetActive(bool value) {
    const Host::TComponentState state = ComponentState();
    if (value != Active() && !state.Contains(Host::csDesigning) &&
        !state.Contains(Host::csLoading)) {
        if (value) {
            LoadLibrary();
            FImageScanner = std::make_unique<TVelImageScanner>();
        } else {
            FImage.reset();
            FImageScanner.reset();
            ReleasePictureData();
            FreeBarcodes();
        }
    }
    FActive = value;
}

void TVel::Loaded() {
    Host::TComponent::Loaded();
    SetActive(FActive);
}

void TVel::SetPicture(Host::TPicture* value) {
    FPicture->Assign(value);
}

void TVel::PictureChanged(Host::TObject* /*sender*/) {
    if (ComponentState().Contains(Host::csLoading))
        return;
    DiscardResults();
}

void TVel::SetScanLeft(int value) {
    SetScanValue(FScanLeft, value);
}

void TVel::SetScanHeight(int value) {
    SetScanValue(FScanHeight, value);
}

void TVel::SetScanTop(int value) {
    SetScanValue(FScanTop, value);
}

void TVel::SetScanWidth(int value) {
    SetScanValue(FScanWidth, value);
}

void TVel::SetScanValue(int& field, int value) {
    if (value == field)
        return;
    field = value < 0 ? 0 : value;
    PictureChanged(this);
}

void TVel::SetOnBarcodeDetected(Host::TNotifyEvent handler) {
    FOnBarcodeDetected = std::move(handler);
}

TVelSymbol* TVel::Barcode(int index) const {
    Check(index >= 0 && index < BarcodeCount(), TVelMessage::msIncorrectIndex);
    return FBarcodes[static_cast<std::size_t>(index)].get();
}

void TVel::CheckActive() const {
    Check(Active(), u"Cannot perform this operation on an inactive " + Name() + u" component");
}

void TVel::Configure(TVelSymbology symbology, TVelSymbologyAddon addon, TVelConfig config,
                     int value) {
    CheckActive();
    // An active component in the designer has no scanner; the setting has nowhere to go.
    if (FImageScanner)
        FImageScanner->Configure(symbology, addon, config, value);
}

void TVel::DiscardResults() {
    FImage.reset();
    ReleasePictureData();
    FreeBarcodes();
}

void TVel::FreeBarcodes() {
    for (auto barcode = FBarcodes.rbegin(); barcode != FBarcodes.rend(); ++barcode)
        barcode->reset();
    FBarcodes.clear();
}

void TVel::ReleasePictureData() {
    std::vector<std::uint8_t>().swap(FPictureData);
}

} // namespace Vel
