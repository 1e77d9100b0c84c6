// form-preview: shows a stored form layout as the program that owns it would
// show it, in any look of the skin library or from a skin file. With
// --screenshot it renders the form on the in-memory window system and saves
// the whole window (frame included; what lies outside the window's shape is
// see-through) as a PNG; with a display and no --screenshot it shows the form
// in a real window until it is closed. --bounds lists where every control
// ended up after loading and alignment.

#include "controls/SUIRegister.h"
#include "framework/base/SysUtils.h"
#include "framework/components/ClassRegistry.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/Properties.h"
#include "framework/graphics/PngCodec.h"
#include "framework/components/TypeInfo.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/backend/Backend.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"
#include "tools/LookArgument.h"
#include "tools/ToolMain.h"


#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

namespace {

const char* const kUsage =
    "Usage: form-preview LAYOUT [--look STYLE] [--skin FILE] [--move X,Y] [--press X,Y]\n"
    "                    [--bounds] [--screenshot FILE.png]\n"
    "  Reads a stored form layout and shows the form.\n"
    "  --look STYLE        restyle every skinned component: MacOS, WinXP, DeepBlue,\n"
    "                      Protein or BlueGlass\n"
    "  --skin FILE         restyle every skinned component from a skin file\n"
    "  --move X,Y          move the pointer to (X, Y), in window coordinates of the form\n"
    "  --press X,Y         hold the left mouse button down at (X, Y)\n"
    "  --bounds            print every control: name, class, left, top, width, height\n"
    "                      (in its parent's client area), visible, enabled\n"
    "  --screenshot FILE   save the whole window as a PNG and exit; without it the\n"
    "                      form is shown on the display until it is closed\n"
    "  --help, --version   print this text, or the program's version, and exit\n"
    "Exit status: 0 on success, 1 on a layout or file error, 2 on bad usage.\n";

struct TPreviewOptions {
    std::string layout;
    std::optional<TsuiUIStyle> look;
    std::string skin;
    std::optional<TPoint> move;
    std::optional<TPoint> press;
    bool bounds = false;
    std::string screenshot;
};

TPoint ParsePoint(const std::string& option, const std::string& text) {
    int x = 0, y = 0;
    char comma = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%d %c %d %c", &x, &comma, &y, &extra) != 3 || comma != ',')
        throw UsageError{option + " wants X,Y, not '" + text + "'"};
    return Point(x, y);
}

TPreviewOptions ParseArguments(int argc, char** argv) {
    TPreviewOptions o;
    auto value = [&](int& i, const std::string& name) -> std::string {
        if (i + 1 >= argc)
            throw UsageError{name + " needs a value"};
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--look")
            o.look = ParseLook(value(i, a));
        else if (a == "--skin")
            o.skin = value(i, a);
        else if (a == "--move")
            o.move = ParsePoint(a, value(i, a));
        else if (a == "--press")
            o.press = ParsePoint(a, value(i, a));
        else if (a == "--bounds")
            o.bounds = true;
        else if (a == "--screenshot")
            o.screenshot = value(i, a);
        else if (a.size() > 1 && a[0] == '-')
            throw UsageError{"unknown option " + a};
        else if (o.layout.empty())
            o.layout = a;
        else
            throw UsageError{"more than one layout: " + o.layout + ", " + a};
    }
    if (o.layout.empty())
        throw UsageError{"no layout given"};
    if (o.look && !o.skin.empty())
        throw UsageError{"--look and --skin exclude each other"};
    return o;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Exception(Format("Cannot open %s: %s", path.c_str(), std::strerror(errno)));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw Exception(Format("Cannot read %s", path.c_str()));
    return text.str();
}

// The form the layout describes. A form class of its own program that this
// tool does not know is read as a plain TForm.
TCustomForm* LoadForm(const std::string& text) {
    TLayoutReadOptions options;
    options.IgnoreEvents = true;
    const TClassInfo* info = GetClass(LayoutRootClass(text));
    if (info != nullptr && info->CanCreate() &&
        info->InheritsFrom(TCustomForm::StaticClassInfo())) {
        auto* form = static_cast<TCustomForm*>(CreateFromLayout(text, &Application(), options));
        Application().AddCreatedForm(form);
        return form;
    }
    options.AnyRootClass = true;
    TForm* form = Application().CreateForm<TForm>();
    ReadLayout(*form, text, options);
    return form;
}

// Every owned component that takes a look gets it, as a theme manager gives
// it: the style first, then the file theme.
void Restyle(TCustomForm* form, TsuiUIStyle style, TsuiFileTheme* theme) {
    std::vector<TComponentTracker> components;
    for (int i = 0; i < form->ComponentCount(); ++i)
        components.emplace_back(form->Component(i));
    for (const TComponentTracker& tracker : components) {
        TComponent* c = tracker.Get();
        if (c == nullptr || c == theme || !HasProperty(c, "UIStyle") ||
            !HasProperty(c, "FileTheme"))
            continue;
        SetEnumProp(*c, "UIStyle", TsuiUIStyleInfo().Name(static_cast<int>(style)));
        SetComponentProp(*c, "FileTheme", theme);
    }
}

void PrintBounds(TControl* control, int depth) {
    std::printf("%*s%s %s %d %d %d %d %s %s\n", depth * 2, "",
                control->Name().empty() ? "-" : control->Name().c_str(),
                control->ClassName().c_str(), control->Left(), control->Top(), control->Width(),
                control->Height(), control->Visible() ? "visible" : "hidden",
                control->Enabled() ? "enabled" : "disabled");
    if (auto* parent = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < parent->ControlCount(); ++i)
            PrintBounds(parent->Controls(i), depth + 1);
}

// The window's pixels with what lies outside its shape see-through.
void SaveWindowPng(THeadlessBackend& backend, TCustomForm* form, const std::string& path) {
    THeadlessImage image = backend.Framebuffer(form->ScreenWindow());
    const TWindowShape& shape = form->WindowShape();
    TPngImage png{image.Width, image.Height,
                  std::vector<uint8_t>(size_t(image.Width) * size_t(image.Height) * 4)};
    uint8_t* out = png.Rgba.data();
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x, out += 4) {
            const uint32_t pixel = image.Pixel(x, y);
            out[0] = uint8_t(pixel >> 16);
            out[1] = uint8_t(pixel >> 8);
            out[2] = uint8_t(pixel);
            out[3] = shape.WindowContains(image.Width, image.Height, x, y) ? 0xFF : 0;
        }
    try {
        SavePngFile(path, png);
    } catch (const std::runtime_error& e) {
        throw Exception(Format("Cannot save %s: %s", path.c_str(), e.what()));
    }
}

int Run(const TPreviewOptions& o) {
    // Without --screenshot the form goes on the display, when there is one.
    std::unique_ptr<TWindowSystem> display;
    if (o.screenshot.empty()) {
        display = CreateWindowSystem();
        if (std::string(display->Name()) == "headless")
            display.reset();
    }
    const bool live = display != nullptr;
    if (o.screenshot.empty() && !o.bounds && !live) {
        const std::string& why = DisplayFallbackReason();
        throw Exception("No display to show the form on" + (why.empty() ? "" : " (" + why + ")") +
                        ": use --screenshot or --bounds");
    }
    THeadlessBackend* headless = nullptr;
    if (live) {
        SetWindowSystem(std::move(display));
    } else {
        auto backend = std::make_unique<THeadlessBackend>();
        headless = backend.get();
        SetWindowSystem(std::move(backend));
    }
    RegisterSkinnedControls();
    std::string text = ReadTextFile(o.layout);
    TCustomForm* form = nullptr;
    try {
        form = LoadForm(text);
    } catch (const Exception& e) {
        throw Exception(o.layout + ": " + e.Message());
    }
    if (o.look) {
        Restyle(form, *o.look, nullptr);
    } else if (!o.skin.empty()) {
        auto* theme = new TsuiFileTheme(form);
        theme->SetThemeFile(o.skin);
        if (!theme->IsThemeLoaded())
            throw Exception(Format("Cannot open skin file %s", o.skin.c_str()));
        Restyle(form, TsuiUIStyle::FromThemeFile, theme);
    }
    form->Show();
    Application().ProcessMessages();
    if (o.bounds)
        PrintBounds(form, 0);

    if (headless != nullptr) {
        auto to = [&](const TPoint& p) {
            headless->MoveMouse(form->Left() + p.X, form->Top() + p.Y);
        };
        if (o.move) {
            to(*o.move);
            Application().ProcessMessages();
        }
        if (o.press) {
            to(*o.press);
            Application().ProcessMessages();
            headless->PressButton(TWsButton::Left);
            Application().ProcessMessages();
        }
        Application().PaintForms();
        if (!o.screenshot.empty())
            SaveWindowPng(*headless, form, o.screenshot);
        return 0;
    }
    Application().Run();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0)
        return PrintVersion("form-preview");
    const int status =
        RunTool("form-preview", kUsage, [&] { return Run(ParseArguments(argc, argv)); });
    ResetApplication();
    SetWindowSystem(nullptr);
    return status;
}
