#pragma once
// The main window with its commands over a fresh system, for the tests that drive the program
// through its menus. A test class derives from it and calls Apri in init() and Chiudi in cleanup().

#include <QObject>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "ui_support.h"

namespace tessaline::test {

class TMainWindowTest : public QObject {
protected:
    void PreparaCartella() {
        QVERIFY(home_.isValid());
        PrepareHome(home_);
    }
    void Apri() {
        sys_ = std::make_unique<T_Sistema>();
        sys_->dati.settings = DefaultSettings();
        w_ = std::make_unique<TFormPrinc>(*sys_);
        w_->SetPrompt(&prompt_);
        prompt_.Clear();
        chooser_ = TScriptedChooser{};
        comandi_ = std::make_unique<TComandi>(*w_, &chooser_);
    }
    void Chiudi() {
        comandi_.reset();
        w_.reset();
        sys_.reset();
    }

    QTemporaryDir home_;
    TScriptedPrompt prompt_;
    TScriptedChooser chooser_;
    std::unique_ptr<T_Sistema> sys_;
    std::unique_ptr<TFormPrinc> w_;
    std::unique_ptr<TComandi> comandi_;
};

} // namespace tessaline::test
