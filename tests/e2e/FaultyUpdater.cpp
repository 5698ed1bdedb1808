// The updater with a fault put in it, for the tests of what a fault of the updater
// itself does to a run. Only the test build has this program. MISEAJOUR_TEST_FAULT
// says which fault:
//   throw   a listener throws a C++ exception when the removal step begins
//   crash   a listener writes through a null pointer at that moment
//   start   the application throws before its own handler is reached

#include "UpdateApp.h"

#include <stdexcept>
#include <string>

namespace {

std::string Fault()
{
    char value[32] = "";
    const DWORD length = ::GetEnvironmentVariableA("MISEAJOUR_TEST_FAULT", value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

class CFaultyListener : public IUpdateEvents {
public:
    explicit CFaultyListener(std::string fault) : m_fault(std::move(fault)) {}
    void OnStep(UpdateStep step, const char*, int, int) override
    {
        if (step != UpdateStep::RemoveOldVersion)
            return;
        if (m_fault == "throw")
            throw std::runtime_error("fault put in for the test");
        if (m_fault == "crash") {
            volatile int* nowhere = nullptr;
            *nowhere = 1;
        }
    }

private:
    std::string m_fault;
};

class CFaultyApp : public CUpdateApp {
public:
    BOOL InitInstance() override
    {
        if (m_fault == "start")
            throw std::runtime_error("fault put in for the test");
        return CUpdateApp::InitInstance();
    }

protected:
    std::vector<IUpdateEvents*> Listeners() override
    {
        std::vector<IUpdateEvents*> listeners = CUpdateApp::Listeners();
        listeners.push_back(&m_listener);
        return listeners;
    }

private:
    const std::string m_fault = Fault();
    CFaultyListener m_listener{m_fault};
};

CFaultyApp theFaultyApp;

} // namespace
