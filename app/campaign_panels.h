#pragma once
// The panels of the campaign dialog: folders that have log\AVI_*.txt, each once, with what the
// list shows of them, their names and towns from the panel register among it.
#include <string>
#include <utility>
#include <vector>

#include "campaign/campaign.h"
#include "campaign/panel_register.h"

struct PanelFolder {
    std::string folder;    // as typed, picked or found, Windows-1250; "." is the working folder
    std::string name;      // the folder's own name
    std::string fullPath;  // for the list and to find a folder listed twice
    std::string months;    // "2026-10, 2026-11"
};

enum class PanelAddOutcome { kAdded, kNoLogs, kAlreadyListed, kSameName };

class PanelFolders {
public:
    // The working folder when it has logs, then each of its subfolders that has them.
    void FindInWorkingFolder();
    // On kAlreadyListed and kSameName, *other is the listed panel concerned.
    PanelAddOutcome Add(const std::string& folder, const PanelFolder** other);
    void Remove(const std::vector<int>& rows);  // rows in any order

    const std::vector<PanelFolder>& Folders() const { return m_folders; }
    // The register the list takes each panel's name and town from; empty for none.
    void ShowRegister(PanelRegister panelRegister) { m_register = std::move(panelRegister); }
    const RegisteredPanel* Registered(const PanelFolder& panel) const;
    // The panels for the count. The working folder alone is the working directory, as the
    // command line counts it without --panel.
    std::vector<CampaignPanel> Panels() const;

private:
    std::vector<PanelFolder> m_folders;
    PanelRegister m_register;
};

// The list's text callback over PanelFolders: folder name, the register's name and town, path,
// months found.
struct ListViewItem;
void GetPanelText(void* context, ListViewItem* item);
