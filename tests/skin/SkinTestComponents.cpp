#include "SkinTestComponents.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <unistd.h>

const TClassInfo& TTestForm::StaticClassInfo() {
    static const TClassInfo info("TCustomForm", &TComponent::StaticClassInfo(), nullptr, nullptr);
    return info;
}

const TClassInfo& TTestFrame::StaticClassInfo() {
    static const TClassInfo info("TCustomFrame", &TComponent::StaticClassInfo(), nullptr, nullptr);
    return info;
}

SSI_DEFINE_CLASS(TsuiTestControl, TComponent)
SSI_DEFINE_CLASS(TOtherTestControl, TsuiTestControl)

void TsuiTestControl::DeclarePublished(TPropertyBuilder& p) {
    p.Component("FileTheme", &TsuiTestControl::FileTheme, &TsuiTestControl::SetFileTheme);
    p.Enum("UIStyle", TsuiUIStyleInfo(), &TsuiTestControl::UIStyle, &TsuiTestControl::SetUIStyle);
}

TsuiTestControl::TsuiTestControl(TComponent* owner)
    : TComponent(owner), FStyle(*this, [this] {
          Refreshes.push_back({FStyle.UIStyle(), FStyle.GetColor(15)});
      }) {}

void TsuiTestControl::SetFileTheme(TsuiFileTheme* value) {
    SetterCalls.push_back("FileTheme");
    FStyle.SetFileTheme(value);
}

void TsuiTestControl::SetUIStyle(TsuiUIStyle value) {
    SetterCalls.push_back("UIStyle");
    FStyle.SetUIStyle(value);
}

void TsuiTestControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    FStyle.Notification(component, operation);
}

TScratchDir::TScratchDir() {
    static std::atomic<int> counter{0};
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    FPath = (std::filesystem::temp_directory_path() /
             ("skin-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
              (test ? test->name() : "x")))
                .string();
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
}

TScratchDir::~TScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}
