#pragma once
// The subcommands of tessaline-cli. Each takes its words after the command name and returns the
// exit status; failures are raised as EInOutError, usage errors as EUsage.

#include <string>

#include "cli/cli.h"

namespace tessaline::cli {

// Answers questions by the --answer policy and prints messages to stderr.
class TCliPrompt : public UserPrompt {
public:
    explicit TCliPrompt(bool answerYes) : answerYes_(answerYes) {}
    int ShowMessage(const std::string& title, const std::string& text, int buttons) override;

private:
    bool answerYes_;
};

int RunDevelop(TArgs& args);
int RunShow(TArgs& args);
int RunMerge(TArgs& args);
int RunTxt(TArgs& args);
int RunGuarantee(TArgs& args);
int RunScrutiny(TArgs& args);
int RunOps(TArgs& args);
int RunShuffle(TArgs& args);
int RunOrder(TArgs& args);
int RunArchive(TArgs& args);
int RunPrint(TArgs& args);
int RunHistorical(TArgs& args);
int RunPlays(TArgs& args);
int RunUpdate(TArgs& args);
int RunFixed(TArgs& args);
int RunStats(TArgs& args);

} // namespace tessaline::cli
