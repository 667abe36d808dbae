#include "acceleration/LocalAddresses.h"
#include "dialog/VelmoraDlg.h"
LOCAL_ADDRESS g_LocalAddresses[LOCAL_ADDRESS_CAPACITY];
int g_nLocalAddressCount = 0;
int GetLocalAddresses(LOCAL_ADDRESS*, int) { return 0; }
void CVelmoraDlg::OnAccelerate() {}
void CVelmoraDlg::StepAccelerationClock() {}
void CVelmoraDlg::StepDurationClock() {}
