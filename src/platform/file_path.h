#pragma once

#include <string>
#include <utility>

namespace kvl::platform {

// A path and the world it belongs to. Texts from the host's registry and files name files of the host's
// (Windows) world: on Linux they always go through the Wine prefix's drives, even when they begin with
// "/", which Windows takes for the root of the current drive. The program's own files (beside the
// executable) and what the user picks in a dialog or drops are native paths. On Windows both are the same.
struct FilePath {
    enum class World { Host, Native };
    std::string text;
    World world;
};

inline FilePath hostFile(std::string path) { return {std::move(path), FilePath::World::Host}; }
inline FilePath nativeFile(std::string path) { return {std::move(path), FilePath::World::Native}; }

} // namespace kvl::platform
