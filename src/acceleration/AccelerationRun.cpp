#include "acceleration/CaptureRun.h"
#include "dialog/VelmoraDlg.h"

namespace {
constexpr char kAcceleratingCaption[] = "Status: accelerating\nPress to stop acceleration";
constexpr char kStoppedCaption[] = "Status: stopped\nPress to start acceleration ";
} // namespace

void CVelmoraDlg::OnAccelerate()
{
    if (g_bAccelerating == 0) {
        BeginCaptureRun();
        SetTimer(IDT_ACCELERATION_CLOCK, TIMER_PERIOD_MS);
        m_btnAccelerate.SetWindowText(kAcceleratingCaption);
    } else {
        EndCaptureRun();
        KillTimer(IDT_ACCELERATION_CLOCK);
        m_btnAccelerate.SetWindowText(kStoppedCaption);
    }
}
