#pragma once
// Shared pieces of tessaline-cli: arguments, JSON output, exit statuses and Ctrl-C.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/column_list.h"
#include "core/interfaces.h"

namespace tessaline::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

// A malformed command line; reported with exit status 2.
class EUsage : public std::runtime_error {
public:
    explicit EUsage(const std::string& what) : std::runtime_error(what) {}
};

// Raised by a command stopped with Ctrl-C; reported with exit status 130.
class EInterrupted : public std::runtime_error {
public:
    EInterrupted() : std::runtime_error("Interrotto") {}
};

// The command's words after its name. Options are taken out by name; what remains are positionals.
class TArgs {
public:
    explicit TArgs(std::vector<std::string> words);
    bool Flag(std::string_view name);
    std::optional<std::string> Option(std::string_view name);
    std::string RequiredOption(std::string_view name);
    // The positionals left, in order; unknown "--" options left over are a usage error.
    std::vector<std::string> Positionals();
    bool Json() const { return json_; }

private:
    std::vector<std::string> words_;
    bool json_ = false;
};

// Parses a whole number in [lo, hi]; a usage error otherwise.
long ParseInt(const std::string& text, long lo, long hi, std::string_view what);

// A small JSON writer producing one object.
class TJson {
public:
    TJson& Key(std::string_view key);
    TJson& String(std::string_view value);
    TJson& Int(std::int64_t value);
    TJson& Number(double value);
    TJson& Bool(bool value);
    TJson& Null();
    TJson& BeginObject();
    TJson& EndObject();
    TJson& BeginArray();
    TJson& EndArray();
    const std::string& Text() const { return out_; }

private:
    void Separate();
    std::string out_;
    std::vector<bool> first_;
    bool afterKey_ = false;
};

std::string JsonEscape(std::string_view text);

// The process-wide "Annulla": set by SIGINT.
TCancelFlag& Interrupt();
void InstallInterruptHandler();
// Throws EInterrupted when Ctrl-C was pressed.
void CheckInterrupted();

// The end of a save of an output file: Cancelled raises EInterrupted (nothing was written),
// Failed raises EInOutError with the message.
void SaveOrInterrupt(TSaveStatus status, const char* message);

// Text for a terminal: every control character but the line feed (C0, DEL and the C1 range) becomes
// "?", so that names read from files cannot move the cursor or clear the screen.
std::string HumanText(std::string_view text);

// Prints a result: the JSON object with --json, else the summary lines (through HumanText).
void Emit(const TArgs& args, const TJson& json, const std::string& summary);

} // namespace tessaline::cli
