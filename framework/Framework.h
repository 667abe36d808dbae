#pragma once
// The whole framework in one include.
#include "App.h"
#include "CString.h"
#include "Controls.h"
#include "Dialog.h"
#include "Exception.h"
#include "Handle.h"
#include "Menu.h"
#include "MessageMap.h"
#include "Object.h"
#include "Thread.h"
#include "Wnd.h"
