#include "framework/components/LayoutReader.h"

#include "framework/base/Streams.h"
#include "framework/base/StringList.h"
#include "framework/components/ClassRegistry.h"
#include "framework/components/Collections.h"
#include "framework/components/Properties.h"

#include <algorithm>
#include <vector>

// One reading. The parser is recursive descent over the lexer's tokens:
//   layout   = object EOF
//   object   = "object" [Name ":"] Class { property | object } "end"
//   property = Ident { "." Ident } "=" value
//   value    = ["-"] Integer | String { ["+"] String } | Ident { "." Ident }
//            | "[" [Ident { "," Ident }] "]" | "(" { string } ")" | Binary
//            | "<" { "item" { property } "end" } ">"
class TLayoutReader {
public:
    TLayoutReader(const std::string& text, TComponent* owner, const TLayoutReadOptions& options)
        : FLexer(text), FOwner(owner), FOptions(options) {}

    TComponent* Read(TComponent* root);

private:
    struct TFixup {
        TComponentTracker anchor;
        TPersistent* target;
        const TPropInfo* prop;
        std::string name;
        int line;
        int column;
        std::vector<TCollectionItem*> items;
    };

    const TLayoutToken& Token() const { return FLexer.Token(); }
    std::string ExpectIdent(const char* what);
    void ExpectSymbol(char c);
    void ReadHeader(std::string& name, std::string& className);
    void ReadBody(TComponent& component);
    void ReadChild(TComponent& parent);
    void ReadProperty(TPersistent& object, TComponent& anchor);
    void ReadValue(TPersistent& target, const TPropInfo& p, TComponent& anchor, int line,
                   int column);
    int64_t ReadOrdinal(const TPropInfo& p);
    std::string ReadStringValue();
    void ReadCollection(TCollection& collection, TComponent& anchor);
    void ResolveFixups();
    void Finish();
    void Abort();
    void Enter();
    void Leave() { --FDepth; }

    TLayoutLexer FLexer;
    TComponent* FOwner;
    TLayoutReadOptions FOptions;
    TComponent* FRoot = nullptr;
    bool FRootCreated = false;
    std::vector<TComponentTracker> FCreated;
    std::vector<TFixup> FFixups;
    std::vector<TCollectionItem*> FItems;
    int FDepth = 0;
};

void ReadLayout(TComponent& root, const std::string& text, const TLayoutReadOptions& options) {
    TLayoutReader reader(text, nullptr, options);
    reader.Read(&root);
}

TComponent* CreateFromLayout(const std::string& text, TComponent* owner,
                             const TLayoutReadOptions& options) {
    TLayoutReader reader(text, owner, options);
    return reader.Read(nullptr);
}

std::string LayoutRootClass(const std::string& text) {
    try {
        TLayoutLexer lexer(text);
        if (!lexer.Token().IsWord("object"))
            return "";
        lexer.Next();
        if (lexer.Token().Kind() != TLayoutTokenKind::ltIdent)
            return "";
        lexer.Next();
        if (!lexer.Token().IsSymbol(':'))
            return "";
        lexer.Next();
        return lexer.Token().Kind() == TLayoutTokenKind::ltIdent ? lexer.Token().Text() : "";
    } catch (const Exception&) {
        return "";
    }
}

TComponent* TLayoutReader::Read(TComponent* root) {
    try {
        if (!Token().IsWord("object"))
            FLexer.Error("'object' expected");
        std::string name, className;
        int line = Token().Line(), column = Token().Column();
        ReadHeader(name, className);
        if (root == nullptr) {
            const TClassInfo* info = GetClass(className);
            if (info == nullptr || !info->InheritsFrom(TComponent::StaticClassInfo()) ||
                !info->CanCreate())
                FLexer.ErrorAt(Format("Class %s not found", className.c_str()), line, column);
            root = info->CreateComponent(FOwner);
            FRootCreated = true;
        } else if (!FOptions.AnyRootClass && !root->InheritsFrom(className)) {
            FLexer.ErrorAt(Format("A %s cannot be read into a %s", className.c_str(),
                                  root->ClassName().c_str()),
                           line, column);
        }
        FRoot = root;
        FRoot->SetState(csLoading | csReading, true);
        try {
            FRoot->SetName(name);
        } catch (const EComponentError& e) {
            FLexer.ErrorAt(e.Message(), line, column);
        }
        ReadBody(*FRoot);
        if (Token().Kind() != TLayoutTokenKind::ltEnd)
            FLexer.Error("End of layout expected");
        ResolveFixups();
    } catch (...) {
        Abort();
        throw;
    }
    Finish();
    return FRoot;
}

std::string TLayoutReader::ExpectIdent(const char* what) {
    if (Token().Kind() != TLayoutTokenKind::ltIdent)
        FLexer.Error(Format("%s expected", what));
    std::string text = Token().Text();
    FLexer.Next();
    return text;
}

void TLayoutReader::ExpectSymbol(char c) {
    if (!Token().IsSymbol(c))
        FLexer.Error(Format("'%c' expected", c));
    FLexer.Next();
}

void TLayoutReader::Enter() {
    if (++FDepth > kMaxLayoutDepth)
        FLexer.Error("Layout nested too deeply");
}

void TLayoutReader::ReadHeader(std::string& name, std::string& className) {
    FLexer.Next(); // "object"
    std::string first = ExpectIdent("Component name");
    if (Token().IsSymbol(':')) {
        FLexer.Next();
        name = first;
        className = ExpectIdent("Class name");
    } else {
        className = first;
    }
}

void TLayoutReader::ReadBody(TComponent& component) {
    Enter();
    for (;;) {
        if (Token().IsWord("end")) {
            FLexer.Next();
            break;
        }
        if (Token().IsWord("object"))
            ReadChild(component);
        else if (Token().Kind() == TLayoutTokenKind::ltIdent)
            ReadProperty(component, component);
        else if (Token().Kind() == TLayoutTokenKind::ltEnd)
            FLexer.Error("'end' expected");
        else
            FLexer.Error("Property name expected");
    }
    Leave();
}

void TLayoutReader::ReadChild(TComponent& parent) {
    std::string name, className;
    int line = Token().Line(), column = Token().Column();
    ReadHeader(name, className);
    const TClassInfo* info = GetClass(className);
    if (info == nullptr)
        FLexer.ErrorAt(Format("Class %s not found", className.c_str()), line, column);
    if (!info->InheritsFrom(TComponent::StaticClassInfo()) || !info->CanCreate())
        FLexer.ErrorAt(Format("Cannot create an instance of %s", className.c_str()), line, column);
    TComponent* child = info->CreateComponent(FRoot);
    FCreated.emplace_back(child);
    child->SetState(csLoading | csReading, true);
    try {
        child->SetName(name);
    } catch (const EComponentError& e) {
        FLexer.ErrorAt(e.Message(), line, column);
    }
    child->SetParentComponent(&parent);
    ReadBody(*child);
    child->SetState(csReading, false);
}

void TLayoutReader::ReadProperty(TPersistent& object, TComponent& anchor) {
    int line = Token().Line(), column = Token().Column();
    std::vector<std::string> path{ExpectIdent("Property name")};
    while (Token().IsSymbol('.')) {
        FLexer.Next();
        path.push_back(ExpectIdent("Property name"));
    }
    ExpectSymbol('=');
    std::string fullName = path[0];
    for (size_t i = 1; i < path.size(); ++i)
        fullName += "." + path[i];
    auto missing = [&]() {
        FLexer.ErrorAt(Format("Property %s does not exist", fullName.c_str()), line, column);
    };
    TPersistent* target = &object;
    const TPropInfo* p = nullptr;
    for (size_t i = 0; i < path.size(); ++i) {
        p = target->ClassInfo().FindProperty(path[i]);
        if (p == nullptr)
            missing();
        if (i + 1 == path.size())
            break;
        // Lines.Strings names the list itself.
        if (p->Kind() == TPropKind::pkStrings && i + 2 == path.size() &&
            SameText(path[i + 1], "Strings"))
            break;
        if (p->Kind() != TPropKind::pkPersistent)
            missing();
        target = p->GetObject(*target);
        if (target == nullptr)
            missing();
    }
    ReadValue(*target, *p, anchor, line, column);
}

int64_t TLayoutReader::ReadOrdinal(const TPropInfo& p) {
    const TLayoutToken& t = Token();
    int line = t.Line(), column = t.Column();
    auto invalid = [&]() {
        FLexer.ErrorAt(Format("Invalid value for property %s", p.Name().c_str()), line, column);
    };
    int64_t value = 0;
    switch (p.Kind()) {
    case TPropKind::pkInteger:
        if (t.IsSymbol('-')) {
            FLexer.Next();
            if (Token().Kind() != TLayoutTokenKind::ltInteger)
                invalid();
            value = -Token().Integer();
            FLexer.Next();
        } else if (t.Kind() == TLayoutTokenKind::ltInteger) {
            value = t.Integer();
            FLexer.Next();
        } else if (t.Kind() == TLayoutTokenKind::ltIdent) {
            if (!IdentToInteger(p.IdentType(), t.Text(), value))
                invalid();
            FLexer.Next();
        } else {
            invalid();
        }
        break;
    case TPropKind::pkBoolean:
        if (t.IsWord("True"))
            value = 1;
        else if (!t.IsWord("False"))
            invalid();
        FLexer.Next();
        break;
    case TPropKind::pkEnum:
        if (t.Kind() != TLayoutTokenKind::ltIdent || (value = p.EnumInfo()->Ordinal(t.Text())) < 0)
            invalid();
        FLexer.Next();
        break;
    case TPropKind::pkSet: {
        if (!t.IsSymbol('['))
            invalid();
        FLexer.Next();
        uint64_t mask = 0;
        bool first = true;
        while (!Token().IsSymbol(']')) {
            if (!first)
                ExpectSymbol(',');
            first = false;
            int ordinal = Token().Kind() == TLayoutTokenKind::ltIdent
                              ? p.EnumInfo()->Ordinal(Token().Text())
                              : -1;
            if (ordinal < 0 || ordinal >= 64)
                FLexer.Error(Format("Invalid value for property %s", p.Name().c_str()));
            mask |= uint64_t(1) << ordinal;
            FLexer.Next();
        }
        FLexer.Next();
        value = static_cast<int64_t>(mask);
        break;
    }
    default:
        invalid();
    }
    if (!p.AcceptsOrd(value))
        FLexer.ErrorAt(Format("Value %lld out of range for property %s",
                              static_cast<long long>(value), p.Name().c_str()),
                       line, column);
    return value;
}

std::string TLayoutReader::ReadStringValue() {
    if (Token().Kind() != TLayoutTokenKind::ltString)
        FLexer.Error("String expected");
    std::string value = Token().Text();
    FLexer.Next();
    while (Token().IsSymbol('+')) {
        FLexer.Next();
        if (Token().Kind() != TLayoutTokenKind::ltString)
            FLexer.Error("String expected");
        value += Token().Text();
        FLexer.Next();
    }
    return value;
}

void TLayoutReader::ReadValue(TPersistent& target, const TPropInfo& p, TComponent& anchor, int line,
                              int column) {
    if (!p.Writable() && p.Kind() != TPropKind::pkCollection)
        FLexer.ErrorAt(Format("Property %s is read-only", p.Name().c_str()), line, column);
    auto invalid = [&]() {
        FLexer.Error(Format("Invalid value for property %s", p.Name().c_str()));
    };
    switch (p.Kind()) {
    case TPropKind::pkInteger:
    case TPropKind::pkBoolean:
    case TPropKind::pkEnum:
    case TPropKind::pkSet: {
        int64_t value = ReadOrdinal(p);
        p.SetOrd(target, value);
        break;
    }
    case TPropKind::pkString: {
        std::string value = ReadStringValue();
        p.SetStr(target, value);
        break;
    }
    case TPropKind::pkComponent: {
        int vline = Token().Line(), vcolumn = Token().Column();
        if (Token().IsWord("nil")) {
            FLexer.Next();
            p.SetObject(target, nullptr);
            break;
        }
        std::string name = ExpectIdent("Component name");
        while (Token().IsSymbol('.')) {
            FLexer.Next();
            name += "." + ExpectIdent("Component name");
        }
        FFixups.push_back(
            TFixup{TComponentTracker(&anchor), &target, &p, name, vline, vcolumn, FItems});
        break;
    }
    case TPropKind::pkEvent: {
        if (Token().IsWord("nil")) {
            FLexer.Next();
            p.SetEvent(target, std::any());
            break;
        }
        if (Token().Kind() != TLayoutTokenKind::ltIdent)
            invalid();
        std::any handler;
        if (FOptions.IgnoreEvents) {
            FLexer.Next();
            break;
        }
        try {
            handler = BindMethod(*FRoot, Token().Text(), p);
        } catch (const EPropertyError& e) {
            FLexer.Error(e.Message());
        }
        FLexer.Next();
        p.SetEvent(target, handler);
        break;
    }
    case TPropKind::pkBinary: {
        if (Token().Kind() != TLayoutTokenKind::ltBinary)
            invalid();
        int vline = Token().Line(), vcolumn = Token().Column();
        TMemoryStream data;
        data.WriteBuffer(Token().Text().data(), static_cast<int64_t>(Token().Text().size()));
        data.SetPosition(0);
        FLexer.Next();
        // Bytes the object cannot decode are a fault of the layout's text,
        // like any other value that does not fit: say where they are.
        try {
            p.ReadData(target, data);
        } catch (const ELayoutError&) {
            throw;
        } catch (const Exception& e) {
            FLexer.ErrorAt(
                Format("Invalid data for property %s: %s", p.Name().c_str(), e.Message().c_str()),
                vline, vcolumn);
        }
        break;
    }
    case TPropKind::pkStrings: {
        if (!Token().IsSymbol('('))
            invalid();
        FLexer.Next();
        TStringList lines;
        while (!Token().IsSymbol(')'))
            lines.Add(ReadStringValue());
        FLexer.Next();
        p.SetStrings(target, lines);
        break;
    }
    case TPropKind::pkCollection: {
        if (!Token().IsSymbol('<'))
            invalid();
        auto* collection = dynamic_cast<TCollection*>(p.GetObject(target));
        if (collection == nullptr)
            invalid();
        ReadCollection(*collection, anchor);
        break;
    }
    case TPropKind::pkPersistent:
        invalid();
    }
}

void TLayoutReader::ReadCollection(TCollection& collection, TComponent& anchor) {
    FLexer.Next(); // '<'
    Enter();
    // Clearing destroys the items: forget references waiting to be set on them.
    std::erase_if(FFixups, [&](const TFixup& f) {
        return std::any_of(f.items.begin(), f.items.end(), [&](TCollectionItem* item) {
            return item->Collection() == &collection;
        });
    });
    collection.BeginUpdate();
    try {
        collection.Clear();
        while (!Token().IsSymbol('>')) {
            if (!Token().IsWord("item"))
                FLexer.Error("'item' expected");
            FLexer.Next();
            TCollectionItem* item = collection.Add();
            FItems.push_back(item);
            while (!Token().IsWord("end")) {
                if (Token().Kind() != TLayoutTokenKind::ltIdent)
                    FLexer.Error("'end' expected");
                ReadProperty(*item, anchor);
            }
            FLexer.Next();
            FItems.pop_back();
        }
        FLexer.Next();
    } catch (...) {
        FItems.clear();
        collection.EndUpdate();
        throw;
    }
    collection.EndUpdate();
    Leave();
}

void TLayoutReader::ResolveFixups() {
    // Setters may add nothing here, but take the list first all the same.
    std::vector<TFixup> fixups = std::move(FFixups);
    FFixups.clear();
    for (const TFixup& f : fixups) {
        if (!f.anchor.Exists())
            continue;
        TComponent* found = nullptr;
        size_t dot = f.name.find('.');
        if (dot == std::string::npos) {
            found = SameText(f.name, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.name);
        } else if (SameText(f.name.substr(0, dot), FRoot->Name())) {
            found = FRoot->FindComponent(f.name.substr(dot + 1));
        }
        if (found == nullptr)
            FLexer.ErrorAt(Format("Component %s not found", f.name.c_str()), f.line, f.column);
        if (!found->InheritsFrom(*f.prop->RefClass()))
            FLexer.ErrorAt(Format("Invalid value for property %s", f.prop->Name().c_str()), f.line,
                           f.column);
        f.prop->SetObject(*f.target, found);
    }
}

void TLayoutReader::Finish() {
    FRoot->SetState(csReading, false);
    std::vector<TComponentTracker> loaded{TComponentTracker(FRoot)};
    loaded.insert(loaded.end(), FCreated.begin(), FCreated.end());
    // Every component gets its Loaded even when one of them fails (or frees
    // another); the first failure is reported afterwards.
    std::exception_ptr failure;
    for (const TComponentTracker& t : loaded) {
        TComponent* c = t.Get();
        if (c == nullptr)
            continue;
        try {
            c->Loaded();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
        if (TComponent* still = t.Get())
            still->SetState(csLoading, false);
    }
    if (failure)
        std::rethrow_exception(failure);
}

void TLayoutReader::Abort() {
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
        if (TComponent* c = it->Get())
            c->Free();
    FCreated.clear();
    if (FRoot != nullptr) {
        if (FRootCreated) {
            FRoot->Free();
            FRoot = nullptr;
        } else {
            FRoot->SetState(csLoading | csReading, false);
        }
    }
}
