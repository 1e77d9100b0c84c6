#include "framework/components/LayoutWriter.h"

#include "framework/components/Collections.h"
#include "framework/base/Streams.h"
#include "framework/base/StringList.h"
#include "platform/kernel32/CodePage.h"

// Binary data: 32 bytes (64 hex digits) per line.
static constexpr size_t kHexBytesPerLine = 32;

class TLayoutWriter {
public:
    explicit TLayoutWriter(TComponent& root) : FRoot(root) {}

    std::string Write() {
        WriteComponent(FRoot, 0);
        return FOut;
    }

private:
    void Line(int indent, const std::string& text) {
        FOut.append(static_cast<size_t>(indent) * 2, ' ');
        FOut += text;
        FOut += "\r\n";
    }

    void WriteComponent(TComponent& component, int indent) {
        component.SetState(csWriting, true);
        std::string header = "object ";
        if (!component.Name().empty())
            header += component.Name() + ": ";
        Line(indent, header + component.ClassName());
        try {
            WriteProperties(component, "", indent + 1);
            component.GetChildren([&](TComponent* child) { WriteComponent(*child, indent + 1); },
                                  &FRoot);
        } catch (...) {
            component.SetState(csWriting, false);
            throw;
        }
        component.SetState(csWriting, false);
        Line(indent, "end");
    }

    std::string ReferenceName(TComponent* c) const {
        if (c == &FRoot)
            return c->Name();
        if (c->Name().empty())
            return "";
        if (c->Owner() == &FRoot || c->Owner() == nullptr)
            return c->Name();
        if (c->Owner()->Name().empty())
            return "";
        return c->Owner()->Name() + "." + c->Name();
    }

    std::string OrdinalText(TPersistent& object, const TPropInfo& p, int64_t value) {
        switch (p.Kind()) {
        case TPropKind::pkBoolean:
            return value != 0 ? "True" : "False";
        case TPropKind::pkEnum:
            return p.EnumInfo()->Name(static_cast<int>(value));
        case TPropKind::pkSet: {
            std::string text = "[";
            for (int i = 0; i < p.EnumInfo()->Count() && i < 64; ++i)
                if ((static_cast<uint64_t>(value) >> i) & 1) {
                    if (text.size() > 1)
                        text += ", ";
                    text += p.EnumInfo()->Name(i);
                }
            return text + "]";
        }
        default: {
            std::string ident;
            if (!p.IdentType().empty() && IntegerToIdent(p.IdentType(), value, ident))
                return ident;
            (void)object;
            return IntToStr(value);
        }
        }
    }

    void WriteProperties(TPersistent& object, const std::string& prefix, int indent) {
        for (const TPropInfo& p : object.ClassInfo().Properties()) {
            if (!p.IsStored(object))
                continue;
            std::string name = prefix + p.Name();
            switch (p.Kind()) {
            case TPropKind::pkInteger:
            case TPropKind::pkBoolean:
            case TPropKind::pkEnum:
            case TPropKind::pkSet: {
                if (!p.Writable())
                    break;
                int64_t value = p.GetOrd(object);
                if (p.HasDefault() && value == p.Default())
                    break;
                Line(indent, name + " = " + OrdinalText(object, p, value));
                break;
            }
            case TPropKind::pkString: {
                if (!p.Writable())
                    break;
                std::string value = p.GetStr(object);
                if (!p.HasDefaultText() || value != p.DefaultText())
                    Line(indent, name + " = " + QuoteLayoutString(value));
                break;
            }
            case TPropKind::pkComponent: {
                if (!p.Writable())
                    break;
                auto* c = dynamic_cast<TComponent*>(p.GetObject(object));
                std::string ref = c != nullptr ? ReferenceName(c) : "";
                if (!ref.empty())
                    Line(indent, name + " = " + ref);
                break;
            }
            case TPropKind::pkEvent: {
                if (!p.Writable() || !p.EventAssigned(object))
                    break;
                std::string method = p.GetMethodName(object);
                if (!method.empty())
                    Line(indent, name + " = " + method);
                break;
            }
            case TPropKind::pkPersistent:
                if (TPersistent* sub = p.GetObject(object))
                    WriteProperties(*sub, name + ".", indent);
                break;
            case TPropKind::pkBinary:
                if (p.HasData(object))
                    WriteBinary(object, p, name, indent);
                break;
            case TPropKind::pkStrings: {
                const TStringList* lines = p.GetStrings(object);
                if (!p.Writable() || lines == nullptr || lines->Count() == 0)
                    break;
                Line(indent, name + ".Strings = (");
                for (int i = 0; i < lines->Count(); ++i)
                    Line(indent + 1,
                         QuoteLayoutString(lines->Get(i)) + (i + 1 == lines->Count() ? ")" : ""));
                break;
            }
            case TPropKind::pkCollection:
                if (auto* c = dynamic_cast<TCollection*>(p.GetObject(object)))
                    WriteCollection(*c, name, indent);
                break;
            }
        }
    }

    void WriteBinary(TPersistent& object, const TPropInfo& p, const std::string& name, int indent) {
        TMemoryStream data;
        p.WriteData(object, data);
        static const char kHex[] = "0123456789ABCDEF";
        Line(indent, name + " = {");
        size_t size = static_cast<size_t>(data.Size());
        if (size == 0) {
            FOut.resize(FOut.size() - 2); // keep "{" and "}" together: "= {}"
            FOut += "}\r\n";
            return;
        }
        for (size_t start = 0; start < size; start += kHexBytesPerLine) {
            std::string hex;
            size_t end = std::min(size, start + kHexBytesPerLine);
            for (size_t i = start; i < end; ++i) {
                hex += kHex[data.Memory()[i] >> 4];
                hex += kHex[data.Memory()[i] & 15];
            }
            Line(indent + 1, hex + (end == size ? "}" : ""));
        }
    }

    void WriteCollection(TCollection& collection, const std::string& name, int indent) {
        if (collection.Count() == 0) {
            Line(indent, name + " = <>");
            return;
        }
        Line(indent, name + " = <");
        for (int i = 0; i < collection.Count(); ++i) {
            Line(indent + 1, "item");
            WriteProperties(*collection.Item(i), "", indent + 2);
            Line(indent + 1, i + 1 == collection.Count() ? "end>" : "end");
        }
    }

    TComponent& FRoot;
    std::string FOut;
};

std::string QuoteLayoutString(const std::string& value) {
    if (value.empty())
        return "''";
    std::string out;
    bool quoted = false;
    const auto quote = [&](bool open) {
        if (quoted != open)
            out += '\'';
        quoted = open;
    };
    for (size_t pos = 0; pos < value.size();) {
        const TCharacter c = DecodeCharacter(value, pos);
        const char32_t cp = c.CodePoint;
        if (cp >= 32 && cp < 127) {
            quote(true);
            if (cp == '\'')
                out += '\'';
            out += static_cast<char>(cp);
        } else if (cp >= 0x80 && cp < 0xA0 &&
                   Windows1252ToCodePoint(static_cast<unsigned char>(cp)) != cp) {
            // A C1 control, from its UTF-8 (C2 80 to C2 9F). Its code would
            // read back as the Windows-1252 character of that byte, so its
            // UTF-8 goes inside the quotes, which are read as they are. The
            // five codes Windows-1252 leaves unassigned stand for these
            // controls themselves and are written as codes.
            quote(true);
            out.append(value, pos, c.Length);
        } else if (cp < 0x10000) {
            quote(false);
            out += '#' + std::to_string(cp);
        } else {
            quote(false);
            out += '#' + std::to_string(0xD800 + ((cp - 0x10000) >> 10));
            out += '#' + std::to_string(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
        pos += c.Length;
    }
    quote(false);
    return out;
}

std::string WriteLayout(TComponent& root) {
    return TLayoutWriter(root).Write();
}
