#pragma once

#include <map>
#include <string>

#include "host/host_page.h"
#include "host/host_settings.h"
#include "host/page_record.h"

namespace kvl::host::test {

// The settings page as the main window behaves: path edits with change handlers that follow the
// remembered choice, and reset boxes that detach the handler while they put their text in.
class FakeHostPage : public HostPage {
public:
    struct PathEdit {
        std::string text;
        std::string remembered;
        bool reset = false;
        bool handlerAttached = true;
    };

    bool tabVisible = false;
    bool pageSelected = false;
    std::string install;
    std::string languageName;
    std::map<Flag, bool> flags;
    std::map<PathField, PathEdit> edits;
    std::string maxObj = "1000"; // design-time text
    bool outdatedNote = false;

    void showSettingsTab() override { tabVisible = true; }
    void selectSettingsPage() override { pageSelected = true; }
    std::string installDirectory() const override { return install; }
    void setInstallDirectory(const std::string &text) override { install = text; }
    void setHostLanguageName(const std::string &text) override { languageName = text; }

    bool flag(Flag which) const override { return flags.contains(which) && flags.at(which); }
    void setFlag(Flag which, bool checked) override { flags[which] = checked; }

    std::string pathText(PathField field) const override { return edit(field).text; }
    void setPathText(PathField field, const std::string &text) override {
        PathEdit &e = edits[field];
        if (e.text == text)
            return;
        e.text = text;
        if (e.handlerAttached)
            e.remembered = text;
    }
    void setRememberedChoice(PathField field, const std::string &text) override {
        edits[field].remembered = text;
    }
    bool resetChecked(PathField field) const override { return edit(field).reset; }
    void setResetChecked(PathField field, bool checked) override {
        PathEdit &e = edits[field];
        if (e.reset == checked)
            return;
        e.reset = checked;
        e.handlerAttached = false;
        setPathText(field, checked ? resetText(field) : e.remembered);
        e.handlerAttached = true;
    }

    std::string maxObjText() const override { return maxObj; }
    void setMaxObjText(const std::string &text) override { maxObj = text; }
    void showOutdatedNote(bool shown) override { outdatedNote = shown; }

    PageRecord &record() override { return record_; }

    // What the user does: the page reports it to the record. A choice in a path edit also becomes its
    // remembered choice, as the edit's handler is attached.
    void choose(PathField field, const std::string &text) {
        setPathText(field, text);
        record_.changedByUser(pageValue(field));
    }
    void click(Flag which, bool checked) {
        setFlag(which, checked);
        record_.changedByUser(pageValue(which));
    }
    void clickReset(PathField field, bool checked) {
        setResetChecked(field, checked);
        record_.changedByUser(pageValue(field));
    }
    void type(const std::string &text) {
        maxObj = text;
        record_.changedByUser(PageValue::MaxObj);
    }
    const PathEdit &edit(PathField field) const {
        static const PathEdit empty;
        const auto found = edits.find(field);
        return found == edits.end() ? empty : found->second;
    }

private:
    PageRecord record_;
    std::string resetText(PathField field) const {
        switch (field) {
        case PathField::LayoutFolder:
            return install + kLayoutResetSuffix;
        case PathField::MediaFolder:
            return install + kMediaResetSuffix;
        case PathField::LuaEditor:
            return kLuaResetText;
        case PathField::LastLayout:
            break;
        }
        return {};
    }
};

} // namespace kvl::host::test
