#pragma once
// The main dialog, created modeless over an empty HKEY_CURRENT_USER as the application's main
// window, driven through long runs of the same user action while the process's kernel, GDI and
// USER objects are counted.
#include "ResourceCounts.h"
#include "TestSupport.h"
#include "acceleration/LocalAddresses.h"
#include "dialog/VelmoraDlg.h"
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace soak {

class SoakTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs round(i) warmUp times (what the first rounds create once may stay), counts the
    // process's objects, runs it rounds more times and counts again: nothing may have grown.
    void ExpectNoGrowth(int warmUp, int rounds, const std::function<void(int)>& round);

    HWND Dialog() const { return dialog.m_hWnd; }
    std::string Text(int id) const;
    // The dialog still answers a message within a few seconds.
    bool Responds() const;
    // The shell shows the dialog's icon now.
    bool IconInShell() const;
    // The shell drops the dialog's icon behind its back, as a shell that restarts does.
    void ShellForgetsIcon() const;
    void PumpPending() const { qvtest::PumpPending(Dialog()); }

    qvtest::RegistrySandbox registry;
    CVelmoraDlg dialog;

private:
    CWnd* m_savedMainWindow = nullptr;
    LOCAL_ADDRESS m_savedAddresses[LOCAL_ADDRESS_CAPACITY]{};
    int m_savedAddressCount = 0;
    SOCKET (*m_savedSocketFactory)() = nullptr;
};

} // namespace soak
