#include "host/registry_export.h"

#include "host/export_file.h"
#include "host/host_settings.h"
#include "host/stored_values.h"

namespace kvl::host {

namespace {

constexpr const char *kLineEnd = "\r\n";

// The registry editor's escaping inside a quoted value: a lone '"' would end the value early and
// make the import drop it without a word.
std::string escaped(const std::string &text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '\\' || c == '"')
            result += '\\';
        result += c;
    }
    return result;
}

std::string flagLine(const char *name, bool checked) {
    return "\"" + std::string(name) + "\"=dword:" + (checked ? "1" : "0") + kLineEnd;
}

std::string stringLine(const char *name, const std::string &value) {
    return "\"" + std::string(name) + "\"=\"" + escaped(value) + "\"" + kLineEnd;
}

std::string linesBeforeMaxObj(const HostPage &page) {
    std::string lines = std::string("Windows Registry Editor Version 5.00") + kLineEnd + kLineEnd +
                        "[HKEY_CURRENT_USER" + hostKeyPath(kHostVersion) + "]" + kLineEnd;
    for (const auto &[name, flag] : kFlagValues)
        lines += flagLine(name, page.flag(flag));
    for (const auto &[name, field] : kPathValues)
        lines += stringLine(name, storedPathText(page, field));
    return lines;
}

std::string maxObjLine(HostPage &page) {
    return "\"" + std::string(kMaxObjValue) + "\"=dword:" + maxObjHex(storedMaxObj(page)) + kLineEnd;
}

} // namespace

void exportRegistryFile(HostPage &page, ExportFile &output) {
    std::string content = linesBeforeMaxObj(page);
    content += maxObjLine(page);
    output.write(content);
    output.commit();
}

void exportRegistryFile(HostPage &page, const std::string &nativePath) {
    ExportFile output(nativePath);
    exportRegistryFile(page, output);
}

} // namespace kvl::host
