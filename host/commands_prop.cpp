// prop get DEV | prop set DEV NAME=VALUE ... | prop values DEV NAME
#include <utility>
#include <vector>

#include "host/commands.h"
#include "host/project/output_format.h"
#include "host/project/property_values.h"

namespace {

/// The device's properties as the driver describes them to a property editor.
struct PropertyList {
    CStringArray names;
    CStringArray values;
    CByteArray enumerated;

    /// The position of the property with this name (ignoring case, as the driver compares), or -1.
    int Find(const CString& name) const {
        for (int i = 0; i < names.GetSize(); ++i)
            if (names[i].CompareNoCase(name) == 0) return i;
        return -1;
    }
};

PropertyList GetProperties(DeviceSession& session) {
    PropertyList list;
    session.Call<SvrGetPropertyFn>("SvrGetProperty", list.names, list.values, list.enumerated);
    return list;
}

/// One line per property: name, value text, 1 for an enumerated property else 0.
void PrintProperties(std::ostream& out, const PropertyList& list) {
    for (int i = 0; i < list.names.GetSize(); ++i) {
        const bool enumerated = i < list.enumerated.GetSize() && list.enumerated[i] != 0;
        const CString value = i < list.values.GetSize() ? list.values[i] : CString();
        out << EscapeTsv(list.names[i].ToUtf8()) << '\t' << EscapeTsv(value.ToUtf8()) << '\t' << (enumerated ? 1 : 0) << '\n';
    }
}

std::string PropertyNames(const PropertyList& list) {
    std::string names;
    for (int i = 0; i < list.names.GetSize(); ++i) {
        names += (i ? ", " : "") + std::to_string(i) + " " + (i < kPropertyKeyCount ? kPropertyKeys[i].key : "");
        names += " \"" + list.names[i].ToUtf8() + "\"";
    }
    return names;
}

/// A property by its name in the current language (any case), by its language-independent key
/// (delay, reconnect, rack, slot, encoding, byte-order) or by its position.
int FindProperty(const PropertyList& list, const std::string& name) {
    int index = list.Find(CString::FromUtf8(name));
    for (int i = 0; index < 0 && i < kPropertyKeyCount && i < list.names.GetSize(); ++i)
        if (CString::FromUtf8(name).CompareNoCase(CString::FromUtf8(kPropertyKeys[i].key)) == 0) index = i;
    if (index < 0 && name.size() == 1 && name[0] >= '0' && name[0] - '0' < list.names.GetSize()) index = name[0] - '0';
    if (index < 0) throw UsageError("the device has no property named " + name + "; its properties are " + PropertyNames(list));
    return index;
}

CStringArray ValueTexts(DeviceSession& session, const CString& property) {
    CStringArray texts;
    session.Call<SvrEnumPropertyValueFn>("SvrEnumPropertyValue", property, texts);
    return texts;
}

/// A text of decimal digits only, as its number; otherwise -1.
int ParsePosition(const CString& text) {
    if (text.IsEmpty() || text.GetLength() > 9) return -1;
    int position = 0;
    for (char16_t ch : text.str()) {
        if (ch < u'0' || ch > u'9') return -1;
        position = position * 10 + (ch - u'0');
    }
    return position;
}

/// An enumerated property takes one of its value texts (any case) or the position of one.
CString ChooseValueText(const CStringArray& texts, const std::string& property, const std::string& given) {
    CString value = CString::FromUtf8(given);
    value.Trim();
    for (const CString& text : texts)
        if (text.CompareNoCase(value) == 0) return text;
    const int position = ParsePosition(value);
    if (position >= 0 && position < texts.GetSize()) return texts[position];
    std::string choices;
    for (int i = 0; i < texts.GetSize(); ++i) choices += (i ? ", " : "") + texts[i].ToUtf8();
    throw UsageError("\"" + given + "\" is not a value of " + property + "; its values are " + choices +
                    " (or their positions, from 0)");
}

/// NAME=VALUE, split at the first "=".
std::pair<std::string, std::string> SplitAssignment(const std::string& assignment) {
    const size_t equals = assignment.find('=');
    return {assignment.substr(0, equals), assignment.substr(equals + 1)};
}

/// As a property editor does: the full lists from the driver, the named values replaced, all of
/// them handed back.
void SetProperties(HostContext& ctx, const std::string& device, const std::vector<std::string>& assignments) {
    auto session = ctx.OpenDevice(device, DeviceUse::kChange);
    PropertyList list = GetProperties(*session);
    for (const std::string& assignment : assignments) {
        const auto [name, value] = SplitAssignment(assignment);
        const int index = FindProperty(list, name);
        if (index < list.enumerated.GetSize() && list.enumerated[index])
            list.values[index] = ChooseValueText(ValueTexts(*session, list.names[index]), name, value);
        else if (index < kPropertyKeyCount)
            list.values[index] = CString::FromUtf8(CheckedPropertyNumber(index, name, value));
        else
            list.values[index] = CString::FromUtf8(value);
    }
    session->Call<SvrSetPropertyFn>("SvrSetProperty", list.names, list.values);
    ctx.SaveDevice(*session);
    PrintProperties(ctx.Out(), GetProperties(*session));
}

void PrintValueTexts(HostContext& ctx, const std::string& device, const std::string& property) {
    auto session = ctx.OpenDevice(device, DeviceUse::kRead);
    const PropertyList list = GetProperties(*session);
    const CStringArray texts = ValueTexts(*session, list.names[FindProperty(list, property)]);
    for (const CString& text : texts) ctx.Out() << EscapeTsv(text.ToUtf8()) << '\n';
}

std::string CheckAssignment(const std::string& text) {
    return text.find('=') == std::string::npos ? "expected NAME=VALUE, got " + text : std::string();
}

}  // namespace

void AddPropertyCommands(CLI::App& app, CommandAction& action) {
    CLI::App* prop = app.add_subcommand("prop", "show or change device properties")->require_subcommand(1);

    auto device = std::make_shared<std::string>();
    CLI::App* get = prop->add_subcommand("get", "one line per property: name<TAB>value<TAB>enumerated (0|1)");
    get->add_option("DEV", *device, "device name")->required();
    SetAction(get, action, [device](HostContext& ctx) {
        auto session = ctx.OpenDevice(*device, DeviceUse::kRead);
        PrintProperties(ctx.Out(), GetProperties(*session));
    });

    auto setDevice = std::make_shared<std::string>();
    auto assignments = std::make_shared<std::vector<std::string>>();
    CLI::App* set = prop->add_subcommand("set", "set properties by name; prints the properties as prop get");
    set->add_option("DEV", *setDevice, "device name")->required();
    set->add_option("NAME=VALUE", *assignments, "property name and value")->required()->check(CheckAssignment);
    SetAction(set, action, [setDevice, assignments](HostContext& ctx) { SetProperties(ctx, *setDevice, *assignments); });

    auto valuesDevice = std::make_shared<std::string>();
    auto property = std::make_shared<std::string>();
    CLI::App* values = prop->add_subcommand("values", "the value texts of an enumerated property, one per line");
    values->add_option("DEV", *valuesDevice, "device name")->required();
    values->add_option("NAME", *property, "property name")->required();
    SetAction(values, action, [valuesDevice, property](HostContext& ctx) { PrintValueTexts(ctx, *valuesDevice, *property); });
}
