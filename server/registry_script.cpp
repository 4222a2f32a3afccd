#include "server/registry_script.h"

#include <cwctype>

#include "common/errors.h"

namespace {

struct Token {
    std::wstring text;
    bool quoted = false;
};

[[noreturn]] void Malformed() { throw CAtlException(hresult::kFail); }

bool SameWord(const std::wstring& a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

std::wstring Replace(std::wstring_view text, const RegistryReplacements& replacements) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            out += text[i];
            continue;
        }
        const std::size_t end = text.find(L'%', i + 1);
        if (end == std::wstring_view::npos) Malformed();
        const std::wstring name(text.substr(i + 1, end - i - 1));
        if (name.empty()) {
            out += L'%';
        } else {
            const auto found = replacements.find(name);
            if (found == replacements.end()) Malformed();
            out += found->second;
        }
        i = end;
    }
    return out;
}

std::vector<Token> Tokenize(std::wstring_view text, const RegistryReplacements& replacements) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (std::iswspace(text[i]) || text[i] == L'\0') {
            ++i;
            continue;
        }
        Token token;
        if (text[i] == L'\'') {
            token.quoted = true;
            std::wstring raw;
            for (++i;; ++i) {
                if (i >= text.size()) Malformed();
                if (text[i] != L'\'') {
                    raw += text[i];
                } else if (i + 1 < text.size() && text[i + 1] == L'\'') {
                    raw += L'\'';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            token.text = Replace(raw, replacements);
        } else {
            const std::size_t start = i;
            while (i < text.size() && !std::iswspace(text[i]) && text[i] != L'\'' && text[i] != L'\0') ++i;
            token.text = Replace(text.substr(start, i - start), replacements);
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    std::vector<RegistryRoot> Script() {
        std::vector<RegistryRoot> roots;
        while (!AtEnd()) {
            RegistryRoot root;
            root.name = Next().text;
            Expect(L"{");
            while (!Peek(L"}")) root.keys.push_back(Key());
            Expect(L"}");
            roots.push_back(std::move(root));
        }
        return roots;
    }

private:
    RegistryKeyNode Key() {
        RegistryKeyNode node;
        node.disposition = Disposition();
        node.name = Name();
        if (Peek(L"=")) {
            Next();
            node.defaultValue = Value();
        }
        if (!Peek(L"{")) return node;
        Next();
        while (!Peek(L"}")) {
            if (PeekWord(L"val")) {
                Next();
                std::wstring name = Name();
                Expect(L"=");
                node.namedValues.emplace_back(std::move(name), Value());
            } else {
                node.subkeys.push_back(Key());
            }
        }
        Next();
        return node;
    }

    KeyDisposition Disposition() {
        if (PeekWord(L"NoRemove")) return Next(), KeyDisposition::NoRemove;
        if (PeekWord(L"ForceRemove")) return Next(), KeyDisposition::ForceRemove;
        if (PeekWord(L"Delete")) return Next(), KeyDisposition::Delete;
        return KeyDisposition::Normal;
    }

    std::wstring Name() {
        const Token& token = Next();
        if (!token.quoted && (token.text == L"{" || token.text == L"}" || token.text == L"=")) Malformed();
        if (token.text.empty()) Malformed();
        return token.text;
    }

    RegistryValue Value() {
        const Token& type = Next();
        const Token& data = Next();
        if (!type.quoted && SameWord(type.text, L"s")) {
            if (!data.quoted) Malformed();
            return RegistryValue{RegistryValue::Type::String, data.text, 0};
        }
        if (!type.quoted && SameWord(type.text, L"d")) return RegistryValue{RegistryValue::Type::Number, {}, Number(data.text)};
        Malformed();
    }

    static unsigned long Number(const std::wstring& text) {
        if (text.empty()) Malformed();
        std::size_t used = 0;
        unsigned long long value = 0;
        try {
            value = std::stoull(text, &used, 0);
        } catch (...) {
            Malformed();
        }
        if (used != text.size() || value > 0xFFFFFFFFull) Malformed();
        return static_cast<unsigned long>(value);
    }

    bool AtEnd() const { return position_ >= tokens_.size(); }
    bool Peek(std::wstring_view symbol) const {
        return !AtEnd() && !tokens_[position_].quoted && tokens_[position_].text == symbol;
    }
    bool PeekWord(std::wstring_view word) const {
        return !AtEnd() && !tokens_[position_].quoted && SameWord(tokens_[position_].text, word);
    }
    const Token& Next() {
        if (AtEnd()) Malformed();
        return tokens_[position_++];
    }
    void Expect(std::wstring_view symbol) {
        if (!Peek(symbol)) Malformed();
        Next();
    }

    std::vector<Token> tokens_;
    std::size_t position_ = 0;
};

}  // namespace

std::vector<RegistryRoot> ParseRegistryScript(std::wstring_view text, const RegistryReplacements& replacements) {
    return Parser(Tokenize(text, replacements)).Script();
}
