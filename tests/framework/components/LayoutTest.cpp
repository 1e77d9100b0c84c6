#include "support/ComponentTestClasses.h"

#include "framework/components/LayoutLexer.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/LayoutWriter.h"
#include "framework/components/Properties.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        TestLog().clear();
    }
};

TTestControl* Control(TComponent& root, const char* name) {
    return dynamic_cast<TTestControl*>(root.FindComponent(name));
}

// A form with one value of every kind, nested controls, a reference that
// points forward and handlers.
const char* const kFullLayout = R"(object MainForm: TTestForm
  Title = 'It''s'#13#10'done'#200
  object Panel: TTestControl
    Left = -5
    Caption = 'Cover'
    Style = tsWinXP
    Color = clBtnFace
    Font.Name = 'MS Sans Serif'
    Font.Size = 8
    Font.Color = 255
    Font.Style = [fsBold, fsUnderline]
    Picture.Data = {
      000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
      2021}
    Lines.Strings = (
      'first'
      ''
      'third')
    Items = <
      item
        Caption = 'one'
        Target = NextBtn
      end
      item
      end>
    Buddy = NextBtn
    OnClick = ButtonClick
    object NextBtn: TTestControl
      Left = 288
      Visible = False
      Style = tsMacOS
      Color = 14609391
      Font.Name = 'Tahoma'
      Font.Size = 8
      Font.Color = 0
      Items = <>
      OnIndex = IndexClick
    end
  end
  object Theme: TTestTheme
    FileName = 'skin.dat'
  end
end
)";

TEST_F(Layout, ReadsEveryKindOfValueAndWritesTheSameTextBack) {
    TTestForm form(nullptr);
    ReadLayout(form, kFullLayout);
    EXPECT_EQ(form.Name(), "MainForm");
    EXPECT_EQ(form.Title(), "It's\r\ndone\xC3\x88") << "#200 is the Windows-1252 E grave";
    TTestControl* panel = Control(form, "Panel");
    TTestControl* next = Control(form, "NextBtn");
    ASSERT_TRUE(panel && next);
    EXPECT_EQ(next->Parent(), panel);
    EXPECT_EQ(panel->Parent(), nullptr);
    EXPECT_EQ(panel->Left(), -5);
    EXPECT_EQ(panel->Color(), 0x8000000Fu);
    EXPECT_EQ(panel->Font()->Style(),
              (TTestFontStyles{TTestFontStyle::fsBold, TTestFontStyle::fsUnderline}));
    EXPECT_EQ(panel->Picture()->Bytes().size(), 34u);
    EXPECT_EQ(panel->Picture()->Bytes()[33], 0x21);
    EXPECT_EQ(panel->Lines().Text(), "first\r\n\r\nthird\r\n");
    ASSERT_EQ(panel->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(panel->Items()->Item(0))->Target(), next);
    EXPECT_EQ(panel->Buddy(), next);
    EXPECT_FALSE(next->Visible());
    EXPECT_EQ(next->Color(), 14609391u);
    panel->Click();
    next->OnIndex()(next, 2);
    EXPECT_EQ(TestLog().back(), "IndexClick 2");

    std::string written = WriteLayout(form);
    std::string expected = kFullLayout;
    std::string withCrLf;
    for (char c : expected)
        withCrLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    // Font.Size 8 is stored although it is the constructor's value: only
    // declared defaults are left out.
    EXPECT_EQ(written, withCrLf);

    TTestForm again(nullptr);
    ReadLayout(again, written);
    EXPECT_EQ(WriteLayout(again), written);
}

TEST_F(Layout, StoredOrderDecidesWhichValueWins) {
    TTestForm form(nullptr);
    ReadLayout(form, "object F: TTestForm\n"
                     "  object A: TTestControl\n    Style = tsWinXP\n    Color = 255\n  end\n"
                     "  object B: TTestControl\n    Color = 255\n    Style = tsWinXP\n  end\n"
                     "end\n");
    EXPECT_EQ(Control(form, "A")->Color(), 255u);
    EXPECT_EQ(Control(form, "B")->Color(), 0x00DEEBEFu);
    // The writer uses published order: Style before Color, so B's derived
    // colour is stored after the style and survives a round trip.
    std::string text = WriteLayout(form);
    EXPECT_LT(text.find("Style = tsWinXP"), text.find("Color = 14609391"));
}

TEST_F(Layout, ReferencesResolveAfterReadingAndLoadedRunsLast) {
    TTestForm form(nullptr);
    ReadLayout(form, "object F: TTestForm\n"
                     "  object A: TTestControl\n    Left = 1\n    Buddy = B\n  end\n"
                     "  object B: TTestControl\n    Buddy = a\n  end\n"
                     "end\n");
    TTestControl* a = Control(form, "A");
    EXPECT_TRUE(a->LoadingSeenBySetter());
    EXPECT_FALSE(a->HasState(csLoading));
    EXPECT_FALSE(form.HasState(csLoading));
    EXPECT_EQ(a->LoadedBuddy(), "B");
    EXPECT_EQ(TestLog(),
              (std::vector<std::string>{"Left=1", "Buddy=B", "Buddy=A", "Loaded A", "Loaded B"}));
}

struct TBadLayout {
    const char* text;
    const char* reason;
    int line;
    int column;
};

TEST_F(Layout, ErrorsNameLineAndColumnAndLeaveNothingBehind) {
    const TBadLayout cases[] = {
        {"object F: TTestForm\n  object A: TNoSuchClass\n  end\nend",
         "Class TNoSuchClass not found", 2, 3},
        {"object F: TTestForm\n  object A: TTestFont\n  end\nend",
         "Cannot create an instance of TTestFont", 2, 3},
        {"object F: TTestForm\n  object A: TTestControl\n    Width = 3\n  end\nend",
         "Property Width does not exist", 3, 5},
        {"object F: TTestForm\n  object A: TTestControl\n    Font.Bold = True\n  end\nend",
         "Property Font.Bold does not exist", 3, 5},
        {"object F: TTestForm\n  object A: TTestControl\n    Style = suiWinXP\n  end\nend",
         "Invalid value for property Style", 3, 13},
        {"object F: TTestForm\n  object A: TTestControl\n    Left = 99999999999\n  end\nend",
         "Value 99999999999 out of range for property Left", 3, 12},
        {"object F: TTestForm\n  object A: TTestControl\n    Caption = 'open\n  end\nend",
         "Unterminated string", 3, 15},
        {"object F: TTestForm\n  object A: TTestControl\n    Buddy = Missing\n  end\nend",
         "Component Missing not found", 3, 13},
        {"object F: TTestForm\n  object A: TTestControl\n    Buddy = F\n  end\nend",
         "Invalid value for property Buddy", 3, 13},
        {"object F: TTestForm\n  object A: TTestControl\n  end\n  object a: TTestControl\n"
         "  end\nend",
         "A component named a already exists", 4, 3},
        {"object F: TTestForm\n  object A: TTestControl\n    Picture.Data = {ABC}\n  end\nend",
         "Odd number of hexadecimal digits in binary data", 3, 20},
        {"object F: TTestForm\n  object A: TTestControl\n    Version = 8\n  end\nend",
         "Property Version is read-only", 3, 5},
        {"object F: TTestForm\n  object A: TTestControl\n    OnClick = FormShow\n  end\nend",
         "Method FormShow not found", 3, 15},
        {"object F: TTestForm\n  object A: TTestControl\n    OnClick = IndexClick\n  end\nend",
         "Method IndexClick does not fit event OnClick", 3, 15},
        {"object F: TTestForm\n  object A: TTestControl\n    Items = < thing end >\n  end\nend",
         "'item' expected", 3, 15},
        {"object F: TTestForm\n  object A: TTestControl\n    Left = 1.5\n  end\nend",
         "Invalid number", 3, 12},
        {"object F: TTestForm\n  object A: TTestControl\n    Left ? 1\n  end\nend",
         "Invalid character #63", 3, 10},
        {"object F: TTestForm\n  object A: TTestControl\n", "'end' expected", 3, 1},
        {"object F: TTestForm\nend\nend", "End of layout expected", 3, 1},
        {"object F: TTestTheme\nend", "A TTestTheme cannot be read into a TTestForm", 1, 1},
        {"thing", "'object' expected", 1, 1},
    };
    for (const TBadLayout& c : cases) {
        SCOPED_TRACE(c.text);
        TTestForm form(nullptr);
        try {
            ReadLayout(form, c.text);
            ADD_FAILURE() << "no error";
        } catch (const ELayoutError& e) {
            EXPECT_EQ(e.Reason(), c.reason);
            EXPECT_EQ(e.Line(), c.line);
            EXPECT_EQ(e.Column(), c.column);
            EXPECT_EQ(e.Message(), Format("%s (line %d, column %d)", c.reason, c.line, c.column));
        }
        EXPECT_EQ(form.ComponentCount(), 0);
        EXPECT_FALSE(form.HasState(csLoading));
        EXPECT_FALSE(form.HasState(csReading));
    }
}

TEST_F(Layout, DeepNestingIsRefusedBeforeTheStackRunsOut) {
    std::string text = "object F: TTestForm\n";
    for (int i = 0; i < 200; ++i)
        text += "object TTestControl\n";
    TTestForm form(nullptr);
    try {
        ReadLayout(form, text);
        FAIL();
    } catch (const ELayoutError& e) {
        EXPECT_EQ(e.Reason(), "Layout nested too deeply");
    }
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST_F(Layout, SetterFailuresPassThroughUnchanged) {
    TTestForm form(nullptr);
    try {
        ReadLayout(form, "object F: TTestForm\n  object A: TTestControl\n  end\n"
                         "  object B: TFailingComponent\n    Value = -1\n  end\nend\n");
        FAIL();
    } catch (const ELayoutError&) {
        FAIL() << "wrapped";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Value must not be negative");
    }
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST_F(Layout, ReadingACollectionReplacesItsItems) {
    TTestForm form(nullptr);
    ReadLayout(form, "object F: TTestForm\n  object A: TTestControl\n"
                     "    Items = <\n      item\n        Caption = 'x'\n        Target = A\n"
                     "      end>\n"
                     "    Items = <\n      item\n        Caption = 'y'\n      end>\n"
                     "  end\nend\n");
    TTestControl* a = Control(form, "A");
    ASSERT_EQ(a->Items()->Count(), 1);
    auto* item = static_cast<TTestItem*>(a->Items()->Item(0));
    EXPECT_EQ(item->Caption(), "y");
    EXPECT_EQ(item->Target(), nullptr); // the reference of the cleared item is dropped
}

TEST_F(Layout, CreatesTheRootFromItsStoredClass) {
    TComponent owner(nullptr);
    TComponent* root =
        CreateFromLayout("object Skin: TTestTheme\n  FileName = 'a' +\n  'b'\nend\n", &owner);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Owner(), &owner);
    EXPECT_EQ(GetStrProp(*root, "FileName"), "ab");
    EXPECT_THROW(CreateFromLayout("object Skin: TTestTheme\n  Left = 1\nend\n", &owner),
                 ELayoutError);
    EXPECT_EQ(owner.ComponentCount(), 1); // the failed one is gone
}

// Stores its size only while it is not automatic.
class TSizedThing : public TComponent {
    SSI_CLASS(TSizedThing, TComponent)
public:
    using TComponent::TComponent;
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Boolean("AutoSize", &TSizedThing::AutoSize, &TSizedThing::SetAutoSize).Default(0);
        p.Integer("Width", &TSizedThing::Width, &TSizedThing::SetWidth)
            .Stored(&TSizedThing::WidthStored);
    }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    bool WidthStored() const { return !FAutoSize; }

private:
    bool FAutoSize = false;
    int FWidth = 10;
};
SSI_DEFINE_CLASS(TSizedThing, TComponent)

TEST_F(Layout, WriterLeavesOutDefaultsAndWhatTheClassDoesNotStore) {
    TSizedThing thing(nullptr);
    thing.SetName("Thing");
    EXPECT_EQ(WriteLayout(thing), "object Thing: TSizedThing\r\n  Width = 10\r\nend\r\n");
    thing.SetAutoSize(true);
    thing.SetTag(3);
    EXPECT_EQ(WriteLayout(thing),
              "object Thing: TSizedThing\r\n  Tag = 3\r\n  AutoSize = True\r\nend\r\n");
}

TEST_F(Layout, StringsQuoteOnlyWhatNeedsIt) {
    EXPECT_EQ(QuoteLayoutString(""), "''");
    EXPECT_EQ(QuoteLayoutString("a'b"), "'a''b'");
    EXPECT_EQ(QuoteLayoutString("\r\nx\t"), "#13#10'x'#9");
}

// The value of the string token `text` is, or the reason and column it is refused
// for.
std::string StringToken(const std::string& text) {
    try {
        TLayoutLexer lexer(text);
        EXPECT_EQ(lexer.Token().Kind(), TLayoutTokenKind::ltString) << text;
        return lexer.Token().Text();
    } catch (const ELayoutError& e) {
        return e.Reason() + " at " + std::to_string(e.Column());
    }
}

TEST_F(Layout, CharacterCodesAreWindows1252BelowAndUnicodeAbove256) {
    EXPECT_EQ(StringToken("#1046#1091#1082"), "\xD0\x96\xD1\x83\xD0\xBA"); // Жук
    EXPECT_EQ(StringToken("#233"), "\xC3\xA9");
    EXPECT_EQ(StringToken("#$E9"), "\xC3\xA9");
    EXPECT_EQ(StringToken("#128"), "\xE2\x82\xAC") << "the euro sign at its Windows-1252 place";
    EXPECT_EQ(StringToken("#8364#$20AC"), "\xE2\x82\xAC\xE2\x82\xAC");
    EXPECT_EQ(StringToken("#129#160#255"), "\xC2\x81\xC2\xA0\xC3\xBF")
        << "an unassigned Windows-1252 byte is the C1 control of its value";
    EXPECT_EQ(StringToken("#65#127#0"), std::string("A\x7F\0", 3));
    EXPECT_EQ(StringToken("#65535#00065"), std::string("\xEF\xBF\xBF") + "A");
    EXPECT_EQ(StringToken("'x'#1046'y'"), "x\xD0\x96y");
}

TEST_F(Layout, ASurrogatePairIsOneCharacter) {
    const std::string grinning = "\xF0\x9F\x98\x80"; // U+1F600
    EXPECT_EQ(StringToken("#55357#56832"), grinning);
    EXPECT_EQ(StringToken("#$D83D#$DE00'!'"), grinning + "!");
    EXPECT_EQ(StringToken("'a'#$D834#$DD1E"), "a\xF0\x9D\x84\x9E");
    EXPECT_EQ(StringToken("#55357"), "Invalid character code at 1");
    EXPECT_EQ(StringToken("'a'#55357'b'"), "Invalid character code at 4");
    EXPECT_EQ(StringToken("#55357#65"), "Invalid character code at 1");
    EXPECT_EQ(StringToken("#55357#55357#56832"), "Invalid character code at 1");
    EXPECT_EQ(StringToken("'a'#56832"), "Invalid character code at 4") << "a low one first";
}

TEST_F(Layout, CharacterCodesHaveAtMostFiveDecimalOrFourHexadecimalDigits) {
    EXPECT_EQ(StringToken("#99999"), "\xF0\x98\x9A\x9F") << "a code point beyond U+FFFF";
    EXPECT_EQ(StringToken("'x'#100000"), "Invalid character code at 4");
    EXPECT_EQ(StringToken("#$FFFF"), "\xEF\xBF\xBF");
    EXPECT_EQ(StringToken("#$10000"), "Invalid character code at 1");
    EXPECT_EQ(StringToken("#$"), "Invalid character code at 1");
    EXPECT_EQ(StringToken("#x"), "Invalid character code at 1");
}

TEST_F(Layout, QuotedBytesAreSystemText) {
    EXPECT_EQ(StringToken("'Caf\xE9 \x80'"), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(StringToken("'Caf\xC3\xA9 \xE2\x82\xAC'"), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(StringToken("'\xC3'#169"), "\xC3\x83\xC2\xA9")
        << "each quoted part is read on its own";
    TTestForm form(nullptr);
    ReadLayout(form, "object F: TTestForm\n  Title = 'Caf\xE9'\nend\n");
    EXPECT_EQ(form.Title(), "Caf\xC3\xA9");
}

TEST_F(Layout, NonAsciiCharactersAreWrittenAsTheirCodesAndReadBack) {
    EXPECT_EQ(QuoteLayoutString("\xD0\x96\xD1\x83\xD0\xBA"), "#1046#1091#1082");
    EXPECT_EQ(QuoteLayoutString("Caf\xC3\xA9!"), "'Caf'#233'!'");
    EXPECT_EQ(QuoteLayoutString("\xF0\x9F\x98\x80"), "#55357#56832");
    EXPECT_EQ(QuoteLayoutString("Caf\xE9 \x80"), "'Caf'#233' '#8364")
        << "Windows-1252 bytes are written as their characters";
    EXPECT_EQ(QuoteLayoutString(std::string("a\xC2\x85") + "b\xC2\x81"),
              std::string("'a\xC2\x85") + "b'#129")
        << "a C1 control whose code would read as a Windows-1252 letter is written as it is";

    const std::string captions[] = {
        "\xD0\x96\xD1\x83\xD0\xBA \xD0\xB8 \xD0\xBF\xD0\xB0\xD1\x83\xD0\xBA", // Жук и паук
        "\xE6\xB0\xB4\xE6\x97\x8F\xE9\xA4\xA8\xE3\x81\xAE\xE9\xAD\x9A",       // 水族館の魚
        "It's \xE2\x82\xAC 5, \xC2\xA9 Caf\xC3\xA9 \xF0\x9F\x90\xA0\r\n\xC2\x85\xC2\x9F",
    };
    for (const std::string& caption : captions) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(StringToken(QuoteLayoutString(caption)), caption);
        TTestForm form(nullptr);
        form.SetName("F");
        form.SetTitle(caption);
        const std::string written = WriteLayout(form);
        TTestForm again(nullptr);
        ReadLayout(again, written);
        EXPECT_EQ(again.Title(), caption);
        EXPECT_EQ(WriteLayout(again), written);
    }
}
} // namespace
