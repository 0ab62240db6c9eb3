#include "Recorder.h"

#include <GL/glut.h>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <set>

namespace rec {
namespace {

struct State {
    bool recording = false;
    int foreignDepth = 0;
    std::vector<std::string> calls;
    std::map<std::string, std::deque<int64_t>> scripted;
    std::map<std::string, std::deque<std::string>> scriptedText;
    std::string takenText; // the last scripted text handed out, which the caller may still read
    std::set<std::string> listed;
    const void* pretendedContext = nullptr;
    size_t contextQueries = 0;
    std::set<std::string> unlisted;
};

State& state() {
    static State s;
    return s;
}

std::string NameOf(const std::string& call) {
    return call.substr(0, call.find('('));
}

} // namespace

void Start() {
    state().calls.clear();
    state().contextQueries = 0;
    state().recording = true;
}

void Stop() {
    state().recording = false;
}

void Reset() {
    state().recording = false;
    state().calls.clear();
    state().scripted.clear();
    state().scriptedText.clear();
    state().listed.clear();
    state().pretendedContext = nullptr;
    state().unlisted.clear();
}

bool Recording() {
    return state().recording;
}

const std::vector<std::string>& Calls() {
    return state().calls;
}

std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const std::string& call : state().calls) {
        names.push_back(NameOf(call));
    }
    return names;
}

std::vector<std::string> CallsTo(const std::string& function) {
    std::vector<std::string> calls;
    for (const std::string& call : state().calls) {
        if (NameOf(call) == function) {
            calls.push_back(call);
        }
    }
    return calls;
}

size_t CountOf(const std::string& function) {
    return CallsTo(function).size();
}

void Script(const std::string& function, int64_t result) {
    state().scripted[function].push_back(result);
}

void PretendListed(const std::string& extension) {
    state().listed.insert(extension);
}

void ScriptText(const std::string& function, const std::string& text) {
    state().scriptedText[function].push_back(text);
}

void PretendCurrentContext(const void* handle) {
    state().pretendedContext = handle;
}

size_t CurrentContextQueries() {
    return state().contextQueries;
}

const void* PretendedContext() {
    return state().pretendedContext;
}

void CountContextQuery() {
    if (ShouldRecord()) {
        ++state().contextQueries;
    }
}

void PretendUnlisted(const std::string& extension) {
    state().unlisted.insert(extension);
}

bool Pretended(const char* extension) {
    return state().listed.count(extension) != 0;
}

bool PretendedUnlisted(const char* extension) {
    return state().unlisted.count(extension) != 0;
}

bool ShouldRecord() {
    return state().recording && state().foreignDepth == 0;
}

void Append(std::string call) {
    state().calls.push_back(std::move(call));
}

bool TakeScripted(const std::string& function, int64_t& result) {
    if (state().foreignDepth != 0) {
        return false;
    }
    auto found = state().scripted.find(function);
    if (found == state().scripted.end() || found->second.empty()) {
        return false;
    }
    result = found->second.front();
    found->second.pop_front();
    return true;
}

bool TakeScriptedText(const std::string& function, const char*& text) {
    auto found = state().scriptedText.find(function);
    if (state().foreignDepth != 0 || found == state().scriptedText.end() || found->second.empty()) {
        return false;
    }
    state().takenText = found->second.front();
    found->second.pop_front();
    text = state().takenText.c_str();
    return true;
}

ForeignScope::ForeignScope() {
    ++state().foreignDepth;
}
ForeignScope::~ForeignScope() {
    --state().foreignDepth;
}

Arg Enum(uint32_t value) {
    char text[16];
    snprintf(text, sizeof text, "0x%04" PRIX32, value);
    return {text};
}

Arg Int(int64_t value) {
    return {std::to_string(value)};
}

Arg Float(double value) {
    // The shortest form that reads back as the same float.
    char text[32];
    for (int digits = 1; digits <= 17; ++digits) {
        snprintf(text, sizeof text, "%.*g", digits, value);
        if (static_cast<float>(strtod(text, nullptr)) == static_cast<float>(value)) {
            break;
        }
    }
    return {text};
}

Arg Floats(const float* values, int count) {
    if (values == nullptr) {
        return {"null"};
    }
    std::string text = "{";
    for (int i = 0; i < count; ++i) {
        text += (i ? ", " : "") + Float(values[i]).text;
    }
    return {text + "}"};
}

Arg Ptr(const void* pointer) {
    return {pointer ? "ptr" : "null"};
}

Arg Text(const char* text) {
    return {text ? "\"" + std::string(text) + "\"" : "null"};
}

Arg Font(const void* font) {
    return {font == GLUT_BITMAP_9_BY_15 ? "9x15" : "font"};
}

std::string Call(const std::string& name, const std::vector<Arg>& args) {
    std::string text = name + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        text += (i ? ", " : "") + args[i].text;
    }
    return text + ")";
}

std::string Call(const std::string& name, const std::vector<Arg>& args, const Arg& result) {
    return Call(name, args) + " -> " + result.text;
}

} // namespace rec
