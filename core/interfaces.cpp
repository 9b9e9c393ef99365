#include "core/interfaces.h"

#include "core/rounding.h"

namespace tessaline {

int TFixedAnswerPrompt::ShowMessage(const std::string& title, const std::string& text, int buttons) {
    ++count_;
    lastTitle_ = title;
    lastText_ = text;
    if (answerYes_ && (buttons & BtnSi) != 0) {
        return BtnSi;
    }
    if (!answerYes_ && (buttons & BtnNo) != 0) {
        return BtnNo;
    }
    if ((buttons & BtnOk) != 0) {
        return BtnOk;
    }
    if ((buttons & BtnNo) != 0) {
        return BtnNo;
    }
    return (buttons & BtnAnnulla) != 0 ? BtnAnnulla : 0;
}

bool TProgressModel::Aggiorna(int step, const std::string& name, double percent) {
    bool changed = false;
    if (step != lastStep_) {
        lastStep_ = step;
        label_ = name + " " + std::to_string(step);
        changed = true;
    }
    const int p = static_cast<int>(Truncate(percent));
    if (p != gauge_ && (p > gauge_ + 4 || p == 0 || p == 100)) {
        gauge_ = p;
        changed = true;
    }
    return changed;
}

} // namespace tessaline
