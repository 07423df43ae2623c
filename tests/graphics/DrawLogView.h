#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/headless/DrawLog.h"

// Slices of a DrawLog: the calls made after a mark, their names, and the
// image file behind a SetTexture.
inline std::vector<DrawLog::Call> CallsSince(const DrawLog& log, std::size_t mark) {
    return {log.calls.begin() + static_cast<std::ptrdiff_t>(mark), log.calls.end()};
}

inline std::vector<std::string> Names(const std::vector<DrawLog::Call>& calls) {
    std::vector<std::string> names;
    for (const DrawLog::Call& call : calls) {
        names.push_back(call.name);
    }
    return names;
}

inline std::vector<DrawLog::Call> Only(const std::vector<DrawLog::Call>& calls, const std::string& name) {
    std::vector<DrawLog::Call> found;
    for (const DrawLog::Call& call : calls) {
        if (call.name == name) {
            found.push_back(call);
        }
    }
    return found;
}

// "a.png" for a texture loaded from ".../Data/Images/a.png"; "" for none.
inline std::string ImageName(const DrawLog::Call& setTexture) {
    const std::string& path = setTexture.text;
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The images bound by the sprite draws among `calls`, in draw order.
inline std::vector<std::string> DrawnImages(const std::vector<DrawLog::Call>& calls) {
    std::vector<std::string> images;
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].name == "SetTexture" && calls[i + 1].name == "DrawPrimitive") {
            images.push_back(ImageName(calls[i]));
        }
    }
    return images;
}
