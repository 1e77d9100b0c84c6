#include "framework/components/LayoutReader.h"

#include "framework/components/ClassRegistry.h"
#include "framework/components/Collections.h"
#include "framework/components/Properties.h"
#include "framework/base/Streams.h"
#include "framework/base/StringList.h"

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
    TLayoutReader(const std::string& text, TComponent* owner) : lexer_(text), owner_(owner) {}

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

    const TLayoutToken& Token() const { return lexer_.Token(); }
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
    void Leave() { --depth_; }

    TLayoutLexer lexer_;
    TComponent* owner_;
    TComponent* root_ = nullptr;
    bool rootCreated_ = false;
    std::vector<TComponentTracker> created_;
    std::vector<TFixup> fixups_;
    std::vector<TCollectionItem*> items_;
    int depth_ = 0;
};

void ReadLayout(TComponent& root, const std::string& text) {
    TLayoutReader reader(text, nullptr);
    reader.Read(&root);
}

TComponent* CreateFromLayout(const std::string& text, TComponent* owner) {
    TLayoutReader reader(text, owner);
    return reader.Read(nullptr);
}

TComponent* TLayoutReader::Read(TComponent* root) {
    try {
        if (!Token().IsWord("object"))
            lexer_.Error("'object' expected");
        std::string name, className;
        int line = Token().Line(), column = Token().Column();
        ReadHeader(name, className);
        if (root == nullptr) {
            const TClassInfo* info = GetClass(className);
            if (info == nullptr || !info->InheritsFrom(TComponent::StaticClassInfo()) ||
                !info->CanCreate())
                lexer_.ErrorAt(Format("Class %s not found", className.c_str()), line, column);
            root = info->CreateComponent(owner_);
            rootCreated_ = true;
        } else if (!root->InheritsFrom(className)) {
            lexer_.ErrorAt(Format("A %s cannot be read into a %s", className.c_str(),
                                  root->ClassName().c_str()),
                           line, column);
        }
        root_ = root;
        root_->SetState(csLoading | csReading, true);
        try {
            root_->SetName(name);
        } catch (const EComponentError& e) {
            lexer_.ErrorAt(e.Message(), line, column);
        }
        ReadBody(*root_);
        if (Token().Kind() != TLayoutTokenKind::ltEnd)
            lexer_.Error("End of layout expected");
        ResolveFixups();
    } catch (...) {
        Abort();
        throw;
    }
    Finish();
    return root_;
}

std::string TLayoutReader::ExpectIdent(const char* what) {
    if (Token().Kind() != TLayoutTokenKind::ltIdent)
        lexer_.Error(Format("%s expected", what));
    std::string text = Token().Text();
    lexer_.Next();
    return text;
}

void TLayoutReader::ExpectSymbol(char c) {
    if (!Token().IsSymbol(c))
        lexer_.Error(Format("'%c' expected", c));
    lexer_.Next();
}

void TLayoutReader::Enter() {
    if (++depth_ > kMaxLayoutDepth)
        lexer_.Error("Layout nested too deeply");
}

void TLayoutReader::ReadHeader(std::string& name, std::string& className) {
    lexer_.Next(); // "object"
    std::string first = ExpectIdent("Component name");
    if (Token().IsSymbol(':')) {
        lexer_.Next();
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
            lexer_.Next();
            break;
        }
        if (Token().IsWord("object"))
            ReadChild(component);
        else if (Token().Kind() == TLayoutTokenKind::ltIdent)
            ReadProperty(component, component);
        else if (Token().Kind() == TLayoutTokenKind::ltEnd)
            lexer_.Error("'end' expected");
        else
            lexer_.Error("Property name expected");
    }
    Leave();
}

void TLayoutReader::ReadChild(TComponent& parent) {
    std::string name, className;
    int line = Token().Line(), column = Token().Column();
    ReadHeader(name, className);
    const TClassInfo* info = GetClass(className);
    if (info == nullptr)
        lexer_.ErrorAt(Format("Class %s not found", className.c_str()), line, column);
    if (!info->InheritsFrom(TComponent::StaticClassInfo()) || !info->CanCreate())
        lexer_.ErrorAt(Format("Cannot create an instance of %s", className.c_str()), line, column);
    TComponent* child = info->CreateComponent(root_);
    created_.emplace_back(child);
    child->SetState(csLoading | csReading, true);
    try {
        child->SetName(name);
    } catch (const EComponentError& e) {
        lexer_.ErrorAt(e.Message(), line, column);
    }
    child->SetParentComponent(&parent);
    ReadBody(*child);
    child->SetState(csReading, false);
}

void TLayoutReader::ReadProperty(TPersistent& object, TComponent& anchor) {
    int line = Token().Line(), column = Token().Column();
    std::vector<std::string> path{ExpectIdent("Property name")};
    while (Token().IsSymbol('.')) {
        lexer_.Next();
        path.push_back(ExpectIdent("Property name"));
    }
    ExpectSymbol('=');
    std::string fullName = path[0];
    for (size_t i = 1; i < path.size(); ++i)
        fullName += "." + path[i];
    auto missing = [&]() {
        lexer_.ErrorAt(Format("Property %s does not exist", fullName.c_str()), line, column);
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
        lexer_.ErrorAt(Format("Invalid value for property %s", p.Name().c_str()), line, column);
    };
    int64_t value = 0;
    switch (p.Kind()) {
    case TPropKind::pkInteger:
        if (t.IsSymbol('-')) {
            lexer_.Next();
            if (Token().Kind() != TLayoutTokenKind::ltInteger)
                invalid();
            value = -Token().Integer();
            lexer_.Next();
        } else if (t.Kind() == TLayoutTokenKind::ltInteger) {
            value = t.Integer();
            lexer_.Next();
        } else if (t.Kind() == TLayoutTokenKind::ltIdent) {
            if (!IdentToInteger(p.IdentType(), t.Text(), value))
                invalid();
            lexer_.Next();
        } else {
            invalid();
        }
        break;
    case TPropKind::pkBoolean:
        if (t.IsWord("True"))
            value = 1;
        else if (!t.IsWord("False"))
            invalid();
        lexer_.Next();
        break;
    case TPropKind::pkEnum:
        if (t.Kind() != TLayoutTokenKind::ltIdent || (value = p.EnumInfo()->Ordinal(t.Text())) < 0)
            invalid();
        lexer_.Next();
        break;
    case TPropKind::pkSet: {
        if (!t.IsSymbol('['))
            invalid();
        lexer_.Next();
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
                lexer_.Error(Format("Invalid value for property %s", p.Name().c_str()));
            mask |= uint64_t(1) << ordinal;
            lexer_.Next();
        }
        lexer_.Next();
        value = static_cast<int64_t>(mask);
        break;
    }
    default:
        invalid();
    }
    if (!p.AcceptsOrd(value))
        lexer_.ErrorAt(Format("Value %lld out of range for property %s",
                              static_cast<long long>(value), p.Name().c_str()),
                       line, column);
    return value;
}

std::string TLayoutReader::ReadStringValue() {
    if (Token().Kind() != TLayoutTokenKind::ltString)
        lexer_.Error("String expected");
    std::string value = Token().Text();
    lexer_.Next();
    while (Token().IsSymbol('+')) {
        lexer_.Next();
        if (Token().Kind() != TLayoutTokenKind::ltString)
            lexer_.Error("String expected");
        value += Token().Text();
        lexer_.Next();
    }
    return value;
}

void TLayoutReader::ReadValue(TPersistent& target, const TPropInfo& p, TComponent& anchor, int line,
                              int column) {
    if (!p.Writable() && p.Kind() != TPropKind::pkCollection)
        lexer_.ErrorAt(Format("Property %s is read-only", p.Name().c_str()), line, column);
    auto invalid = [&]() {
        lexer_.Error(Format("Invalid value for property %s", p.Name().c_str()));
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
            lexer_.Next();
            p.SetObject(target, nullptr);
            break;
        }
        std::string name = ExpectIdent("Component name");
        while (Token().IsSymbol('.')) {
            lexer_.Next();
            name += "." + ExpectIdent("Component name");
        }
        fixups_.push_back(
            TFixup{TComponentTracker(&anchor), &target, &p, name, vline, vcolumn, items_});
        break;
    }
    case TPropKind::pkEvent: {
        if (Token().IsWord("nil")) {
            lexer_.Next();
            p.SetEvent(target, std::any());
            break;
        }
        if (Token().Kind() != TLayoutTokenKind::ltIdent)
            invalid();
        std::any handler;
        try {
            handler = BindMethod(*root_, Token().Text(), p);
        } catch (const EPropertyError& e) {
            lexer_.Error(e.Message());
        }
        lexer_.Next();
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
        lexer_.Next();
        // Bytes the object cannot decode are a fault of the layout's text,
        // like any other value that does not fit: say where they are.
        try {
            p.ReadData(target, data);
        } catch (const ELayoutError&) {
            throw;
        } catch (const Exception& e) {
            lexer_.ErrorAt(
                Format("Invalid data for property %s: %s", p.Name().c_str(), e.Message().c_str()),
                vline, vcolumn);
        }
        break;
    }
    case TPropKind::pkStrings: {
        if (!Token().IsSymbol('('))
            invalid();
        lexer_.Next();
        TStringList lines;
        while (!Token().IsSymbol(')'))
            lines.Add(ReadStringValue());
        lexer_.Next();
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
    lexer_.Next(); // '<'
    Enter();
    // Clearing destroys the items: forget references waiting to be set on them.
    std::erase_if(fixups_, [&](const TFixup& f) {
        return std::any_of(f.items.begin(), f.items.end(), [&](TCollectionItem* item) {
            return item->Collection() == &collection;
        });
    });
    collection.BeginUpdate();
    try {
        collection.Clear();
        while (!Token().IsSymbol('>')) {
            if (!Token().IsWord("item"))
                lexer_.Error("'item' expected");
            lexer_.Next();
            TCollectionItem* item = collection.Add();
            items_.push_back(item);
            while (!Token().IsWord("end")) {
                if (Token().Kind() != TLayoutTokenKind::ltIdent)
                    lexer_.Error("'end' expected");
                ReadProperty(*item, anchor);
            }
            lexer_.Next();
            items_.pop_back();
        }
        lexer_.Next();
    } catch (...) {
        items_.clear();
        collection.EndUpdate();
        throw;
    }
    collection.EndUpdate();
    Leave();
}

void TLayoutReader::ResolveFixups() {
    // Setters may add nothing here, but take the list first all the same.
    std::vector<TFixup> fixups = std::move(fixups_);
    fixups_.clear();
    for (const TFixup& f : fixups) {
        if (!f.anchor.Exists())
            continue;
        TComponent* found = nullptr;
        size_t dot = f.name.find('.');
        if (dot == std::string::npos) {
            found = SameText(f.name, root_->Name()) ? root_ : root_->FindComponent(f.name);
        } else if (SameText(f.name.substr(0, dot), root_->Name())) {
            found = root_->FindComponent(f.name.substr(dot + 1));
        }
        if (found == nullptr)
            lexer_.ErrorAt(Format("Component %s not found", f.name.c_str()), f.line, f.column);
        if (!found->InheritsFrom(*f.prop->RefClass()))
            lexer_.ErrorAt(Format("Invalid value for property %s", f.prop->Name().c_str()), f.line,
                           f.column);
        f.prop->SetObject(*f.target, found);
    }
}

void TLayoutReader::Finish() {
    root_->SetState(csReading, false);
    std::vector<TComponentTracker> loaded{TComponentTracker(root_)};
    loaded.insert(loaded.end(), created_.begin(), created_.end());
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
    for (auto it = created_.rbegin(); it != created_.rend(); ++it)
        if (TComponent* c = it->Get())
            c->Free();
    created_.clear();
    if (root_ != nullptr) {
        if (rootCreated_) {
            root_->Free();
            root_ = nullptr;
        } else {
            root_->SetState(csLoading | csReading, false);
        }
    }
}
