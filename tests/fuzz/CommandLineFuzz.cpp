// Fuzzes the shell's command-line parser: the input is split at zero bytes into arguments.
#include "Callbacks.h"
#include "CommandLine.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The parser's messages would drown the fuzzer's own output.
    if (freopen("/dev/null", "w", stderr) == nullptr) {
        abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\0') {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    windowWidth = 320;
    windowHeight = 240;
    windowPosX = 0;
    windowPosY = 0;
    fullScreen = false;
    ParseCommandLine(static_cast<int>(args.size()), argv.data());

    // Without any "-fullscreen" argument nothing may switch full screen on.
    bool named = false;
    for (const std::string& arg : args) {
        named = named || arg == "-fullscreen";
    }
    if (fullScreen && !named) {
        abort();
    }
    return 0;
}
