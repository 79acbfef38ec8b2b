#pragma once

namespace nidora::shell {

// The user form "USUARIOS:Ficha", called by the users list on its own thread with the request in
// CallRequest and the user in the thread's ACCESOS buffer (a new one primed with no rights). It
// keeps the last administrator from being deleted or losing the right, gives an administrator
// every right, and asks before a changed insert or change is cancelled.
void USUARIOS_Ficha();

} // namespace nidora::shell
