// layout [--tags FILE.xml] [--db FILE]... [--types FILE]... [--name-by title|file] [--block FILE=DBn]...
// The dry run of a tag import: the leaves an import of these sources would turn into channels,
// each with what becomes of it, and the notes the import's status list would show.

#include "host/block_name_option.h"
#include "host/command_line_errors.h"
#include "host/commands.h"
#include "host/input_file.h"
#include "host/project/full_path.h"
#include "host/project/output_format.h"

namespace {

/// Exit status when the layout met types it does not know: an import would add no channel.
constexpr int kExitUnknownTypes = 3;

struct LayoutOptions {
    std::string tagFile;
    std::vector<std::string> dbFiles;
    std::vector<std::string> typeFiles;
    std::string nameBy = "title";
    std::vector<std::string> blockNames;  ///< FILE=DBn
};

CStringArray FullPaths(const std::vector<std::string>& paths) {  // in the order given
    CStringArray full;
    for (const std::string& path : paths) full.Add(FullPath(path));
    return full;
}

/// byte.bit, the byte counted down for a negative offset so that the bit stays 0 to 7.
std::string OffsetText(int32_t bitOffset) {
    const int64_t bits = bitOffset;
    const int64_t byte = bits >= 0 ? bits / 8 : -((-bits + 7) / 8);
    return std::to_string(byte) + "." + std::to_string(bits - byte * 8);
}

/// What becomes of a leaf, in words: empty when it makes the channel it declares.
std::string ChannelText(int32_t outcome) {
    if (outcome & kLeafMakesNoChannel) return "none: no channel type";
    std::string text;
    if (outcome & kLeafStringResized) text = "other length";
    if (outcome & kLeafHiddenReadOnly) text += std::string(text.empty() ? "" : ", ") + "read-only: hidden";
    return text;
}

/// Writes each leaf as the dry run hands it over: a large layout's leaves are not held beside
/// the output made of them.
class LeafPrinter {
public:
    explicit LeafPrinter(std::ostream& out)
        : table_(out, TableFormat::kTsv, {"Name", "Type", "Block", "Offset", "Read", "Write", "Length", "Mark", "Channel"}) {}

    void Print(const SLayoutLeaf& leaf) {
        table_.WriteRow({TableCell::Text(leaf.name.ToUtf8()), TableCell::Text(leaf.type.ToUtf8()),
                         TableCell::Text(leaf.block.ToUtf8()), TableCell::Text(OffsetText(leaf.bitOffset)),
                         TableCell::Number(leaf.read), TableCell::Number(leaf.write), TableCell::Number(leaf.length),
                         TableCell::Text(leaf.mark.ToUtf8()), TableCell::Text(ChannelText(leaf.outcome))});
    }
    void Finish() { table_.Finish(); }

private:
    TableWriter table_;
};

void PrintNotes(std::ostream& out, const SLayoutResult& result) {
    for (const CString& note : result.notes) out << "NOTE\t" << EscapeTsv(note.ToUtf8()) << '\n';
}

void RunLayout(HostContext& ctx, const LayoutOptions& options) {
    SLayoutRequest request;
    request.typeFiles = FullPaths(options.typeFiles);
    if (!options.tagFile.empty()) request.tagFile = FullPath(options.tagFile);
    for (const auto& [path, name] : BlockNameCorrections(options.dbFiles, options.blockNames)) {
        request.dbFiles.Add(path);
        request.blockNames.Add(name);
    }
    request.nameByTitle = options.nameBy == "title" ? 1 : 0;

    auto dryRun = ctx.Driver().Require<VireoLayoutDryRunFn>("VireoLayoutDryRun");
    std::ostream& out = ctx.Out();
    const size_t outputBefore = ctx.OutputSize();
    LeafPrinter leaves(out);
    request.takeLeaf = [&leaves](const SLayoutLeaf& leaf) { leaves.Print(leaf); };
    SLayoutResult result;
    CallExport("VireoLayoutDryRun", [&] { return dryRun(request, result); });
    if (result.failure != 0) {
        ctx.DropOutputAfter(outputBefore);  // the table and the leaves given before the run failed
        out << "ERROR\t" << result.failure << '\t' << EscapeTsv(result.failureText.ToUtf8()) << '\n';
        PrintNotes(out, result);
        ctx.SetExitStatus(kExitRefused);
        return;
    }
    leaves.Finish();
    for (const CString& name : result.unknownTypes) out << "UNKNOWN\t" << EscapeTsv(name.ToUtf8()) << '\n';
    PrintNotes(out, result);
    if (!result.unknownTypes.IsEmpty()) ctx.SetExitStatus(kExitUnknownTypes);
}

}  // namespace

void AddLayoutCommands(CLI::App& app, CommandAction& action) {
    auto options = std::make_shared<LayoutOptions>();
    CLI::App* layout = app.add_subcommand("layout", "dry run of a tag import: the leaves an import would turn into channels");
    layout->add_option("--tags", options->tagFile, "XML tag table")->check(WholeInputFile());
    layout->add_option("--db", options->dbFiles, "data block source file (repeatable)")->check(WholeInputFile());
    layout->add_option("--types", options->typeFiles, "data type source file, read before the others (repeatable)")
        ->check(WholeInputFile());
    layout->add_option("--name-by", options->nameBy, "name channels after the block title or the file name")
        ->check(OneOf({"title", "file"}))
        ->capture_default_str();
    layout->add_option("--block", options->blockNames, "FILE=DBn: correct the block name of a data block file (repeatable)");
    layout->callback([&action, options] {
        if (options->tagFile.empty() && options->dbFiles.empty())
            throw CLI::ValidationError("layout", "give the sources to lay out: --tags FILE.xml or --db FILE, "
                                                 "e.g. layout --tags PLCTags.xml --db DB1_Conveyor.db");
        BlockNameCorrections(options->dbFiles, options->blockNames);  // a correction that names no file is a usage error
        action = [options](HostContext& ctx) { RunLayout(ctx, *options); };
    });
}
