#include "app/campaign_panels.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>

#include "base/paths.h"
#include "base/win32_types.h"
#include "campaign/spot_pattern.h"
#include "framework/framework.h"
#include "framework/scoped_win.h"
#include "logdata/log_months.h"
#include "reports/campaign_run.h"

namespace {

std::string LogFolderOf(const std::string& folder) {
    const char last = folder.empty() ? '\\' : folder.back();
    return folder + (last == '\\' || last == '/' ? "log" : "\\log");
}

// The months found in the folder's log, in order; empty when it has none.
std::string MonthsText(const std::string& folder) {
    const auto list = std::make_unique<LogMonthList>();
    FindLogMonths(*list, LogFolderOf(folder).c_str());
    std::vector<std::string> months;
    for (int32_t i = 0; i < list->count; ++i)
        months.push_back(MonthComboText(list->entries[i]));
    std::sort(months.begin(), months.end());
    std::string text;
    for (const std::string& month : months)
        text += (text.empty() ? "" : ", ") + month;
    return text;
}

std::string FullPath(const std::string& folder) {
    const std::wstring wide = ToWide(folder);
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameW(wide.c_str(), MAX_PATH * 4, full, nullptr);
    std::wstring path = length > 0 && length < MAX_PATH * 4 ? full : wide;
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return ToCp1250(path);
}

std::vector<std::string> SubfoldersOfWorkingFolder() {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    ScopedFindFile search(L"*", &found);
    if (!search.Found())
        return names;
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." &&
            name != L"..")
            names.push_back(ToCp1250(name));
    } while (search.Next(&found));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

void PanelFolders::FindInWorkingFolder() {
    const PanelFolder* other = nullptr;
    Add(".", &other);
    for (const std::string& name : SubfoldersOfWorkingFolder())
        Add(name, &other);
}

PanelAddOutcome PanelFolders::Add(const std::string& folder, const PanelFolder** other) {
    PanelFolder panel{folder, FolderName(folder), FullPath(folder), MonthsText(folder)};
    if (!IsFolder(folder) || panel.months.empty())
        return PanelAddOutcome::kNoLogs;
    std::vector<CampaignPanel> listed;
    for (const PanelFolder& each : m_folders) {
        if (EqualIgnoringCase(each.fullPath, panel.fullPath)) {
            *other = &each;
            return PanelAddOutcome::kAlreadyListed;
        }
        listed.push_back({each.name, each.folder});
    }
    size_t same = 0;
    if (AddPanel(folder, listed, &same) != PanelRefusal::kNone) {
        *other = &m_folders[same];
        return PanelAddOutcome::kSameName;
    }
    m_folders.push_back(std::move(panel));
    return PanelAddOutcome::kAdded;
}

void PanelFolders::Remove(const std::vector<int>& rows) {
    std::vector<int> sorted = rows;
    std::sort(sorted.rbegin(), sorted.rend());
    for (const int row : sorted) {
        if (row >= 0 && row < static_cast<int>(m_folders.size()))
            m_folders.erase(m_folders.begin() + row);
    }
}

std::vector<CampaignPanel> PanelFolders::Panels() const {
    std::vector<CampaignPanel> panels;
    for (const PanelFolder& panel : m_folders)
        panels.push_back({panel.name, panel.folder});
    if (panels.size() == 1 && panels[0].folder == ".")
        panels[0].folder = "";
    return panels;
}

const RegisteredPanel* PanelFolders::Registered(const PanelFolder& panel) const {
    return m_register.errors.empty() ? FindRegistered(m_register, panel.name) : nullptr;
}

void GetPanelText(void* context, ListViewItem* item) {
    if ((item->mask & kListItemText) == 0 || item->pszText == nullptr || item->cchTextMax <= 0)
        return;
    const auto& panels = *static_cast<const PanelFolders*>(context);
    item->pszText[0] = '\0';
    if (item->iItem < 0 || item->iItem >= static_cast<int>(panels.Folders().size()))
        return;
    const PanelFolder& panel = panels.Folders()[static_cast<size_t>(item->iItem)];
    const RegisteredPanel* registered = panels.Registered(panel);
    const std::string none;
    const std::string* texts[] = {&panel.name, registered ? &registered->name : &none,
                                  registered ? &registered->town : &none, &panel.fullPath,
                                  &panel.months};
    if (item->iSubItem >= 0 && item->iSubItem < static_cast<int>(std::size(texts)))
        std::snprintf(item->pszText, static_cast<size_t>(item->cchTextMax), "%s",
                      texts[item->iSubItem]->c_str());
}
