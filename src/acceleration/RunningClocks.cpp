#include "acceleration/RunningClock.h"
#include "dialog/VelmoraDlg.h"

void StepClock(int& hours, int& minutes, int& seconds, CString& text)
{
    ++seconds;
    if (seconds == 60) {
        ++minutes;
        seconds = 0;
    }
    if (minutes == 60) {
        ++hours;
        minutes = 0;
    }
    text.Format(" %2d hrs : %2d mins : %2d secs", hours, minutes, seconds);
}

void CVelmoraDlg::StepAccelerationClock()
{
    StepClock(m_nAccHours, m_nAccMinutes, m_nAccSeconds, m_strAccelerationTime);
    UpdateData(FALSE);
}

void CVelmoraDlg::StepDurationClock()
{
    StepClock(m_nRunHours, m_nRunMinutes, m_nRunSeconds, m_strDuration);
    UpdateData(FALSE);
}
