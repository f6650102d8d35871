// channel add | channel list | channel info | channel delete
#include <cctype>
#include <iostream>
#include <map>
#include <optional>
#include <vector>

#include "host/command_line_errors.h"
#include "host/commands.h"
#include "host/project/channel_table_text.h"
#include "host/project/output_format.h"
#include "host/project/stored_image.h"
#include "host/value_checks.h"
#include "platform/code_page.h"

namespace {

/// Register types by letter or by number: I 0, Q 1, M 2, V 3.
std::optional<int> ParseRegister(const std::string& text) {
    static const std::string kLetters = "IQMV";
    if (text.size() != 1) return std::nullopt;
    const char ch = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (ch >= '0' && ch <= '3') return ch - '0';
    const size_t letter = kLetters.find(ch);
    return letter == std::string::npos ? std::nullopt : std::optional<int>(static_cast<int>(letter));
}

struct ChannelAddOptions {
    std::string device;
    std::string reg;
    int typeIndex = 0;
    std::string address;
    int count = 1;
    int rwFlag = 2;
    std::optional<int> length;
    std::string varName;
    std::string comment;
};

/// The description a channel dialog hands over: the user's fields, and as extra parameter values
/// the string length given or the driver's default for it.
SChlInfo DescribeNewChannels(DeviceSession& session, const ChannelAddOptions& options) {
    CStringArray registerNames, paramNames, paramDefaults;
    CArray<int32_t> registerAccess;
    CDataTypeArray dataTypes;
    session.Call<SvrGetCofigProFn>("SvrGetCofigPro", registerNames, registerAccess, dataTypes, paramNames, paramDefaults);
    SChlInfo info;
    info.regType = *ParseRegister(options.reg);
    info.typeIndex = options.typeIndex;
    info.address = CString::FromUtf8(options.address);
    info.chlCount = options.count;
    info.rwFlag = options.rwFlag;
    info.varName = CString::FromUtf8(options.varName);
    info.comment = CString::FromUtf8(options.comment);
    info.paramNames.Copy(paramNames);
    info.paramValues.Copy(paramDefaults);
    if (options.length) info.paramValues.SetAtGrow(0, CString::Formatted(u"%d", *options.length));
    return info;
}

/// The stored image holds texts in the ANSI code page: characters it lacks are stored as "?", and
/// the user is told which, so that two names that became one are not a surprise.
void WarnOfLostCharacters(const char* option, const CString& text) {
    const std::u16string lost = CharactersLostInCodePage(text.view());
    if (lost.empty()) return;
    std::cerr << "vireo-host: warning: " << option << ": the characters \"" << Utf16ToUtf8(lost) << "\" are not in code page "
              << GetACP() << " and were stored as \"?\"\n";
}

/// Every value is checked before the device is opened: the driver would read a wrong one as
/// another channel.
void CheckChannelAddOptions(const ChannelAddOptions& options) {
    CheckTypeIndex(options.typeIndex);
    CheckChannelAddress(*ParseRegister(options.reg), options.typeIndex, options.address);
    CheckChannelCount(options.count);
    if (options.length) CheckStringLength(*options.length);
}

void AddChannels(HostContext& ctx, const ChannelAddOptions& options) {
    CheckChannelAddOptions(options);
    auto session = ctx.OpenDevice(options.device, DeviceUse::kChange);
    SChlInfo info = DescribeNewChannels(*session, options);
    const int result = session->Call<SvrSetChlInfoFn>("SvrSetChlInfo", info);
    if (result == 0)
        throw HostError("the driver refused the channels (register type " + options.reg + ", data type index " +
                        std::to_string(options.typeIndex) + ", read/write flag " + std::to_string(options.rwFlag) +
                        "); nothing was added");
    ctx.SaveDevice(*session);
    ctx.Out() << "result\t" << result << "\naddress\t" << EscapeTsv(info.address.ToUtf8()) << '\n';
    WarnOfLostCharacters("--var", info.varName);
    WarnOfLostCharacters("--comment", info.comment);
}

CDevTable ReadDeviceChannels(HostContext& ctx, const std::string& device) {
    const ImageBytes image = ctx.DeviceImage(device);
    ctx.CheckFormat(device, image, DeviceUse::kRead);
    try {
        return ReadStoredChannels(image);
    } catch (const CInvalidArgException& e) {
        throw HostError("the stored image of device " + device + " is damaged: " + e.what());
    }
}

struct ChannelListOptions {
    std::string device;
    std::string format = "tsv";
    bool names = false;  ///< a last column with the data type code's name
    bool bom = false;    ///< a byte-order mark first, for spreadsheet programs
};

/// The raw cells of the stored channel table, in column order.
void ListChannels(HostContext& ctx, const ChannelListOptions& options) {
    const std::map<std::string, TableFormat> formats{{"tsv", TableFormat::kTsv}, {"csv", TableFormat::kCsv}, {"json", TableFormat::kJson}};
    WriteChannelTable(ctx.Out(), ReadDeviceChannels(ctx, options.device), {formats.at(options.format), options.names, options.bom});
}

CArray<int32_t> IndexList(const std::vector<int>& indices) {
    CArray<int32_t> list;
    for (int index : indices) list.Add(index);
    return list;
}

/// The driver's descriptions of the given rows (all rows when none is given), as TSV with a header.
void DescribeChannels(HostContext& ctx, const std::string& device, const std::vector<int>& indices) {
    auto session = ctx.OpenDevice(device, DeviceUse::kRead);
    CArray<int32_t> list = IndexList(indices);
    CArray<SChlInfo> infos;
    const int result = session->Call<SvrGetChlInfoFn>("SvrGetChlInfo", list, infos);
    // The driver answers with the row count, so an empty table describes nothing and answers 0 too.
    const bool emptyTable = indices.empty() && list.IsEmpty();
    if (result == 0 && !emptyTable)
        throw HostError("the driver refused to describe the rows: an index is outside the channel table, or more indices than rows were given");
    TableWriter writer(ctx.Out(), TableFormat::kTsv,
                       {"chlIndex", "regType", "typeIndex", "strLen", "address", "chlCount", "rwFlag", "chlKind", "chlName",
                        "varName", "comment"});
    for (const SChlInfo& info : infos) {
        writer.WriteRow({TableCell::Number(info.chlIndex), TableCell::Number(info.regType), TableCell::Number(info.typeIndex),
                         TableCell::Number(info.strLen), TableCell::Text(info.address.ToUtf8()), TableCell::Number(info.chlCount),
                         TableCell::Number(info.rwFlag), TableCell::Number(info.chlKind), TableCell::Text(info.chlName.ToUtf8()),
                         TableCell::Text(info.varName.ToUtf8()), TableCell::Text(info.comment.ToUtf8())});
    }
    writer.Finish();
}

/// The rows named, as the table stands before the command; the driver takes each index after the
/// deletions before it, so they are handed over highest first. --all hands over none: every row.
void DeleteChannels(HostContext& ctx, const std::string& device, const std::vector<int>& indices, bool all) {
    if (all == !indices.empty())
        throw UsageError("channel delete: give the rows to delete (channel delete " + device + " 3 5) or --all, not " +
                         std::string(all ? "both" : "neither"));
    auto session = ctx.OpenDevice(device, DeviceUse::kChange);
    CArray<int32_t> list;
    if (!all) {
        const int rowCount = static_cast<int>(ReadDeviceChannels(ctx, device).Rows().size());
        list = IndexList(RowsToDelete(indices, rowCount));
    }
    session->Call<SvrDeleteChlInfoFn>("SvrDeleteChlInfo", list);
    ctx.SaveDevice(*session);
}

std::string CheckRegister(const std::string& text) {
    return ParseRegister(text) ? std::string() : "expected I, Q, M, V or 0 to 3, got " + text;
}

void AddChannelAddCommand(CLI::App& channel, CommandAction& action) {
    auto options = std::make_shared<ChannelAddOptions>();
    CLI::App* add = channel.add_subcommand("add", "add a block of channels; prints result<TAB>N and address<TAB>NEXT");
    add->add_option("DEV", options->device, "device name")->required();
    add->add_option("--reg", options->reg, "register type: I, Q, M, V or 0 to 3")->required()->check(CheckRegister);
    add->add_option("--type", options->typeIndex, "data type index, 0 to 19")->required();
    add->add_option("--addr", options->address, "address: N or N_L (I, Q, M), D.N or D.N_L (V)")->required();
    add->add_option("--count", options->count, "number of consecutive channels")->capture_default_str();
    add->add_option("--rw", options->rwFlag, "0 read only, 1 write only, 2 read and write")
        ->check(CLI::Range(0, 2))
        ->capture_default_str();
    add->add_option("--len", options->length, "string length when the address gives none");
    add->add_option("--var", options->varName, "name of the connected variable");
    add->add_option("--comment", options->comment, "comment");
    SetAction(add, action, [options](HostContext& ctx) { AddChannels(ctx, *options); });
}

void AddChannelListCommand(CLI::App& channel, CommandAction& action) {
    auto options = std::make_shared<ChannelListOptions>();
    CLI::App* list = channel.add_subcommand("list", "the stored channel table, one row per channel");
    list->add_option("DEV", options->device, "device name")->required();
    list->add_option("--format", options->format, "tsv, csv or json")->check(OneOf({"tsv", "csv", "json"}))->capture_default_str();
    list->add_flag("--names", options->names, "add a column typeName: the data type code as a name (Bit 3, WUB 16-bit unsigned, ...)");
    list->add_flag("--bom", options->bom, "start with a UTF-8 byte-order mark, so that spreadsheet programs read the texts right");
    SetAction(list, action, [options](HostContext& ctx) { ListChannels(ctx, *options); });
}

void AddChannelIndexCommands(CLI::App& channel, CommandAction& action) {
    auto infoDevice = std::make_shared<std::string>();
    auto infoIndices = std::make_shared<std::vector<int>>();
    CLI::App* info = channel.add_subcommand("info", "the driver's descriptions of rows (all when no index is given)");
    info->add_option("DEV", *infoDevice, "device name")->required();
    info->add_option("INDEX", *infoIndices, "row indices");
    SetAction(info, action, [infoDevice, infoIndices](HostContext& ctx) { DescribeChannels(ctx, *infoDevice, *infoIndices); });

    auto deleteDevice = std::make_shared<std::string>();
    auto deleteIndices = std::make_shared<std::vector<int>>();
    auto deleteAll = std::make_shared<bool>(false);
    CLI::App* remove = channel.add_subcommand("delete", "remove the rows with these indices (as channel list numbers them), or --all rows");
    remove->add_option("DEV", *deleteDevice, "device name")->required();
    remove->add_option("INDEX", *deleteIndices, "row indices, from 0");
    remove->add_flag("--all", *deleteAll, "remove every row");
    SetAction(remove, action, [deleteDevice, deleteIndices, deleteAll](HostContext& ctx) {
        DeleteChannels(ctx, *deleteDevice, *deleteIndices, *deleteAll);
    });
}

}  // namespace

void AddChannelCommands(CLI::App& app, CommandAction& action) {
    CLI::App* channel = app.add_subcommand("channel", "add, list, describe or delete channels")->require_subcommand(1);
    AddChannelAddCommand(*channel, action);
    AddChannelListCommand(*channel, action);
    AddChannelIndexCommands(*channel, action);
}
