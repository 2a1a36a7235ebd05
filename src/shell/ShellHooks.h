#pragma once
// The places where the business pages join the main window's start-up, shutdown and
// hot keys. A page registers its steps when it is composed into the window; the window
// runs them at their fixed place in its sequence, in the order they were registered.
#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace zx {

// Start-up steps owned by the pages, in the order the window reaches them.
enum class StartupStep {
    PendingSales, // reverse sales left pending by an earlier run (after the pages are set)
    PasswordQueue, // send card-holder password changes still waiting (after the company choice)
    ServerRefresh, // refresh the merchant settings from the server (municipality code 0)
    CompanyListFetch, // fetch the companies the station may act for, before the second choice
};

// Shutdown steps owned by the pages.
enum class CloseStep {
    PendingSales, // run when VENDA holds a pending row with a card number
    PasswordQueue, // offer password changes still waiting once more
};

// The window's hot keys, in the order they are checked on each key press. Several
// can act on one press. The window itself handles Esc, Enter/Down, Up and Ctrl+Shift
// C, E, M, U; the others act once a page sets them.
enum class HotKey {
    AltT, // "Efetuar venda nesse cartão" of the balance page
    CtrlA, // accumulated balance (employees page) or summary statement
    CtrlR, // summary statement with receipt block
    CtrlS, // accumulated balance of the registration
    CtrlF5, // switch to another institution
    CtrlF6, // switch to another merchant
    Esc, // close the window
    EnterDown, // next control
    Up, // previous control
    F7, // calculator
    CtrlShiftB, // company data from the server
    CtrlShiftC, // contract print
    CtrlShiftE, // disabled option
    CtrlShiftM, // data folder path
    CtrlShiftU, // service page address
    CtrlShiftL, // support console
    F11, // connectivity probe
};

// What the window hands the service client: its cnpjEstac, unidRel, versLocal,
// corAguarde and nomeEstab.
struct ServiceHandOver {
    QString cnpjEstac;
    QString unidRel;
    QString versLocal;
    QColor corAguarde;
    QString nomeEstab;
};

class ShellHooks {
public:
    using Action = std::function<void()>;

    void add(StartupStep step, const QString &name, Action action)
    {
        m_startup[step].push_back({ name, std::move(action) });
    }
    void add(CloseStep step, const QString &name, Action action)
    {
        m_close[step].push_back({ name, std::move(action) });
    }
    // One action per key; a later call replaces the earlier one.
    void setKey(HotKey key, Action action) { m_keys[key] = std::move(action); }

    // The support console's integration run (first argument "NF_TQB"): shown modally,
    // the program ends when it returns.
    void setIntegrationConsole(Action action) { m_console = std::move(action); }

    // Receives the service-client values each time the window changes them.
    void setServiceHandOver(std::function<void(const ServiceHandOver &)> receiver)
    {
        m_handOver = std::move(receiver);
    }
    void handOver(const ServiceHandOver &values) const
    {
        if (m_handOver)
            m_handOver(values);
    }

    // Runs the actions of a step; false when none is registered.
    bool run(StartupStep step) const { return runAll(m_startup, step); }
    bool run(CloseStep step) const { return runAll(m_close, step); }
    bool has(StartupStep step) const { return m_startup.count(step) > 0; }
    bool has(CloseStep step) const { return m_close.count(step) > 0; }

    const Action *key(HotKey key) const
    {
        const auto it = m_keys.find(key);
        return it == m_keys.end() || !it->second ? nullptr : &it->second;
    }
    const Action &integrationConsole() const { return m_console; }

    // Names registered for a step, in running order (for diagnostics and tests).
    QStringList names(StartupStep step) const { return namesOf(m_startup, step); }
    QStringList names(CloseStep step) const { return namesOf(m_close, step); }

private:
    struct Named {
        QString name;
        Action action;
    };
    template <typename K> static bool runAll(const std::map<K, std::vector<Named>> &m, K k)
    {
        const auto it = m.find(k);
        if (it == m.end())
            return false;
        for (const Named &n : it->second)
            n.action();
        return true;
    }
    template <typename K> static QStringList namesOf(const std::map<K, std::vector<Named>> &m, K k)
    {
        QStringList out;
        const auto it = m.find(k);
        if (it != m.end())
            for (const Named &n : it->second)
                out << n.name;
        return out;
    }

    std::map<StartupStep, std::vector<Named>> m_startup;
    std::map<CloseStep, std::vector<Named>> m_close;
    std::map<HotKey, Action> m_keys;
    Action m_console;
    std::function<void(const ServiceHandOver &)> m_handOver;
};

} // namespace zx
