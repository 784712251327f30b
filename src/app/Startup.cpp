#include "Startup.h"

#include "app/uAbertura.h"
#include "app/uBuscaCampeonato.h"
#include "app/uBuscaEvento.h"
#include "app/uDM.h"
#include "core/AddressChoice.h"
#include "core/StationInfo.h"
#include "db/DbError.h"
#include "platform/Dialogs.h"
#include "race/uPrincipal.h"

#include <QApplication>
#include <stdexcept>

Startup::Startup(platform::StationEnvironment env) : m_env(std::move(env)) {}

Startup::~Startup() {
    // The main window reads the data module while it goes.
    m_main.reset();
    m_dm.reset();
}

bool Startup::run() {
    try {
        if (steps()) return true;
        m_exitCode = 0;
    } catch (const db::DbError& e) {
        platform::dialogs().showMessage(e.message());
        m_exitCode = 1;
    } catch (const std::exception& e) {
        platform::dialogs().showMessage(QString::fromUtf8(e.what()));
        m_exitCode = 1;
    }
    m_splash.reset();
    return false;
}

void Startup::stage(const QString& status) {
    m_splash->setStatus(status);
    QApplication::processEvents();
}

bool Startup::steps() {
    QApplication::setApplicationDisplayName(station::applicationTitle());
    m_splash = std::make_unique<TfrmAbertura>(m_env);
    m_splash->show();
    m_splash->repaint();
    QApplication::processEvents();

    stage(QStringLiteral("Acessando o Banco de Dados"));
    m_dm = std::make_unique<DM>();
    m_dm->connection().setHost(QStringLiteral("127.0.0.1"));
    m_splash->advanceGauge();
    m_dm->serverFound = m_splash->found();

    stage(QStringLiteral("Carregando Banco de Dados"));
    m_splash->advanceGauge();

    stage(QStringLiteral("Carregando: Tela Principal"));
    m_main = std::make_unique<TfrmPrincipal>(m_dm.get(), m_env);
    m_splash->advanceGauge();
    m_dm->serverAddress = m_splash->serverAddress();

    m_dm->connection().close();
    m_dm->connection().setHost(chooseDatabaseHost(m_dm->isMainStation, m_dm->serverAddress));
    m_dm->connection().open();
    m_dm->openSharedQueries();

    stage(QStringLiteral("Selecionando Campeonato"));
    {
        TfrmBuscaCampeonato window(m_dm.get());
        m_splash->advanceGauge();
        window.exec();
        if (window.cancelled()) return false;
    }
    m_dm->qryVeiculo->close();
    m_dm->qryVeiculo->setParam(QStringLiteral("cod_camp"), m_dm->championshipCode());
    m_dm->qryVeiculo->open();

    stage(QStringLiteral("Selecionando Evento / Etapa"));
    {
        TfrmBuscaEvento window(m_dm.get());
        m_splash->advanceGauge();
        window.exec();
        if (window.cancelled()) return false;
    }

    stage(QStringLiteral("Finalizando"));
    m_splash.reset();
    m_main->show();
    return true;
}
