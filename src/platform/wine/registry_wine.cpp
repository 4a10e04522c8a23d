#include "platform/registry.h"

#include <algorithm>
#include <exception>

#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/wine/hive_edit.h"
#include "platform/wine/hive_file.h"
#include "platform/wine/hive_scan.h"
#include "platform/wine/hive_syntax.h"
#include "platform/wine/readable_file.h"
#include "platform/wine/server_registry.h"
#include "platform/wine/wine_prefix.h"
#include "platform/wine/wine_server.h"

namespace kvl::platform {

namespace {

struct PendingValue {
    std::string name; // as the caller gave it, for the error text
    ValueEdit edit;
    ValueData data;
};

[[noreturn]] void fail(const char *format, const std::string &name) {
    throw Error(std::string(format) + "'" + name + "'");
}

// What RegQueryValueExA reports as the size: strings count their characters in the ANSI code page.
std::size_t ansiSize(const ValueData &data) {
    if (data.type != kRegSz && data.type != kRegExpandSz && data.type != kRegMultiSz)
        return data.bytes.size();
    return utf16ToCp1252(textUnits(data)).size();
}

// A hive that is there but cannot be read or parsed would otherwise look like a missing key, and Apply
// would skip its values without a word.
[[noreturn]] void failBrokenHive(const std::string &hivePath) {
    throw TranslatedError(TranslatedError::Reason::BrokenHive, utf8ToCp1252(hivePath));
}

std::string ansiText(const ValueData &data) {
    const std::u16string units = textUnits(data);
    return utf16ToCp1252(std::u16string_view(units).substr(0, units.find(u'\0')));
}

[[noreturn]] void failUnreachable(const std::string &prefix) {
    throw TranslatedError(TranslatedError::Reason::WineServerUnreachable, utf8ToCp1252(prefix));
}

} // namespace

struct Registry::Impl {
    std::string prefix;
    RootKey root = RootKey::CurrentUser;
    std::string hivePath;
    std::u16string keyPath;
    Access access = Access::Read;
    FileContent hive;
    KeySpan key;
    // The key's values as the running server gave them; the hive is then not read.
    std::optional<std::vector<NamedValue>> served;
    std::optional<pid_t> servedBy;
    bool mayBeOutdated = false;
    std::vector<PendingValue> pending;

    std::optional<ValueData> find(const std::string &name) const {
        const std::u16string wanted = cp1252ToUtf16(name);
        const auto written = std::find_if(pending.rbegin(), pending.rend(), [&](const PendingValue &p) {
            return sameName(p.edit.name, wanted);
        });
        if (written != pending.rend())
            return written->data;
        if (served) {
            const auto value = std::find_if(served->begin(), served->end(),
                                            [&](const NamedValue &v) { return sameName(v.name, wanted); });
            return value == served->end() ? std::nullopt : std::optional(value->data);
        }
        // Only the value asked for is decoded: a key may hold a value of many megabytes.
        const std::string_view text = hive.text();
        for (std::size_t pos = key.body; pos < key.end; pos = text.find('\n', pos) + 1) {
            if (text[pos] != '"' && text[pos] != '@')
                continue;
            std::u16string valueName;
            parseValueName(text, pos, &valueName);
            if (!sameName(valueName, wanted))
                continue;
            ValueData data;
            parseValueLine(text, pos, nullptr, &data);
            return data;
        }
        return std::nullopt;
    }

    void write(const std::string &name, std::string data, ValueData value) {
        if (access != Access::AllAccess || !mayReplace(hivePath))
            fail("Failed to set data for ", name);
        PendingValue entry{name, {cp1252ToUtf16(name), std::move(data)}, std::move(value)};
        const auto same = std::find_if(pending.begin(), pending.end(), [&](const PendingValue &p) {
            return sameName(p.edit.name, entry.edit.name);
        });
        if (same != pending.end())
            *same = std::move(entry);
        else
            pending.push_back(std::move(entry));
    }

    // A server may have started or stopped since the key was opened: asked again just before anything
    // is stored, it decides the way. Raises kvl::Error when nothing could be stored.
    void commit() {
        const std::vector<pid_t> servers = prefixServers(prefix);
        if (servers.empty()) {
            if (!commitToHive())
                fail("Failed to set data for ", pending.front().name);
            return;
        }
        std::vector<NamedValue> values;
        for (const PendingValue &value : pending) {
            if (!importable(value.data))
                fail("Failed to set data for ", value.name);
            values.push_back({value.edit.name, value.data});
        }
        const ServerAnswer answer =
            servers.size() == 1 ? writeThroughServer(prefix, servers.front(), servedBy, root, keyPath, values)
                                : ServerAnswer::Unreachable;
        if (answer == ServerAnswer::KeyMissing)
            fail("Failed to set data for ", pending.front().name);
        if (answer == ServerAnswer::Unreachable)
            failUnreachable(prefix);
    }

    // The hive may have been replaced since the key was opened (wineserver saves it now and then), or
    // not been read at all: the values go into the hive as it is now.
    bool commitToHive() {
        if (fileStamp(hivePath) != hive.stamp) {
            auto current = readHiveFile(hivePath);
            if (!current)
                return false;
            const HiveScan scan = scanHive(current->text(), keyPath);
            if (!scan.valid || !scan.key)
                return false;
            hive = std::move(*current);
            key = *scan.key;
        }
        std::vector<ValueEdit> edits;
        for (const PendingValue &value : pending)
            edits.push_back(value.edit);
        const std::string_view text = hive.text();
        const std::string section = editSection(text, key, keyPath, edits, std::chrono::system_clock::now());
        return replaceFile(hivePath, {text.substr(0, key.header), section, text.substr(key.end)});
    }
};

Registry::Registry() = default;

Registry::~Registry() {
    try {
        closeKey();
    } catch (const Error &) {
        // Nobody is left to tell; the hive stays as it was.
    }
}

bool Registry::openKey(RootKey root, const std::string &path, Access access, View) {
    closeKey();
    const std::string relative = path.starts_with('\\') ? path.substr(1) : path;
    if (relative.empty())
        return false;
    auto impl = std::make_unique<Impl>();
    impl->prefix = winePrefix();
    impl->root = root;
    impl->hivePath = impl->prefix + (root == RootKey::LocalMachine ? "/system.reg" : "/user.reg");
    impl->keyPath = cp1252ToUtf16(relative);
    impl->access = access;
    switch (fileKind(impl->hivePath)) {
    case FileKind::Missing:
        return false;
    case FileKind::Other: // a folder, a FIFO, a link loop: there, but no hive
        failBrokenHive(impl->hivePath);
    case FileKind::Regular:
        break;
    }
    if (access == Access::AllAccess && !mayReplace(impl->hivePath))
        return false;
    // A running server holds newer values than the hive files; only when it cannot be asked are the files
    // read, and the values may then be outdated.
    const std::vector<pid_t> servers = prefixServers(impl->prefix);
    if (servers.size() == 1) {
        ServerRead read = readThroughServer(impl->prefix, servers.front(), root, impl->keyPath);
        if (read.answer == ServerAnswer::KeyMissing)
            return false;
        if (read.answer == ServerAnswer::Done) {
            impl->served = std::move(read.values);
            impl->servedBy = servers.front();
            impl_ = std::move(impl);
            return true;
        }
    }
    impl->mayBeOutdated = !servers.empty();
    auto hive = readHiveFile(impl->hivePath);
    const HiveScan scan = hive ? scanHive(hive->text(), impl->keyPath) : HiveScan{};
    if (!scan.valid)
        failBrokenHive(impl->hivePath);
    if (!scan.key)
        return false;
    impl->hive = std::move(*hive);
    impl->key = *scan.key;
    impl_ = std::move(impl);
    return true;
}

void Registry::closeKey() {
    if (!impl_)
        return;
    const std::unique_ptr<Impl> impl = std::move(impl_);
    if (impl->pending.empty())
        return;
    try {
        impl->commit();
    } catch (const Error &) {
        // Called while another failure unwinds, this one would only hide it.
        if (std::uncaught_exceptions() == 0)
            throw;
    }
}

bool Registry::hasOpenKey() const { return impl_ != nullptr; }

bool Registry::mayBeOutdated() const { return impl_ && impl_->mayBeOutdated; }

std::string Registry::readString(const std::string &name) {
    const auto data = impl_ ? impl_->find(name) : std::nullopt;
    if (!data || data->bytes.empty())
        return {};
    if (data->type != kRegSz && data->type != kRegExpandSz)
        fail("Invalid data type for ", name);
    return ansiText(*data);
}

std::int32_t Registry::readInteger(const std::string &name) {
    const auto data = impl_ ? impl_->find(name) : std::nullopt;
    if (!data || ansiSize(*data) > 4)
        fail("Failed to get data for ", name);
    if (data->type != kRegDword)
        fail("Invalid data type for ", name);
    return static_cast<std::int32_t>(dwordValue(*data));
}

void Registry::writeString(const std::string &name, const std::string &value) {
    if (!impl_)
        fail("Failed to set data for ", name);
    const std::u16string text = cp1252ToUtf16(value);
    impl_->write(name, formatStringData(text), stringData(text));
}

void Registry::writeInteger(const std::string &name, std::int32_t value) {
    if (!impl_)
        fail("Failed to set data for ", name);
    const auto bits = static_cast<std::uint32_t>(value);
    impl_->write(name, formatDwordData(bits), dwordData(bits));
}

} // namespace kvl::platform
