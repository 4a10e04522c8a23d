#include "platform/registry.h"

#include <algorithm>
#include <cerrno>
#include <exception>

#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/prefixes.h"
#include "platform/windows_error_codes.h"
#include "platform/wine/hive_edit.h"
#include "platform/wine/hive_file.h"
#include "platform/wine/hive_scan.h"
#include "platform/wine/hive_syntax.h"
#include "platform/wine/readable_file.h"
#include "platform/wine/registry_agent.h"
#include "platform/wine/server_registry.h"
#include "platform/wine/windows_error.h"
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

[[noreturn]] void failDiskFull(const std::string &hivePath) {
    const std::string path = utf8ToCp1252(hivePath);
    throw TranslatedError(TranslatedError::Reason::DiskFull, path);
}

TranslatedError unwritableHive(const std::string &hivePath) {
    const std::string path = utf8ToCp1252(hivePath);
    return TranslatedError(TranslatedError::Reason::UnwritableHive, path);
}

std::vector<KeySpan> sectionsOf(const HiveScan &scan) {
    std::vector<KeySpan> sections{*scan.key};
    sections.insert(sections.end(), scan.repeats.begin(), scan.repeats.end());
    return sections;
}

[[noreturn]] void failUnreachable(const std::string &prefix) {
    throw TranslatedError(TranslatedError::Reason::WineServerUnreachable, utf8ToCp1252(prefix));
}

bool isText(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

// The agent speaks the A-functions: texts in code page 1252, here in UTF-16 as Wine keeps them.
NamedValue fromAgent(const agent::Value &value) {
    ValueData data{value.type, value.data};
    if (isText(value.type)) {
        data.bytes.clear();
        for (const char16_t unit : cp1252ToUtf16(value.data))
            data.bytes += {static_cast<char>(unit & 0xff), static_cast<char>(unit >> 8)};
    }
    return {cp1252ToUtf16(value.name), std::move(data)};
}

agent::Value toAgent(const std::string &name, const ValueData &data) {
    return {name, data.type, isText(data.type) ? utf16ToCp1252(textUnits(data)) : data.bytes};
}

} // namespace

struct Registry::Impl {
    Impl() = default;
    ~Impl() {
        if (agentKey)
            closeThroughAgent(*agentKey);
    }
    Impl(const Impl &) = delete;
    Impl &operator=(const Impl &) = delete;

    std::string prefix;
    RootKey root = RootKey::CurrentUser;
    std::string hivePath;
    std::u16string keyPath;
    Access access = Access::Read;
    FileContent hive;
    std::vector<KeySpan> sections; // of the key, in the order of the text
    // The key's values as the running server gave them; the hive is then not read.
    std::optional<std::vector<NamedValue>> served;
    std::optional<pid_t> servedBy;
    std::optional<AgentKey> agentKey; // the key as the registry agent holds it open
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
        // Only the value asked for is decoded: a key may hold a value of many megabytes. Wine reads the key's
        // sections in turn, and of two lines of one name the later wins.
        const std::string_view text = hive.text();
        for (std::size_t section = sections.size(); section-- > 0;)
            if (const auto line = lastValueLine(text, sections[section], wanted)) {
                ValueData data;
                parseValueLine(text, *line, nullptr, &data);
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
            const int error = commitToHive();
            if (error != 0 && windowsErrorCode(error) == kErrorDiskFull)
                failDiskFull(hivePath);
            if (error != 0)
                fail("Failed to set data for ", pending.front().name);
            return;
        }
        if (agentKey && servers == std::vector<pid_t>{*servedBy} && commitThroughAgent())
            return;
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

    // All values in one request, or, when the agent has gone, false: Wine's tool then takes them.
    bool commitThroughAgent() {
        std::vector<agent::Value> values;
        values.reserve(pending.size());
        for (const PendingValue &value : pending)
            values.push_back(toAgent(value.name, value.data));
        const auto written = writeThroughAgent(*agentKey, values);
        if (written && written->status != 0)
            fail("Failed to set data for ", pending[written->failed].name);
        return written.has_value();
    }

    // The hive may have been replaced since the key was opened (wineserver saves it now and then), or
    // not been read at all: the values go into the hive as it is now. 0, or the errno of the failure.
    int commitToHive() {
        if (fileStamp(hivePath) != hive.stamp) {
            auto current = readHiveFile(hivePath);
            if (!current)
                return EIO;
            const HiveScan scan = scanHive(current->text(), keyPath);
            if (!scan.valid || !scan.key)
                return EIO;
            hive = std::move(*current);
            sections = sectionsOf(scan);
        }
        // Each value goes where Wine will read it last: the section of its last line, a new one into the
        // last section.
        std::vector<std::vector<ValueEdit>> edits(sections.size());
        const std::string_view text = hive.text();
        for (const PendingValue &value : pending) {
            std::size_t index = sections.size() - 1;
            while (index > 0 && !lastValueLine(text, sections[index], value.edit.name))
                --index;
            if (!lastValueLine(text, sections[index], value.edit.name))
                index = sections.size() - 1;
            edits[index].push_back(value.edit);
        }
        const auto now = std::chrono::system_clock::now();
        std::vector<std::string> edited(sections.size());
        std::vector<std::string_view> pieces;
        std::size_t copied = 0;
        for (std::size_t i = 0; i < sections.size(); ++i) {
            if (edits[i].empty())
                continue;
            edited[i] = editSection(text, sections[i], keyPath, edits[i], now);
            pieces.push_back(text.substr(copied, sections[i].header - copied));
            pieces.push_back(edited[i]);
            copied = sections[i].end;
        }
        pieces.push_back(text.substr(copied));
        return replaceFile(hivePath, pieces);
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

bool Registry::openKey(RootKey root, const std::string &path, Access access, View view) {
    closeKey();
    unwritableStore_.reset();
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
    if (access == Access::AllAccess && !mayReplace(impl->hivePath)) {
        // Wine would grant the access; only the file refuses, and Apply must not pass over that in silence.
        if (Registry reader; reader.openKey(root, path, Access::Read, view))
            unwritableStore_ = unwritableHive(impl->hivePath);
        return false;
    }
    // A running server holds newer values than the hive files; only when it cannot be asked are the files
    // read, and the values may then be outdated.
    const std::vector<pid_t> servers = prefixServers(impl->prefix);
    if (servers.size() == 1) {
        if (auto read = readThroughAgent(impl->prefix, servers.front(), root, relative, access, view)) {
            if (read->status != 0)
                return false;
            impl->served.emplace();
            for (const agent::Value &value : read->values)
                impl->served->push_back(fromAgent(value));
            impl->servedBy = servers.front();
            impl->agentKey = read->key;
            impl_ = std::move(impl);
            return true;
        }
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
    impl->sections = sectionsOf(scan);
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
