#pragma once

namespace nidora::shell {

// The login window, run on the caller's thread while the frame opens. Each code accepted with
// OK is checked by LoginCheck: a user, or the master password of a new installation, logs in and
// closes the window; the third code that finds nobody closes it with nobody logged in. The caller
// reads AppGlobals.LoggedIn, not the response.
void Identificacion();

} // namespace nidora::shell
