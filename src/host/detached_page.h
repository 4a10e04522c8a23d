#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "host/host_page.h"
#include "host/page_record.h"

namespace kvl::host {

// The settings page as a load or Apply on another thread sees it: the controls' values gathered from the
// real page when it is made, and every change kept in order, to be played back on the real page later.
// So the worker only gathers and stores values; the controls change on their own thread, where their
// handlers run as they always do. A read after a change sees the change; what a reset box's click handler
// would put into its edit is seen only on the real page (no operation reads it back).
class DetachedPage : public HostPage {
public:
    explicit DetachedPage(HostPage &page);

    // The changes in the order they were made, then the record of what was loaded.
    void replayOn(HostPage &page) const;

    void showSettingsTab() override;
    void selectSettingsPage() override;
    std::string installDirectory() const override { return installDirectory_; }
    void setInstallDirectory(const std::string &text) override;
    void setHostLanguageName(const std::string &text) override;
    bool flag(Flag flag) const override { return flags_[static_cast<std::size_t>(flag)]; }
    void setFlag(Flag flag, bool checked) override;
    std::string pathText(PathField field) const override { return paths_[static_cast<std::size_t>(field)]; }
    void setPathText(PathField field, const std::string &text) override;
    void setRememberedChoice(PathField field, const std::string &text) override;
    bool resetChecked(PathField field) const override { return resets_[static_cast<std::size_t>(field)]; }
    void setResetChecked(PathField field, bool checked) override;
    std::string maxObjText() const override { return maxObjText_; }
    void setMaxObjText(const std::string &text) override;
    void showOutdatedNote(bool shown) override;
    PageRecord &record() override { return record_; }

private:
    std::string installDirectory_;
    std::array<bool, 4> flags_{};
    std::array<std::string, 4> paths_;
    std::array<bool, 4> resets_{};
    std::string maxObjText_;
    PageRecord record_;
    std::vector<std::function<void(HostPage &)>> changes_;
};

} // namespace kvl::host
