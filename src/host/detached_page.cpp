#include "host/detached_page.h"

namespace kvl::host {

namespace {
constexpr std::array kFlags{Flag::Dock, Flag::AutoSave, Flag::HideOldModels, Flag::ShowAlwaysDeprecated};
constexpr std::array kFields{PathField::LayoutFolder, PathField::LastLayout, PathField::MediaFolder,
                             PathField::LuaEditor};
constexpr std::size_t index(auto value) { return static_cast<std::size_t>(value); }
} // namespace

DetachedPage::DetachedPage(HostPage &page)
    : installDirectory_(page.installDirectory()), maxObjText_(page.maxObjText()), record_(page.record()) {
    for (const Flag flag : kFlags)
        flags_[index(flag)] = page.flag(flag);
    for (const PathField field : kFields) {
        paths_[index(field)] = page.pathText(field);
        resets_[index(field)] = page.resetChecked(field);
    }
}

void DetachedPage::replayOn(HostPage &page) const {
    for (const auto &change : changes_)
        change(page);
    page.record() = record_;
}

void DetachedPage::showSettingsTab() {
    changes_.emplace_back([](HostPage &page) { page.showSettingsTab(); });
}

void DetachedPage::selectSettingsPage() {
    changes_.emplace_back([](HostPage &page) { page.selectSettingsPage(); });
}

void DetachedPage::setInstallDirectory(const std::string &text) {
    installDirectory_ = text;
    changes_.emplace_back([text](HostPage &page) { page.setInstallDirectory(text); });
}

void DetachedPage::setHostLanguageName(const std::string &text) {
    changes_.emplace_back([text](HostPage &page) { page.setHostLanguageName(text); });
}

void DetachedPage::setFlag(Flag flag, bool checked) {
    flags_[index(flag)] = checked;
    changes_.emplace_back([=](HostPage &page) { page.setFlag(flag, checked); });
}

void DetachedPage::setPathText(PathField field, const std::string &text) {
    paths_[index(field)] = text;
    changes_.emplace_back([field, text](HostPage &page) { page.setPathText(field, text); });
}

void DetachedPage::setRememberedChoice(PathField field, const std::string &text) {
    changes_.emplace_back([field, text](HostPage &page) { page.setRememberedChoice(field, text); });
}

void DetachedPage::setResetChecked(PathField field, bool checked) {
    resets_[index(field)] = checked;
    changes_.emplace_back([=](HostPage &page) { page.setResetChecked(field, checked); });
}

void DetachedPage::setMaxObjText(const std::string &text) {
    maxObjText_ = text;
    changes_.emplace_back([text](HostPage &page) { page.setMaxObjText(text); });
}

void DetachedPage::showOutdatedNote(bool shown) {
    changes_.emplace_back([shown](HostPage &page) { page.showOutdatedNote(shown); });
}

} // namespace kvl::host
