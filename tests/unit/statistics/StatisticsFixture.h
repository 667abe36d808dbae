#pragma once
// The main dialog over fake platform functions and an empty, redirected HKEY_CURRENT_USER.
// Timer ticks are sent by the test: the dialog's own statistics timer is stopped after start.
#include "FakeInterfaces.h"
#include "TestSupport.h"
#include "dialog/VelmoraDlg.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace qvtest {

// Records every CB_SETCURSEL that reaches the interface list while the object lives.
class InterfaceListSelections {
public:
    InterfaceListSelections();
    ~InterfaceListSelections();
    InterfaceListSelections(const InterfaceListSelections&) = delete;
    InterfaceListSelections& operator=(const InterfaceListSelections&) = delete;
    const std::vector<int>& Indexes() const { return m_indexes; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    UniqueHook m_hook;
    std::vector<int> m_indexes;
};

class StatisticsFixture : public ::testing::Test {
protected:
    // Constructs and creates the dialog; its statistics timer is then stopped (false when
    // there was none).
    bool Start();
    void TearDown() override { dlg.reset(); }

    void Tick() { dlg->SendMessage(WM_TIMER, IDT_STATISTICS); }
    // The user picks item index of the interface list.
    void Pick(int index);
    std::string Text(int id) const;
    std::vector<std::string> ListedEntries() const;

    RegistrySandbox registry;
    fake::Installed fakes;
    std::unique_ptr<CVelmoraDlg> dlg;
};

} // namespace qvtest
