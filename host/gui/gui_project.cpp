#include "host/gui/gui_project.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "host/gui/gui_language.h"
#include "host/gui/import_watch.h"
#include "platform/ui/command_watch.h"
#include "core/column_registry.h"
#include "host/project/channel_table_text.h"
#include "host/project/project_store.h"
#include "host/project/property_values.h"
#include "host/project/stored_image.h"
#include "platform/file_system.h"

GuiProject::GuiProject(HostOptions options) : options_(std::move(options)), driver_(options_.driver) { AnnounceDriver(driver_); }

void GuiProject::WithDevice(const std::string& device, DeviceUse use, const std::function<void(DeviceSession&)>& work) {
    WithDevice(device, use, [&](ProjectStore&, DeviceSession& session) {
        work(session);
        return true;
    });
}

void GuiProject::WithDevice(const std::string& device, DeviceUse use, const std::function<bool(ProjectStore&, DeviceSession&)>& work) {
    ProjectStore project(options_.project, false);
    std::optional<ImageBytes> image = project.FindImage(device);
    if (!image) throw HostError(WindowMessage("the project has no device named %s", Shown(device)));
    if (IsNewerFormat(*image) && use == DeviceUse::kChange)
        throw HostError(WindowMessage("device %s holds an image of a newer format than this driver's; it is not changed, so that it is not lost", Shown(device)));
    DeviceSession session(driver_, device, std::move(*image));
    session.Call<SvrInitDevSetFn>("SvrInitDevSet");
    const bool store = work(project, session);
    if (use == DeviceUse::kChange && store)
        if (std::optional<ImageView> written = session.WrittenImage()) project.SaveImage(device, *written);
    project.Commit();
}

void GuiProject::UseProject(const std::string& path, bool mustExist) {
    if (mustExist) {
        ProjectStore project(path, false);  // refuses a file that is not a project
        project.Commit();
    } else {
        std::error_code error;
        if (std::filesystem::exists(path, error))
            throw HostError(WindowMessage("%s exists already: open it, or choose another name for the new project", Shown(path)));
    }
    options_.project = path;
}

void GuiProject::SaveProjectAs(const std::string& path) {
    std::error_code error;
    if (std::filesystem::equivalent(options_.project, path, error)) return;
    if (std::filesystem::exists(options_.project, error)) {
        // Copied whole, with nothing open on it, and in place only when complete.
        std::ifstream in(options_.project, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) throw HostError(WindowMessage("cannot write %s", Shown(path)));
        if (!WriteFileAtomically(CString::FromUtf8(path), bytes)) throw HostError(WindowMessage("cannot write %s", Shown(path)));
    }
    options_.project = path;
}

void GuiProject::ExportChannels(const std::string& device, const std::string& file, TableFormat format) {
    ProjectStore project(options_.project, false);
    std::optional<ImageBytes> image = project.FindImage(device);
    project.Commit();
    if (!image) throw HostError(WindowMessage("the project has no device named %s", Shown(device)));
    std::ostringstream text;
    WriteChannelTable(text, ReadStoredChannels(*image), {format, false, false});
    if (!WriteFileAtomically(CString::FromUtf8(file), text.str())) throw HostError(WindowMessage("cannot write %s", Shown(file)));
}

std::string GuiProject::DriverVersion() const {
    double version = 0, second = 0;
    int32_t format = 0;
    CallExport("SvrGetDevVersionEx", [&] { return driver_.Require<SvrGetDevVersionExFn>("SvrGetDevVersionEx")(version, second, format); });
    std::ostringstream text;
    text << version;
    return text.str();
}

std::vector<std::string> GuiProject::DeviceNames() {
    std::error_code error;
    if (!std::filesystem::exists(options_.project, error)) return {};
    ProjectStore project(options_.project, false);
    std::vector<std::string> names = project.DeviceNames();
    project.Commit();
    return names;
}

void GuiProject::AddDevice(const std::string& name) {
    if (name.empty()) throw HostError(WindowMessage("a device needs a name"));
    for (unsigned char ch : name)
        if (ch < 0x20 || ch == 0x7F) throw HostError(WindowMessage("a device name may not hold control characters"));
    ProjectStore project(options_.project, true);
    if (project.FindImage(name)) throw HostError(WindowMessage("the project already has a device named %s", Shown(name)));
    DeviceSession session(driver_, name, {});
    session.Call<SvrInitDevSetFn>("SvrInitDevSet");
    std::optional<ImageView> image = session.WrittenImage();
    if (!image) throw HostError(WindowMessage("the driver stored no image for the new device %s", Shown(name)));
    project.AddDevice(name, *image);
    project.Commit();
}

void GuiProject::RemoveDevice(const std::string& name) {
    ProjectStore project(options_.project, false);
    project.RemoveDevice(name);
    project.Commit();
}

SPropertyList GuiProject::Properties(const std::string& device) {
    SPropertyList list;
    WithDevice(device, DeviceUse::kRead, [&](DeviceSession& session) {
        session.Call<SvrGetPropertyFn>("SvrGetProperty", list.names, list.values, list.enumerated);
    });
    return list;
}

CStringArray GuiProject::PropertyValueTexts(const std::string& device, const CString& property) {
    CStringArray texts;
    WithDevice(device, DeviceUse::kRead, [&](DeviceSession& session) {
        session.Call<SvrEnumPropertyValueFn>("SvrEnumPropertyValue", property, texts);
    });
    return texts;
}

void GuiProject::SetProperty(const std::string& device, int index, const CString& value) {
    WithDevice(device, DeviceUse::kChange, [&](DeviceSession& session) {
        SPropertyList list;
        session.Call<SvrGetPropertyFn>("SvrGetProperty", list.names, list.values, list.enumerated);
        if (index < 0 || index >= list.values.GetSize()) throw HostError(WindowMessage("the device has no such property"));
        const bool enumerated = index < list.enumerated.GetSize() && list.enumerated[index];
        list.values[index] = enumerated || index >= kPropertyKeyCount
                                 ? value
                                 : CString::FromUtf8(CheckedPropertyNumber(index, list.names[index].ToUtf8(), value.ToUtf8()));
        session.Call<SvrSetPropertyFn>("SvrSetProperty", list.names, list.values);
    });
}

SChannelConfig GuiProject::ChannelConfig(const std::string& device) {
    SChannelConfig config;
    WithDevice(device, DeviceUse::kRead, [&](DeviceSession& session) {
        CDataTypeArray dataTypes;
        session.Call<SvrGetCofigProFn>("SvrGetCofigPro", config.registerNames, config.registerAccess, dataTypes, config.paramNames,
                                       config.paramDefaults);
        for (int i = 0; i < dataTypes.GetSize(); ++i) {
            std::vector<CString> texts;
            if (const CStringArray* list = dataTypes.Get(i))
                for (const CString& text : *list) texts.push_back(text);
            config.dataTypes.push_back(std::move(texts));
        }
    });
    return config;
}

std::vector<SChannelRow> GuiProject::Channels(const std::string& device) {
    std::vector<SChannelRow> rows;
    WithDevice(device, DeviceUse::kRead, [&](ProjectStore& project, DeviceSession& session) {
        CStringArray names;
        CArray<int32_t> kinds;
        session.Call<SvrGetChannelFn>("SvrGetChannel", names, kinds);
        CArray<int32_t> indices;
        CArray<SChlInfo> infos;
        session.Call<SvrGetChlInfoFn>("SvrGetChlInfo", indices, infos);
        rows.resize(static_cast<size_t>(names.GetSize()));
        for (int i = 0; i < names.GetSize(); ++i) {
            rows[i].name = names[i];
            rows[i].kind = i < kinds.GetSize() ? kinds[i] : 0;
            if (i < infos.GetSize()) rows[i].info = infos[i];
        }
        // The driver describes a row's variable as the HMI variable it makes (member path
        // separators become "_"); the row itself stores the member path, which the table shows.
        const CDevTable stored = ReadStoredChannels(*project.FindImage(device));
        for (size_t i = 0; i < rows.size() && i < stored.Rows().size(); ++i) rows[i].variable = stored.Rows()[i].GetText(kColVarName);
        return true;
    });
    return rows;
}

int GuiProject::AddChannels(const std::string& device, SChlInfo& info) {
    int result = 0;
    WithDevice(device, DeviceUse::kChange, [&](DeviceSession& session) { result = session.Call<SvrSetChlInfoFn>("SvrSetChlInfo", info); });
    return result;
}

void GuiProject::DeleteChannels(const std::string& device, const std::vector<int>& rows) {
    SDeleted deleted{device, {}, {}};
    WithDevice(device, DeviceUse::kChange, [&](ProjectStore& project, DeviceSession& session) {
        deleted.before = *project.FindImage(device);
        CArray<int32_t> indices;
        for (int row : rows) indices.Add(row);
        session.Call<SvrDeleteChlInfoFn>("SvrDeleteChlInfo", indices);
        if (std::optional<ImageView> written = session.WrittenImage()) deleted.after.assign(written->begin(), written->end());
        return true;
    });
    if (deleted.after.empty()) return;
    lastDelete_ = std::move(deleted);
}

bool GuiProject::UndoDelete() {
    if (!lastDelete_) return false;
    ProjectStore project(options_.project, false);
    // Only the image the delete left is put back: a later change of the device is not undone.
    const std::optional<ImageBytes> now = project.FindImage(lastDelete_->device);
    const bool unchanged = now && *now == lastDelete_->after;
    if (unchanged) project.SaveImage(lastDelete_->device, lastDelete_->before);
    project.Commit();
    lastDelete_.reset();
    return unchanged;
}

std::vector<SCustomUIEntry> GuiProject::CustomUIEntries() {
    std::vector<SCustomUIEntry> entries;
    if (!driver_.Has("SvrGetCustomUI")) return entries;
    CArray<SCustomUIEntry> list;
    CallExport("SvrGetCustomUI", [&] { return driver_.Require<SvrGetCustomUIFn>("SvrGetCustomUI")(0, list); });
    for (const SCustomUIEntry& entry : list) entries.push_back(entry);
    return entries;
}

std::vector<std::string> GuiProject::ShowCustomUI(const std::string& device, const SCustomUIEntry& entry) {
    std::vector<std::string> report;
    WithDevice(device, DeviceUse::kChange, [&](ProjectStore& project, DeviceSession& session) {
        ImportWatch watch(project, device, session, driver_);
        {
            CCommandWatchScope watching([&watch](CWnd& window, UINT id, UINT code) { watch.BeforeCommand(window, id, code); });
            SCustomUIEntry picked = entry;
            SCustomUIEntry* pickedEntry = &picked;
            session.Call<SvrShowCustomUIFn>("SvrShowCustomUI", pickedEntry);
        }
        // Rows taken away for an import that then did not end with OK are not stored.
        if (!watch.ImportEnded()) return !watch.TookRowsAway();
        report = watch.Finish();
        return true;
    });
    return report;
}

bool GuiProject::EditDataTypes() {
    if (!driver_.Has("VireoEditDataTypes")) return false;
    CallExport("VireoEditDataTypes", [&] { return driver_.Require<VireoEditDataTypesFn>("VireoEditDataTypes")(); });
    return true;
}
