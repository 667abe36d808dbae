#pragma once
// A running clock: hours, minutes and seconds counted in ticks, and the text that shows them.
#include "Framework.h"

// One tick: the seconds move on, carrying into minutes and hours, and the text is rewritten
// as " %2d hrs : %2d mins : %2d secs".
void StepClock(int& hours, int& minutes, int& seconds, CString& text);
