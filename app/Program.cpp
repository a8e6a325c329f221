#include "app/Program.h"

#include "resources/Resources.h"

namespace velatask {

Program::Program(const StoreChoice& store, const QString& dataDirectory, const QString& iniPath,
                 const QStringList& loginCommand)
    : m_ini(iniPath), m_settings(Settings::load(m_ini)),
      m_store(store.makeStore(dataDirectory, m_ui)),
      m_runner(ScriptRunner::Services{m_queue, m_clock, m_ui, m_windows, m_dde, m_keys, m_sender}),
      m_tray(resourceIcon(QStringLiteral("TRAY_ICO"))), m_autostart(loginCommand) {
    m_ctx.ini = &m_ini;
    m_ctx.settings = &m_settings;
    m_ctx.clock = &m_clock;
    m_ctx.ui = &m_ui;
    m_ctx.store = m_store.get();
    m_ctx.sound = &m_sound;
    m_ctx.programs = &m_programs;
    m_ctx.scriptQueue = &m_queue;
    m_ctx.scriptRunner = &m_runner;
    m_ctx.tray = &m_tray;
    m_ctx.autostart = &m_autostart;
    m_ctx.messageWindows = &m_messageWindows;
    // The frame opens the scheduler's tables as it is made: the context must be complete.
    m_frame = std::make_unique<MainFrame>(m_ctx, m_tick);
    m_ctx.frame = m_frame.get();
    m_frame->setEditing(&m_editing);
    m_ui.setParentWindow(m_frame.get());
    QObject::connect(&m_tray, &QtTray::clicked, m_frame.get(), &MainFrame::trayClicked);
    QObject::connect(&m_tray, &QtTray::restoreChosen, m_frame.get(), &MainFrame::trayClicked);
    QObject::connect(&m_tray, &QtTray::closeChosen, m_frame.get(), &MainFrame::trayClose);
    QObject::connect(&m_clockSet, &ClockSetNotifier::clockSet, &m_frame->tickTimer(),
                     &TickTimer::clockSet);
}

void Program::start(bool minimized) {
    m_runner.setOwnWindow(m_frame->winId());
    m_frame->startUp(minimized);
}

} // namespace velatask
