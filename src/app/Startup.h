#pragma once

#include "platform/StationEnvironment.h"

#include <QString>
#include <memory>

class DM;
class TfrmAbertura;
class TfrmPrincipal;

/// The way from the program's start to the main window: splash, discovery,
/// data module, main window, connection, shared queries and the choice of
/// championship and event.
class Startup {
public:
    explicit Startup(platform::StationEnvironment env);
    ~Startup();

    /// Runs every step up to the shown main window. False when the program
    /// must end instead: an error (already shown) or Cancel in a selection.
    bool run();
    /// The exit code when `run()` returned false: 0 after Cancel, 1 after an error.
    int exitCode() const { return m_exitCode; }

    DM* dataModule() const { return m_dm.get(); }
    TfrmPrincipal* mainWindow() const { return m_main.get(); }

private:
    bool steps();
    void stage(const QString& status);

    platform::StationEnvironment m_env;
    std::unique_ptr<TfrmAbertura> m_splash;
    std::unique_ptr<DM> m_dm;
    std::unique_ptr<TfrmPrincipal> m_main;
    int m_exitCode = 0;
};
