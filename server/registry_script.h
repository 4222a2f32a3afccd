#pragma once
// Registry scripts: the text form in which each class describes its registry entries.
//
//   HKCR
//   {
//       Some.ProgID = s 'Description'
//       {
//           CLSID = s '{...}'
//       }
//       NoRemove CLSID
//       {
//           ForceRemove {...} = s 'Description'
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// Tokens are separated by white space; text in single quotes may hold spaces, and '' stands
// for one quote. A key may carry a default value and named values ("val"), of type s (text) or
// d (a 32-bit number). NoRemove keys are never removed; ForceRemove keys are replaced whole on
// registration; Delete keys are only ever removed. %NAME% is replaced from the replacement map
// (after the script is split into tokens, so a replacement cannot change the script's shape);
// %% stands for %.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct RegistryValue {
    enum class Type { String, Number } type = Type::String;
    std::wstring text;
    unsigned long number = 0;

    bool operator==(const RegistryValue& other) const {
        return type == other.type && text == other.text && number == other.number;
    }
};

enum class KeyDisposition { Normal, NoRemove, ForceRemove, Delete };

struct RegistryKeyNode {
    std::wstring name;
    KeyDisposition disposition = KeyDisposition::Normal;
    std::optional<RegistryValue> defaultValue;
    std::vector<std::pair<std::wstring, RegistryValue>> namedValues;
    std::vector<RegistryKeyNode> subkeys;
};

struct RegistryRoot {
    std::wstring name;  // HKCR, HKEY_CLASSES_ROOT, HKCU, ...
    std::vector<RegistryKeyNode> keys;
};

using RegistryReplacements = std::map<std::wstring, std::wstring>;

// Raises CAtlException(E_FAIL) for a script it cannot read.
std::vector<RegistryRoot> ParseRegistryScript(std::wstring_view text, const RegistryReplacements& replacements);
