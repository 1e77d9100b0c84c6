// Pictures, icons and image lists kept in stored layouts: round trips of
// every graphic kind, damaged binary data reported where it is, and owners
// repainted when their picture changes.

#include "support/HeadlessApplicationTest.h"
#include "support/GraphicsTestSupport.h"

#include "framework/base/Streams.h"
#include "framework/components/ClassRegistry.h"
#include "framework/components/LayoutLexer.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/LayoutWriter.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/PersistentPicture.h"
#include "framework/graphics/metafile/Metafile.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Menus.h"


#include <cstdio>

using namespace gfxtest;

namespace {

// A control showing its picture stretched over itself.
class TPictureBox : public TCustomControl {
    SSI_CLASS(TPictureBox, TCustomControl)
public:
    explicit TPictureBox(TComponent* owner) : TCustomControl(owner) {
        FPicture.OnChange = [this](TPicture&) {
            ++Changes;
            Invalidate();
        };
    }
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Object("Picture", &TPictureBox::Picture, &TPictureBox::SetPicture);
    }
    TPersistentPicture& Picture() { return FPicture; }
    void SetPicture(const TPersistentPicture& value) { FPicture.Assign(value); }
    void Paint() override {
        ++Paints;
        if (FPicture.Graphic())
            Canvas().StretchDraw(ClientRect(), *FPicture.Graphic());
    }
    int Changes = 0;
    int Paints = 0;

private:
    TPersistentPicture FPicture;
};
SSI_DEFINE_CLASS(TPictureBox, TCustomControl)

class TStoredForm : public TForm {
    SSI_CLASS(TStoredForm, TForm)
public:
    explicit TStoredForm(TComponent* owner) : TForm(owner) {}
};
SSI_DEFINE_CLASS(TStoredForm, TForm)

std::vector<uint8_t> MakeWmf() {
    TBytes wmf;
    wmf.U16(1);
    wmf.U16(9);
    wmf.U16(0x300);
    wmf.U32(100);
    wmf.U16(0);
    wmf.U32(10);
    wmf.U16(0);
    wmf.U32(5); // the window extent that gives the picture its size
    wmf.U16(0x020C);
    wmf.U16(10);
    wmf.U16(10);
    wmf.U32(4); // a record the player does not know: its bytes must come back as they were
    wmf.U32(0x56781234);
    wmf.U32(3); // end of file
    wmf.U16(0);
    return wmf.Data;
}

// 7 x 5, a distinct colour per pixel.
TBitmap Gradient() {
    TBitmap b(7, 5);
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 7; ++x)
            b.SetPixel(x, y, RGB(x * 30, y * 50, 200 - x * y * 5));
    return b;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string s;
    for (uint8_t b : bytes) {
        s += kHex[b >> 4];
        s += kHex[b & 15];
    }
    return s;
}

// Picture data: kind name, then the graphic's bytes.
std::vector<uint8_t> PictureData(const std::string& kind, const std::vector<uint8_t>& body) {
    TBytes d;
    d.U8(uint32_t(kind.size()));
    for (char c : kind)
        d.U8(uint8_t(c));
    d.Raw(body);
    return d.Data;
}

std::vector<uint8_t> WithLength(const std::vector<uint8_t>& file, uint32_t length) {
    TBytes b;
    b.U32(length);
    b.Raw(file);
    return b.Data;
}

class StoredPictures : public HeadlessApplicationTest {
protected:
    void SetUp() override {
        HeadlessApplicationTest::SetUp();
        RegisterFrameworkClasses();
        RegisterClasses<TPictureBox, TStoredForm>();
    }
};

} // namespace

TEST_F(StoredPictures, FormWithEveryKindOfPictureIconAndImageListRoundTrips) {
    auto* form = new TStoredForm(nullptr);
    form->SetName("StoredForm");
    const char* kinds[] = {"BitmapBox", "IconBox", "JpegBox", "MetafileBox", "EmptyBox"};
    TPictureBox* boxes[5];
    for (int i = 0; i < 5; ++i) {
        boxes[i] = new TPictureBox(form);
        boxes[i]->SetName(kinds[i]);
        boxes[i]->SetParent(form);
    }
    boxes[0]->Picture().SetGraphic(std::make_unique<TBitmap>(Gradient()));
    const std::vector<uint8_t> ico = MakeIco({16, 32});
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromMemory(ico.data(), ico.size());
    boxes[1]->Picture().SetGraphic(std::move(icon));
    const std::vector<uint8_t> jpg = MakeJpeg(24, 16, RGB(200, 40, 90));
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromMemory(jpg.data(), jpg.size());
    boxes[2]->Picture().SetGraphic(std::move(jpeg));
    auto wmf = std::make_unique<TMetafile>();
    wmf->SetData(MakeWmf());
    boxes[3]->Picture().SetGraphic(std::move(wmf));
    form->Icon().LoadFromMemory(ico.data(), ico.size());

    auto* images = new TImageList(form);
    images->SetName("MenuImages");
    images->SetSize(3, 2);
    images->SetMasked(true);
    TBitmap strip(6, 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 6; ++x)
            strip.SetPixel(x, y, x == y ? clFuchsia : RGB(x * 40, y * 90, 7));
    images->AddMasked(strip, clFuchsia);
    auto* menu = new TPopupMenu(form);
    menu->SetName("Menu");
    menu->SetImages(images);

    const std::string text = WriteLayout(*form);
    EXPECT_NE(text.find("BitmapBox: TPictureBox"), std::string::npos);
    EXPECT_NE(text.find("Icon.Data = {"), std::string::npos);
    EXPECT_NE(text.find("Images = MenuImages"), std::string::npos);
    // An empty picture writes nothing at all.
    const size_t empty = text.find("EmptyBox: TPictureBox");
    ASSERT_NE(empty, std::string::npos);
    EXPECT_EQ(text.find("Picture.Data", empty), std::string::npos);

    auto* copy = dynamic_cast<TStoredForm*>(CreateFromLayout(text, nullptr));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(WriteLayout(*copy), text);

    auto box = [&](const char* name) {
        return dynamic_cast<TPictureBox*>(copy->FindComponent(name));
    };
    auto* bitmap = dynamic_cast<TBitmap*>(box("BitmapBox")->Picture().Graphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(PixelsOf(*bitmap), PixelsOf(Gradient()));

    auto* storedIcon = dynamic_cast<TIcon*>(box("IconBox")->Picture().Graphic());
    ASSERT_NE(storedIcon, nullptr);
    ASSERT_EQ(storedIcon->ImageCount(), 2);
    EXPECT_EQ(storedIcon->Image(storedIcon->FindImage(16, 16)).Pixels.Width(), 16);

    auto* storedJpeg = dynamic_cast<TJPEGImage*>(box("JpegBox")->Picture().Graphic());
    ASSERT_NE(storedJpeg, nullptr);
    EXPECT_EQ(storedJpeg->Width(), 24);
    EXPECT_EQ(storedJpeg->Height(), 16);

    auto* storedWmf = dynamic_cast<TMetafile*>(box("MetafileBox")->Picture().Graphic());
    ASSERT_NE(storedWmf, nullptr);
    EXPECT_EQ(storedWmf->Data(), MakeWmf());
    EXPECT_FALSE(box("EmptyBox")->Picture().HasGraphic());

    // Both icon sizes kept, and the form's icon is what the window shows.
    ASSERT_EQ(copy->Icon().ImageCount(), 2);
    EXPECT_EQ(PixelsOf(copy->Icon().Image(0).Pixels), PixelsOf(form->Icon().Image(0).Pixels));
    EXPECT_EQ(PixelsOf(copy->Icon().Image(1).Pixels), PixelsOf(form->Icon().Image(1).Pixels));
    EXPECT_EQ(copy->Icon().Image(1).Alpha, form->Icon().Image(1).Alpha);
    EXPECT_EQ(&ShownIcon(copy->Icon(), Application().Icon()), &copy->Icon());

    auto* storedImages = dynamic_cast<TImageList*>(copy->FindComponent("MenuImages"));
    ASSERT_NE(storedImages, nullptr);
    EXPECT_EQ(storedImages->Width(), 3);
    EXPECT_EQ(storedImages->Height(), 2);
    ASSERT_EQ(storedImages->Count(), 2);
    for (int i = 0; i < 2; ++i) {
        TBitmap original, stored;
        images->GetBitmap(i, original, clLime);
        storedImages->GetBitmap(i, stored, clLime);
        EXPECT_EQ(PixelsOf(stored), PixelsOf(original)) << "image " << i;
    }
    auto* storedMenu = dynamic_cast<TPopupMenu*>(copy->FindComponent("Menu"));
    ASSERT_NE(storedMenu, nullptr);
    EXPECT_EQ(storedMenu->Images(), storedImages);

    // A menu forgets an image list that goes away.
    storedImages->Free();
    EXPECT_EQ(storedMenu->Images(), nullptr);
    copy->Free();
    form->Free();
}

TEST_F(StoredPictures, FormWithoutIconShowsTheApplicationIcon) {
    const std::vector<uint8_t> ico = MakeIco({16, 32});
    TStoredForm* form = Application().CreateForm<TStoredForm>();
    EXPECT_EQ(&ShownIcon(form->Icon(), Application().Icon()), &Application().Icon());
    // The application's icon takes the stored form of a form's icon.
    TMemoryStream data;
    data.WriteBuffer(ico.data(), int64_t(ico.size()));
    data.SetPosition(0);
    Application().Icon().ReadData(data);
    EXPECT_EQ(Application().Icon().ImageCount(), 2);
    EXPECT_EQ(Application().Icon().FindImage(16, 16), 0);
    // Empty data empties the icon again.
    TMemoryStream none;
    Application().Icon().ReadData(none);
    EXPECT_EQ(Application().Icon().ImageCount(), 0);
}

TEST_F(StoredPictures, DamagedBinaryDataIsALayoutErrorAtItsPlace) {
    const std::vector<uint8_t> bmp =
        MakeBmp(2, 2, 24, {}, [](int32_t x, int32_t) { return x ? 0xFF0000u : 0x00FF00u; });
    const std::vector<uint8_t> ico = MakeIco({16});
    const std::vector<uint8_t> jpg = MakeJpeg(8, 8, clRed);
    std::vector<uint8_t> cutBmp(bmp.begin(), bmp.begin() + 30);
    std::vector<uint8_t> cutIco(ico.begin(), ico.begin() + 20);
    std::vector<uint8_t> cutJpg(jpg.begin(), jpg.begin() + 40);
    TBytes badList;
    badList.U32(1);
    badList.U32(16);
    badList.U32(16);
    badList.U32(0); // far too short for one 16 x 16 image
    struct Case {
        const char* what;
        std::string property;
        std::vector<uint8_t> data;
        const char* reason;
    };
    const Case cases[] = {
        {"unknown kind", "Picture.Data", PictureData("TPainting", {1, 2}),
         "Unknown picture kind TPainting"},
        {"kind longer than the data", "Picture.Data", {9, 'T', 'B'}, "Picture data is damaged"},
        {"bitmap length wrong", "Picture.Data", PictureData("TBitmap", WithLength(bmp, 99)),
         "Picture data is damaged (bitmap length)"},
        {"bitmap cut", "Picture.Data",
         PictureData("TBitmap", WithLength(cutBmp, uint32_t(cutBmp.size()))), ""},
        {"icon cut", "Picture.Data", PictureData("TIcon", cutIco), ""},
        {"JPEG cut", "Picture.Data", PictureData("TJPEGImage", cutJpg), "JPEG"},
        {"not a metafile", "Picture.Data", PictureData("TMetafile", {1, 2, 3, 4}),
         "Metafile is not valid"},
        {"form icon cut", "Icon.Data", cutIco, ""},
    };
    const std::vector<uint8_t> goodIco = MakeIco({16, 32});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool onForm = c.property == "Icon.Data";
        // The damaged value sits on line 7 (or 3 on the form), its "{" after
        // the property name.
        std::string text = "object StoredForm: TStoredForm\r\n"
                           "  Caption = 'Stored'\r\n";
        if (onForm)
            text += "  " + c.property + " = {" + Hex(c.data) + "}\r\n";
        text += "  object Good: TPictureBox\r\n"
                "    Picture.Data = {" +
                Hex(PictureData("TBitmap", WithLength(bmp, uint32_t(bmp.size())))) +
                "}\r\n"
                "  end\r\n"
                "  object Bad: TPictureBox\r\n";
        if (!onForm)
            text += "    " + c.property + " = {" + Hex(c.data) + "}\r\n";
        text += "  end\r\nend\r\n";

        TStoredForm* form = Application().CreateForm<TStoredForm>();
        form->Icon().LoadFromMemory(goodIco.data(), goodIco.size());
        try {
            ReadLayout(*form, text);
            ADD_FAILURE() << "no error";
        } catch (const ELayoutError& e) {
            EXPECT_EQ(e.Line(), onForm ? 3 : 7);
            EXPECT_EQ(e.Column(), onForm ? 15 : 20);
            EXPECT_NE(e.Reason().find("Invalid data for property Data"), std::string::npos)
                << e.Reason();
            EXPECT_NE(e.Reason().find(c.reason), std::string::npos) << e.Reason();
        }
        // Nothing half-built: the boxes read so far are gone, the form is
        // out of the loading state and keeps its icon.
        EXPECT_EQ(form->ComponentCount(), 0);
        EXPECT_FALSE(form->HasState(csLoading));
        EXPECT_EQ(form->Icon().ImageCount(), 2);
        form->Free();
    }

    // Image list data that does not match the stored size.
    const std::string list = "object StoredForm: TStoredForm\r\n"
                             "  object Images: TImageList\r\n"
                             "    Bitmap = {" +
                             Hex(badList.Data) + "}\r\n  end\r\nend\r\n";
    TStoredForm* form = Application().CreateForm<TStoredForm>();
    try {
        ReadLayout(*form, list);
        ADD_FAILURE() << "no error";
    } catch (const ELayoutError& e) {
        EXPECT_EQ(e.Line(), 3);
        EXPECT_EQ(e.Column(), 14);
        EXPECT_NE(e.Reason().find("Image list data is damaged (wrong length)"), std::string::npos)
            << e.Reason();
    }
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST_F(StoredPictures, ImageListDataOfAnotherSizeIsRefusedAndChangesNothing) {
    TImageList source(4, 4);
    source.Add(TBitmap(8, 4));
    TMemoryStream data;
    source.WriteImages(data);

    TImageList other(16, 16);
    other.Add(TBitmap(16, 16));
    data.SetPosition(0);
    EXPECT_THROW(other.ReadImages(data), EReadError);
    EXPECT_EQ(other.Count(), 1);

    TImageList same(4, 4);
    data.SetPosition(0);
    same.ReadImages(data);
    EXPECT_EQ(same.Count(), 2);

    // A list of 0 x 0 images claiming four billion of them.
    TImageList none(0, 0);
    TBytes huge;
    huge.U32(0xFFFFFFFF);
    huge.U32(0);
    huge.U32(0);
    TMemoryStream hugeData;
    hugeData.WriteBuffer(huge.Data.data(), int64_t(huge.Data.size()));
    hugeData.SetPosition(0);
    EXPECT_THROW(none.ReadImages(hugeData), EReadError);
    EXPECT_EQ(none.Count(), 0);
}

TEST_F(StoredPictures, UnmaskedImageListKeepsEveryPixel) {
    TImageList list(2, 1);
    list.SetMasked(false);
    TBitmap strip(2, 1);
    strip.SetPixel(0, 0, clFuchsia);
    strip.SetPixel(1, 0, clBlue);
    list.AddMasked(strip, clFuchsia);
    TBitmap out;
    list.GetBitmap(0, out, clLime);
    EXPECT_EQ(out.Pixel(0, 0), clFuchsia);
}

TEST_F(StoredPictures, PictureChangeRepaintsItsOwner) {
    TForm* form = NewForm(100, 100, 40, 30);
    auto* box = new TPictureBox(form);
    box->SetParent(form);
    box->SetBounds(0, 0, 20, 20);
    form->ShowForm();
    Application().ProcessMessages();
    const int paints = box->Paints;

    // Reading stored data is one change.
    TPersistentPicture stored;
    TBitmap red(2, 2);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect(Rect(0, 0, 2, 2));
    stored.SetGraphic(&red);
    TMemoryStream data;
    stored.WriteData(data);
    data.SetPosition(0);
    box->Picture().ReadData(data);
    EXPECT_EQ(box->Changes, 1);
    Application().ProcessMessages();
    EXPECT_GT(box->Paints, paints);
    EXPECT_EQ(WindowPixel(form, 10, 10), clRed);

    // So is a change of the graphic it holds.
    const int before = box->Paints;
    TBitmap& bitmap = box->Picture().Bitmap();
    bitmap.SetPixel(1, 1, clBlue);
    bitmap.Modified();
    Application().ProcessMessages();
    EXPECT_GT(box->Paints, before);
    EXPECT_EQ(WindowPixel(form, 15, 15), clBlue);

    // Damaged data changes neither the picture nor the screen.
    const int changes = box->Changes;
    TMemoryStream bad;
    const std::vector<uint8_t> junk = PictureData("TBitmap", {1, 0, 0, 0, 'B'});
    bad.WriteBuffer(junk.data(), int64_t(junk.size()));
    bad.SetPosition(0);
    EXPECT_THROW(box->Picture().ReadData(bad), Exception);
    EXPECT_EQ(box->Changes, changes);
    EXPECT_EQ(box->Picture().Width(), 2);
}
