#pragma once

// The desktop's warning sound, for a key that has nothing to do where it was pressed. Each
// one is counted, so a test can tell that it sounded (the offscreen platform plays nothing).
namespace nidora::framework {

void beep();
int beepsSoFar();

} // namespace nidora::framework
