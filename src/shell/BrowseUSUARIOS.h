#pragma once

namespace nidora::shell {

// The users list "BrowseUSUARIOS": the users in the order of their codes, shown by name, with
// the buttons that call the user form. Each time it reads its rows from the file it counts the
// administrators again, so the form can keep the last one.
void BrowseUSUARIOS();

} // namespace nidora::shell
