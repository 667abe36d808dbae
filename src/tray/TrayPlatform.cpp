#include "tray/TrayPlatform.h"

TrayPlatform g_trayPlatform{&::Shell_NotifyIconA, &::FindWindowA, &::SHAppBarMessage, &::SystemParametersInfoA,
                            &::DrawAnimatedRects};
