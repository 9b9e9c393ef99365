#include "cli/cli.h"

#include <csignal>
#include <cstdio>
#include <fmt/format.h>

#include "core/errors.h"
#include "core/paths.h"
#include "core/threads.h"
#include "system/config_file.h"

namespace tessaline::cli {

TArgs::TArgs(std::vector<std::string> words) : words_(std::move(words)) {
    json_ = Flag("--json");
    // Every command takes the cap on the threads of its long jobs (1: a single thread); without it
    // the configuration's setting holds.
    if (const auto threads = Option("--threads")) {
        SetThreadCap(static_cast<int>(ParseInt(*threads, 1, kMaxThreads, "numero di thread")));
    } else {
        TProgramSettings settings;
        ReadConfigFile(ProgramDir() / kConfigFileName, settings);
        SetThreadCap(settings.maxThreads);
    }
}

bool TArgs::Flag(std::string_view name) {
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (*it == name) {
            words_.erase(it);
            return true;
        }
    }
    return false;
}

std::optional<std::string> TArgs::Option(std::string_view name) {
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (*it == name) {
            if (it + 1 == words_.end()) {
                throw EUsage(fmt::format("manca il valore di {}", name));
            }
            std::string value = *(it + 1);
            words_.erase(it, it + 2);
            return value;
        }
    }
    return std::nullopt;
}

std::string TArgs::RequiredOption(std::string_view name) {
    auto v = Option(name);
    if (!v) {
        throw EUsage(fmt::format("manca l'opzione {}", name));
    }
    return *v;
}

std::vector<std::string> TArgs::Positionals() {
    for (const auto& w : words_) {
        if (w.size() > 1 && w[0] == '-') {
            throw EUsage(fmt::format("opzione sconosciuta: {}", w));
        }
    }
    return words_;
}

long ParseInt(const std::string& text, long lo, long hi, std::string_view what) {
    std::size_t used = 0;
    long v = 0;
    try {
        v = std::stol(text, &used, 10);
    } catch (const std::exception&) {
        throw EUsage(fmt::format("{} non valido: {}", what, text));
    }
    if (used != text.size() || v < lo || v > hi) {
        throw EUsage(fmt::format("{} non valido: {}", what, text));
    }
    return v;
}

std::string JsonEscape(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += fmt::format("\\u{:04x}", c);
            } else {
                out.push_back(ch);
            }
        }
    }
    out += "\"";
    return out;
}

void TJson::Separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) {
            out_ += ", ";
        }
        first_.back() = false;
    }
}

TJson& TJson::Key(std::string_view key) {
    Separate();
    out_ += JsonEscape(key) + ": ";
    afterKey_ = true;
    return *this;
}

TJson& TJson::String(std::string_view value) {
    Separate();
    out_ += JsonEscape(value);
    return *this;
}

TJson& TJson::Int(std::int64_t value) {
    Separate();
    out_ += std::to_string(value);
    return *this;
}

TJson& TJson::Number(double value) {
    Separate();
    out_ += fmt::format("{}", value);
    return *this;
}

TJson& TJson::Bool(bool value) {
    Separate();
    out_ += value ? "true" : "false";
    return *this;
}

TJson& TJson::Null() {
    Separate();
    out_ += "null";
    return *this;
}

TJson& TJson::BeginObject() {
    Separate();
    out_ += "{";
    first_.push_back(true);
    return *this;
}

TJson& TJson::EndObject() {
    out_ += "}";
    first_.pop_back();
    return *this;
}

TJson& TJson::BeginArray() {
    Separate();
    out_ += "[";
    first_.push_back(true);
    return *this;
}

TJson& TJson::EndArray() {
    out_ += "]";
    first_.pop_back();
    return *this;
}

TCancelFlag& Interrupt() {
    static TCancelFlag flag;
    return flag;
}

namespace {
volatile std::sig_atomic_t gInterrupted = 0;
extern "C" void OnSigint(int /*sig*/) {
    gInterrupted = 1;
    Interrupt().Request();
}
} // namespace

void InstallInterruptHandler() {
    struct sigaction sa {};
    sa.sa_handler = OnSigint;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
}

void CheckInterrupted() {
    if (gInterrupted != 0) {
        throw EInterrupted();
    }
}

void SaveOrInterrupt(TSaveStatus status, const char* message) {
    if (status == TSaveStatus::Cancelled) {
        throw EInterrupted();
    }
    if (status == TSaveStatus::Failed) {
        throw EInOutError(message);
    }
}

std::string HumanText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\n') || c == 0x7F) {
            out.push_back('?');
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            out.push_back('?'); // U+0080 to U+009F
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

void Emit(const TArgs& args, const TJson& json, const std::string& summary) {
    if (args.Json()) {
        std::fputs(json.Text().c_str(), stdout);
        std::fputs("\n", stdout);
    } else {
        std::fputs(HumanText(summary).c_str(), stdout);
    }
}

} // namespace tessaline::cli
