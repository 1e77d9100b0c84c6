#include "skin/SUIMgr.h"

#include "framework/graphics/Bitmap.h"
#include "framework/components/ClassRegistry.h"
#include "framework/components/Properties.h"
#include "framework/components/PropertyBuilder.h"
#include "platform/kernel32/FileIO.h"
#include "platform/kernel32/Kernel32.h"
#include "skin/SUIPublic.h"
#include "skin/SUIThemeFile.h"

#include <vector>

namespace {

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

std::string ProgramFolder() {
    const std::string exe = GetModuleFileName();
    return exe.substr(0, exe.size() - ExtractFileName(exe).size());
}

std::string FolderFrom(UINT (*query)(char*, UINT)) {
    char buffer[4096];
    const UINT length = query(buffer, sizeof buffer);
    return length == 0 || length >= sizeof buffer ? std::string() : std::string(buffer, length);
}

} // namespace

// --- TsuiFileTheme -----------------------------------------------------------

SSI_DEFINE_CLASS(TsuiFileTheme, TComponent)

void TsuiFileTheme::DeclarePublished(TPropertyBuilder& p) {
    p.String("ThemeFile", &TsuiFileTheme::ThemeFile, &TsuiFileTheme::SetThemeFile);
}

TsuiFileTheme::TsuiFileTheme(TComponent* owner) : TComponent(owner) {}

TsuiFileTheme::~TsuiFileTheme() = default;

bool TsuiFileTheme::IsValidThemeFile(const std::string& path) {
    return IsSkinFile(path);
}

std::string TsuiFileTheme::ResolvePath(const std::string& value) {
    if (FileExists(value))
        return value;
    const std::string name = ExtractFileName(value);
    if (name.empty())
        return {};
    const std::string folders[] = {ProgramFolder(), FolderFrom(GetWindowsDirectoryA),
                                   FolderFrom(GetSystemDirectoryA)};
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        const std::string candidate = WithSeparator(folder) + name;
        if (FileExists(candidate))
            return candidate;
    }
    return {};
}

void TsuiFileTheme::SetThemeFile(const std::string& value) {
    if (value == FThemeFile)
        return;
    const std::string path = ResolvePath(value);
    if (path.empty())
        return;
    if (!IsValidThemeFile(path))
        throw Exception("Invalid skin file for Tessera!");
    // A file that fails to load throws from here with nothing changed.
    if (!FMgr.LoadFromFile(path))
        return;
    FThemeFile = path;
    FLoaded = true;
    RefreshFormControls();
}

void TsuiFileTheme::RefreshFormControls() {
    TComponent* form = Owner();
    if (!IsFormComponent(form))
        return;
    // A refresh may create or free components: walk a snapshot and skip
    // those that have left the form since.
    std::vector<TComponentTracker> components;
    for (int i = 0; i < form->ComponentCount(); ++i)
        components.emplace_back(form->Component(i));
    for (const TComponentTracker& tracker : components) {
        TComponent* component = tracker.Get();
        if (component == nullptr || component->Owner() != form ||
            component->ClassName().rfind("Tsui", 0) != 0)
            continue;
        const TPropInfo* info = GetPropInfo(*component, "FileTheme");
        if (info == nullptr || info->Kind() != TPropKind::pkComponent || !info->Writable())
            continue;
        if (info->GetObject(*component) == this)
            info->SetObject(*component, this);
    }
}

void TsuiFileTheme::GetBitmap(int item, TGraphic& graphic) const {
    FMgr.GetBitmap(item, graphic);
}

void TsuiFileTheme::GetBitmapFrame(int item, TBitmap& bitmap, int frameCount,
                                   int frameIndex) const {
    TBitmap strip;
    FMgr.GetBitmap(item, strip);
    CutFrame(strip, bitmap, frameCount, frameIndex);
}

bool TsuiFileTheme::GetBool(int item) const {
    return FMgr.GetBool(item);
}

int32_t TsuiFileTheme::GetInt(int item) const {
    return FMgr.GetInt(item);
}

TColor TsuiFileTheme::GetColor(int item) const {
    return FMgr.GetColor(item);
}

// --- TsuiThemeManager --------------------------------------------------------

SSI_DEFINE_CLASS(TsuiThemeManager, TComponent)

void TsuiThemeManager::DeclarePublished(TPropertyBuilder& p) {
    // UIStyle before CompList: reading a layout applies the style while the
    // list is still empty, so the listed components keep the looks stored
    // with them.
    p.Enum("UIStyle", TsuiUIStyleInfo(), &TsuiThemeManager::UIStyle, &TsuiThemeManager::SetUIStyle);
    p.Component("FileTheme", &TsuiThemeManager::FileTheme, &TsuiThemeManager::SetFileTheme);
    p.Object("CompList", &TsuiThemeManager::CompList, &TsuiThemeManager::SetCompList);
    p.Event("OnUIStyleChanged", &TsuiThemeManager::OnUIStyleChanged,
            &TsuiThemeManager::SetOnUIStyleChanged);
}

TsuiThemeManager::TsuiThemeManager(TComponent* owner) : TComponent(owner) {
    SetUIStyle(TsuiUIStyle::DeepBlue);
}

TsuiThemeManager::~TsuiThemeManager() = default;

void TsuiThemeManager::SetUIStyle(TsuiUIStyle value) {
    const TsuiUIStyle old = FUIStyle;
    FUIStyle = value;
    ApplyTheme();
    if (value != old && FOnUIStyleChanged.Assigned())
        FOnUIStyleChanged(this);
}

void TsuiThemeManager::SetFileTheme(TsuiFileTheme* value) {
    FFileTheme = value;
    // The theme may live on another form: ask to hear of its destruction.
    if (value != nullptr)
        FreeNotification(value);
    SetUIStyle(FUIStyle);
}

void TsuiThemeManager::SetCompList(const TStringList& value) {
    FCompList.Assign(value);
}

void TsuiThemeManager::ApplyTheme() {
    TComponent* owner = Owner();
    if (!IsFormOrFrameComponent(owner))
        return;
    // A manager that lists itself, or two that list each other, would set
    // each other's style for ever: the manager is skipped, and a style that
    // comes back while the list is being styled is not passed on again.
    if (FApplying)
        return;
    FApplying = true;
    try {
        // Copy the names: a component's setters may change the list.
        const std::vector<std::string> names = FCompList.Items();
        for (const std::string& name : names) {
            TComponent* component = owner->FindComponent(name);
            if (component == nullptr || component == this)
                continue;
            SetOrdProp(*component, "UIStyle", static_cast<int64_t>(FUIStyle));
            SetComponentProp(*component, "FileTheme", FFileTheme);
        }
    } catch (...) {
        FApplying = false;
        throw;
    }
    FApplying = false;
}

void TsuiThemeManager::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (component == nullptr || operation != TOperation::opRemove)
        return;
    if (component != this) {
        const int index = FCompList.IndexOf(component->Name());
        if (index >= 0)
            FCompList.Delete(index);
    }
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        FUIStyle = TsuiUIStyle::DeepBlue;
    }
}

void RegisterSkinComponents() {
    RegisterClasses<TsuiFileTheme, TsuiThemeManager>();
}
