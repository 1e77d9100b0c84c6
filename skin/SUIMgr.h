#pragma once
// The two non-visual components of the skin library.
//
// TsuiFileTheme names a skin file (ThemeFile) and answers the theme-item
// lookups of the controls whose FileTheme points at it and whose UIStyle is
// FromThemeFile (see UsingFileTheme).
//
// TsuiThemeManager gives a list of its form's components one look: whenever
// its UIStyle or FileTheme changes it sets the same pair, by property name,
// on every component named in CompList.

#include "framework/base/StringList.h"
#include "framework/components/Components.h"
#include "skin/SUIThemes.h"

#include <string>

class TBitmap;
class TGraphic;
class TPropertyBuilder;

class TsuiFileTheme : public TComponent {
    SSI_CLASS(TsuiFileTheme, TComponent)
public:
    explicit TsuiFileTheme(TComponent* owner);
    ~TsuiFileTheme() override;

    static void DeclarePublished(TPropertyBuilder& p);

    // The resolved path of the file in force ("" before the first load).
    const std::string& ThemeFile() const { return FThemeFile; }
    // Does nothing when `value` equals ThemeFile exactly. Otherwise looks for
    // the file at `value`, then under its file name in the program's folder,
    // the Windows folder and the system folder, and takes the first that
    // exists; when none does, nothing changes and nothing is reported. A file
    // without the skin-file magic fails with "Invalid skin file for Tessera!".
    // A file that cannot be read fails with the reader's error ("Stream read
    // error" and the like) and, as for a bad magic, the theme in force stays
    // as it was. After a load the owner form's skinned components that refer
    // to this theme are given it again through their FileTheme setters, so
    // they pick up the new look.
    void SetThemeFile(const std::string& value);

    // Whether a skin file has been loaded.
    bool IsThemeLoaded() const { return FLoaded; }
    // Whether a file exists at `path`, can be read and starts with the magic.
    static bool IsValidThemeFile(const std::string& path);

    // The lookups, by theme item number (see TsuiFileThemeMgr).
    void GetBitmap(int item, TGraphic& graphic) const;
    // The item's bitmap cut like a built-in strip (CutFrame); without the
    // entry `bitmap` becomes empty.
    void GetBitmapFrame(int item, TBitmap& bitmap, int frameCount, int frameIndex) const;
    bool GetBool(int item) const;
    int32_t GetInt(int item) const;
    TColor GetColor(int item) const;

private:
    // The first existing candidate for `value`, "" when there is none.
    static std::string ResolvePath(const std::string& value);
    void RefreshFormControls();

    TsuiFileThemeMgr FMgr;
    bool FLoaded = false;
    std::string FThemeFile;
};

// The theme manager's list of component names; a string list under a class
// name of its own.
class TsuiThemeMgrCompList : public TStringList {};

class TsuiThemeManager : public TComponent {
    SSI_CLASS(TsuiThemeManager, TComponent)
public:
    explicit TsuiThemeManager(TComponent* owner);
    ~TsuiThemeManager() override;

    static void DeclarePublished(TPropertyBuilder& p);

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    // Stores the style and applies the pair to the list, even when the style
    // did not change; OnUIStyleChanged follows only a real change.
    void SetUIStyle(TsuiUIStyle value);
    TsuiFileTheme* FileTheme() const { return FFileTheme; }
    // Stores the reference and applies the pair to the list.
    void SetFileTheme(TsuiFileTheme* value);
    // Names of the managed components, one per line. Names that match
    // nothing stay and are skipped.
    TsuiThemeMgrCompList& CompList() { return FCompList; }
    // Copies the lines; nothing is applied.
    void SetCompList(const TStringList& value);
    const TNotifyEvent& OnUIStyleChanged() const { return FOnUIStyleChanged; }
    void SetOnUIStyleChanged(const TNotifyEvent& value) { FOnUIStyleChanged = value; }

    // Sets UIStyle, then FileTheme, by property name on every listed
    // component of the owner, in list order; each component's setters
    // refresh its look. An owner that is neither a form nor a frame turns
    // the manager off. A listed component without both properties fails with
    // "Property %s does not exist". The manager never styles itself, and a
    // change that reaches it again while it styles its list (two managers
    // listing each other) goes no further.
    void ApplyTheme();

protected:
    // A listed component that goes away leaves the list; the file theme
    // going away leaves the manager with none and DeepBlue, nothing pushed.
    void Notification(TComponent* component, TOperation operation) override;

private:
    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* FFileTheme = nullptr;
    TsuiThemeMgrCompList FCompList;
    TNotifyEvent FOnUIStyleChanged;
    bool FApplying = false;
};

// Makes TsuiFileTheme and TsuiThemeManager known to stored layouts by class
// name. Calling it again does nothing.
void RegisterSkinComponents();
