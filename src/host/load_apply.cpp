#include "host/load_apply.h"

#include <cstdint>

#include "host/host_settings.h"
#include "host/page_record.h"
#include "host/stored_values.h"
#include "platform/profile.h"
#include "platform/registry.h"

namespace kvl::host {

namespace {

using platform::Access;
using platform::Registry;
using platform::RootKey;
using platform::View;

// The key stays open only for the one step; the registry object closes it on every way out.
bool openForLoad(Registry &registry, RootKey root, HostPage &page) {
    if (!registry.openKey(root, hostKeyPath(kHostVersion), Access::AllAccess, View::View64))
        return false;
    if (registry.mayBeOutdated())
        page.showOutdatedNote(true);
    return true;
}

void loadInstallKey(HostPage &page, const LoadContext &context) {
    Registry registry;
    if (!openForLoad(registry, RootKey::LocalMachine, page))
        return;
    page.showSettingsTab();
    page.setInstallDirectory(registry.readString("Directory"));
    context.hostLanguageCode = registry.readString("Language");
    if (context.firstLoad)
        page.selectSettingsPage();
}

void loadUserKey(HostPage &page, const LoadContext &context) {
    Registry registry;
    if (!openForLoad(registry, RootKey::CurrentUser, page))
        return;
    PageRecord &record = page.record();
    for (const auto &[name, flag] : kFlagValues) {
        page.setFlag(flag, registry.readInteger(name) == 1);
        record.loaded(pageValue(flag));
    }
    for (const auto &[name, field] : kPathValues) {
        page.setPathText(field, registry.readString(name));
        page.setRememberedChoice(field, page.pathText(field));
        record.loaded(pageValue(field));
    }
    page.setMaxObjText(maxObjLoadText(static_cast<std::uint32_t>(registry.readInteger(kMaxObjValue))));
    record.loaded(PageValue::MaxObj);
    if (const auto name = hostLanguageName(context.hostLanguageCode, context.interfaceLanguage))
        page.setHostLanguageName(*name);
}

void loadFilterFile(HostPage &page) {
    const platform::IniFile filter(platform::hostFile(filterFilePath(page)));
    page.setFlag(Flag::ShowAlwaysDeprecated,
                 showAlwaysDeprecatedFromFilter(filter.readString(kFilterSection, kFilterKey, "")));
    page.record().loaded(PageValue::ShowAlwaysDeprecated);
}

void applyUserKey(HostPage &page) {
    Registry registry;
    if (!registry.openKey(RootKey::CurrentUser, hostKeyPath(kHostVersion), Access::AllAccess,
                          View::Default)) {
        if (const auto &refusal = registry.unwritableStore())
            throw *refusal;
        return;
    }
    const PageRecord &record = page.record();
    for (const auto &[name, flag] : kFlagValues)
        if (record.mayStore(pageValue(flag)))
            registry.writeInteger(name, page.flag(flag) ? 1 : 0);
    for (const auto &[name, field] : kPathValues)
        if (record.mayStore(pageValue(field)))
            registry.writeString(name, storedPathText(page, field));
    if (record.mayStore(PageValue::MaxObj))
        registry.writeInteger(kMaxObjValue, storedMaxObj(page));
    // The values reach the store together when the key closes; closing here, not in the destructor,
    // lets a failure to store them reach the user.
    registry.closeKey();
}

void resetLastLayout(HostPage &page) {
    if (page.resetChecked(PathField::LastLayout)) {
        page.setPathText(PathField::LastLayout, "");
        page.setRememberedChoice(PathField::LastLayout, "");
    }
    page.setResetChecked(PathField::LastLayout, false);
}

void applyFilterFile(HostPage &page) {
    if (!page.record().mayStore(PageValue::ShowAlwaysDeprecated))
        return;
    platform::IniFile filter(platform::hostFile(filterFilePath(page)));
    filter.writeString(kFilterSection, kFilterKey, page.flag(Flag::ShowAlwaysDeprecated) ? "0" : "1");
}

} // namespace

void loadHostSettings(HostPage &page, LoadContext context) {
    page.showOutdatedNote(false);
    page.record().loadStarted();
    loadInstallKey(page, context);
    context.firstLoad = false;
    loadUserKey(page, context);
    loadFilterFile(page);
    page.record().loadFinished();
}

void applyHostSettings(HostPage &page) {
    applyUserKey(page);
    resetLastLayout(page);
    applyFilterFile(page);
}

std::string filterFilePath(const HostPage &page) { return page.installDirectory() + kFilterSuffix; }

} // namespace kvl::host
