#include "SkinnedTestSupport.h"

#include "framework/graphics/Bitmap.h"
#include "framework/ui/ErrorBox.h"
#include "skin/SUIThemeFile.h"

#include <atomic>
#include <filesystem>
#include <unistd.h>

void SkinnedTest::SetUp() {
    HeadlessApplicationTest::SetUp();
    RegisterSkinnedControls();
}

void SkinnedTest::TearDown() {
    Backend().SetIdleHandler(nullptr);
    HeadlessApplicationTest::TearDown();
}

TsuiForm* SkinnedTest::NewSkinnedForm(TsuiUIStyle style, TFormBorderStyle border) {
    FHost = Application().CreateForm<TForm>();
    FHost->SetBorderStyle(border);
    FHost->SetBounds(198, 125, 200, 100);
    FHost->SetClientWidth(475);
    FHost->SetClientHeight(203);
    auto* form = new TsuiForm(FHost);
    form->SetUIStyle(style);
    form->SetTitleBarDrawAppIcon(true);
    form->TitleBarButtons()->Items(2)->SetVisible(false); // maximise
    form->SetCaption("Skinned");
    FHost->Show();
    Application().ProcessMessages();
    return form;
}

TColor SkinnedTest::Pixel(TWsWindow window, int x, int y) {
    THeadlessImage image = Backend().Framebuffer(window);
    uint32_t p = image.Pixel(x, y);
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

std::vector<TWsWindow> SkinnedTest::PopupWindows() {
    std::vector<TWsWindow> list;
    for (TWsWindow w : Backend().Windows())
        if (Backend().WindowKind(w) == TWsWindowKind::Popup && Backend().IsWindowVisible(w))
            list.push_back(w);
    return list;
}

void SkinnedTest::Script(std::vector<std::function<void()>> steps) {
    FSteps = std::move(steps);
    FNextStep = 0;
    Backend().SetIdleHandler([this] {
        if (FNextStep < FSteps.size())
            FSteps[FNextStep++]();
    });
}

void SkinnedTest::CloseMessageBoxes() {
    Backend().SetIdleHandler([this] {
        for (TCustomForm* f : Application().ZOrder())
            if (auto* box = dynamic_cast<TMessageBoxForm*>(f)) {
                BoxTexts.push_back(box->Text());
                Backend().TypeKey(VK_ESCAPE);
                return;
            }
    });
}

void WriteSkinFileFromLook(const std::string& path, TsuiUIStyle look,
                           const std::function<int32_t(int, int32_t)>& tweak) {
    TsuiThemeFileWriter writer;
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item) {
        std::string key = GetThemeKeyName(item);
        switch (GetThemeKind(item)) {
        case TsuiThemeItemKind::suiBitmapItem: {
            TBitmap bitmap;
            GetThemeBitmap(look, item, &bitmap);
            writer.AddBitmap(key, bitmap);
            break;
        }
        case TsuiThemeItemKind::suiBoolItem:
            writer.AddBoolean(key, GetThemeBool(look, item));
            break;
        case TsuiThemeItemKind::suiColorItem:
        case TsuiThemeItemKind::suiIntItem: {
            int32_t value = GetThemeItem(look, item).Value;
            writer.AddInteger(key, tweak ? tweak(item, value) : value);
            break;
        }
        }
    }
    writer.SaveToFile(path);
}

TTempDir::TTempDir() {
    static std::atomic<int> counter{0};
    FPath = (std::filesystem::temp_directory_path() /
             ("controls-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++)))
                .string();
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}
