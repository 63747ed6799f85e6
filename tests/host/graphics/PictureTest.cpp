#include "vel/host/Picture.h"
#include "TempFolder.h"
#include "TestPicture.h"
#include "vel/host/Bitmap.h"
#include "vel/host/Errors.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace Host;

namespace {

// Counts the picture's change notifications and checks their sender.
class PictureWatch {
public:
    explicit PictureWatch(TPicture& picture) : FPicture(picture) {
        picture.SetOnChange(TNotifyEvent([this](TObject* sender) {
            EXPECT_EQ(sender, &FPicture);
            ++Changes;
        }));
    }
    int Changes = 0;

private:
    TPicture& FPicture;
};

TEST(Picture, StartsWithoutGraphic) {
    TPicture picture;
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    std::stringstream out;
    EXPECT_THROW(picture.SaveToStream(out), EInvalidGraphic);
}

TEST(Picture, AssignCopiesTheGraphicAndNotifies) {
    TBitmap bitmap;
    FillTest(bitmap);
    TPicture source;
    source.SetGraphic(&bitmap);
    EXPECT_NE(source.Graphic(), &bitmap);

    TPicture picture;
    PictureWatch watch(picture);
    picture.Assign(&source);
    EXPECT_EQ(watch.Changes, 1);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_NE(picture.Graphic(), source.Graphic());
    EXPECT_EQ(Pixels32(*picture.Graphic()), TestPixels);

    picture.Assign(&bitmap); // a graphic
    EXPECT_EQ(watch.Changes, 2);
    TPicture empty;
    picture.Assign(&empty); // a picture without graphic
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(watch.Changes, 3);
    picture.Assign(&source);
    picture.Assign(nullptr);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(watch.Changes, 5);
}

TEST(Picture, AssigningItselfKeepsTheGraphicAndNotifies) {
    TBitmap bitmap;
    FillTest(bitmap);
    TPicture picture;
    picture.SetGraphic(&bitmap);
    PictureWatch watch(picture);
    picture.Assign(&picture);
    EXPECT_EQ(watch.Changes, 1);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(Pixels32(*picture.Graphic()), TestPixels);

    TPicture empty;
    PictureWatch emptyWatch(empty);
    empty.Assign(&empty);
    EXPECT_EQ(emptyWatch.Changes, 1);
    EXPECT_EQ(empty.Graphic(), nullptr);
}

TEST(Picture, ChangesMadeToItsGraphicNotify) {
    Support::TTempFolder folder;
    TBitmap bitmap;
    FillTest(bitmap);
    const String file = FromAnsi(folder.Path("test.bmp").string());
    bitmap.SaveToFile(file);

    TPicture picture;
    PictureWatch watch(picture);
    picture.LoadFromFile(file);
    EXPECT_EQ(watch.Changes, 1);
    picture.Graphic()->SetSize(5, 5);
    EXPECT_EQ(watch.Changes, 2);
    picture.Graphic()->LoadFromFile(file);
    EXPECT_EQ(watch.Changes, 3);
    EXPECT_EQ(picture.Width(), TestWidth);
    picture.Graphic()->MarkModified();
    EXPECT_EQ(watch.Changes, 4);
}

TEST(Picture, FailedLoadKeepsTheGraphicAndDoesNotNotify) {
    TBitmap bitmap;
    FillTest(bitmap);
    TPicture picture;
    picture.SetGraphic(&bitmap);
    PictureWatch watch(picture);
    std::istringstream junk("BM not really");
    EXPECT_THROW(picture.LoadFromStream(junk), EInvalidGraphic);
    EXPECT_EQ(watch.Changes, 0);
    EXPECT_EQ(Pixels32(*picture.Graphic()), TestPixels);
}

TEST(Picture, TellsTheKindByContentNotByName) {
    Support::TTempFolder folder;
    TBitmap bitmap;
    FillTest(bitmap);
    const String file = FromAnsi(folder.Path("really-a-bitmap.png").string());
    bitmap.SaveToFile(file);
    TPicture picture;
    picture.LoadFromFile(file);
    EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
}

TEST(Picture, SavesItsGraphicInItsOwnFormat) {
    Support::TTempFolder folder;
    TBitmap bitmap;
    FillTest(bitmap);
    TPicture picture;
    picture.SetGraphic(&bitmap);
    const String file = FromAnsi(folder.Path("saved.bmp").string());
    picture.SaveToFile(file);
    TPicture loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(Pixels32(*loaded.Graphic()), TestPixels);
}

TEST(Picture, AssignsItsGraphicToAGraphic) {
    TBitmap bitmap;
    FillTest(bitmap);
    TPicture picture;
    picture.SetGraphic(&bitmap);
    TBitmap copy;
    copy.Assign(&picture);
    EXPECT_EQ(Pixels32(copy), TestPixels);
}

} // namespace
