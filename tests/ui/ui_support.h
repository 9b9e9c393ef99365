#pragma once
// What the window tests share: a message window that answers from a script, a file chooser that
// answers from a script and keeps what each dialog asked, and a fresh data folder.

#include <QDir>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <string>
#include <vector>

#include "core/interfaces.h"
#include "core/ui/file_chooser.h"

namespace tessaline::test {

class TScriptedPrompt : public UserPrompt {
public:
    int ShowMessage(const std::string& title, const std::string& text, int buttons) override {
        titles.push_back(title);
        texts.push_back(text);
        buttonSets.push_back(buttons);
        if (answers.empty()) {
            return (buttons & BtnOk) != 0 ? BtnOk : BtnNo;
        }
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    void Clear() {
        titles.clear();
        texts.clear();
        buttonSets.clear();
        answers.clear();
    }
    std::deque<int> answers; // then Ok when offered, else No
    std::vector<std::string> titles;
    std::vector<std::string> texts;
    std::vector<int> buttonSets;
};

class TScriptedChooser : public TFileChooser {
public:
    QString Choose(const TFileDialogRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) {
            return {};
        }
        const QString a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<QString> answers; // then cancelled
    std::vector<TFileDialogRequest> asked;
};

// Points TESSALINE_HOME at a fresh folder with the program's sub-folders and pins the locale.
inline void PrepareHome(QTemporaryDir& home) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    qputenv("TESSALINE_HOME", home.path().toUtf8());
    for (const char* sub : {"Sistemi", "COLONNE", "Schedine"}) {
        QDir(home.path()).mkpath(QLatin1String(sub));
    }
}

} // namespace tessaline::test
