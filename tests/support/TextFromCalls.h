// Rebuilds the text that recorded glutBitmapCharacter calls drew.
#pragma once

#include "Recorder.h"

#include <cstdlib>
#include <string>

inline std::string TextFromCalls() {
    std::string text;
    for (const std::string& call : rec::CallsTo("glutBitmapCharacter")) {
        // "glutBitmapCharacter(9x15, 70)"
        size_t comma = call.find(", ");
        text += static_cast<char>(atoi(call.c_str() + comma + 2));
    }
    return text;
}
