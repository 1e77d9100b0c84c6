#pragma once
// Reading a stored layout: the text form of a form and its components
//
//     object InstallarForm: TInstallarForm
//       Caption = 'Screensaver Installar'
//       Font.Name = 'MS Sans Serif'
//       Font.Style = [fsBold]
//       OnShow = FormShow
//       object Timer: TTimer
//         Enabled = False
//         Interval = 100
//         OnTimer = TimerTimer
//       end
//     end
//
// Values: integers (-12, $FF, or a registered identifier such as clBtnFace),
// True/False, enumeration identifiers, sets [a, b], strings ('It''s'#13#10
// 'next', parts joined with + across lines), component references by name
// (nil for none), handler method names of the root, string lists
// (Lines.Strings = ('a' 'b')), binary data ({ 0A1B... }) and collections
// (Buttons = < item ... end item ... end >).
//
// The reader creates each nested object by class name (ClassRegistry.h) with
// the root as owner, sets its name, hands it the enclosing object through
// SetParentComponent, and sets each property through its setter in stored
// order. Component references are resolved once everything is read, so they
// may point forward; then every component's Loaded runs, the root's first.
// All components are in the csLoading state until their Loaded.
//
// Errors in the text (syntax, unknown class, property or identifier, a value
// that does not fit, binary data its object cannot decode, an unresolved
// reference) raise ELayoutError naming the line and column. Exceptions from
// a component's constructor or setters pass through unchanged. Either way
// the components created so far are destroyed and the root leaves the
// loading state.

#include "framework/components/Components.h"
#include "framework/components/LayoutLexer.h"

#include <string>

// Objects may nest this deep (components and collection items together).
inline constexpr int kMaxLayoutDepth = 64;

// How strictly a layout is read. A program reads its own layouts strictly; a
// tool that shows a layout written for another program (form-preview) has
// neither that program's handlers nor, perhaps, its form class.
struct TLayoutReadOptions {
    // Handler bindings (OnClick = CoverNextBtnClick) are read and left unset.
    bool IgnoreEvents = false;
    // ReadLayout reads into `root` whatever root class the layout names.
    bool AnyRootClass = false;
};

// Reads a layout into the existing `root`, whose class must be the stored
// root class or inherit from it.
void ReadLayout(TComponent& root, const std::string& text, const TLayoutReadOptions& options = {});
// The class the layout's root object names ("" when the text does not start
// with an object header).
std::string LayoutRootClass(const std::string& text);
// Creates the root component from its stored class, owned by `owner`, and
// reads the layout into it.
TComponent* CreateFromLayout(const std::string& text, TComponent* owner,
                             const TLayoutReadOptions& options = {});
