#pragma once

namespace nidora::practice {

// The medical library: its topics, titles and articles as a tree, added to, changed and deleted
// through their forms by the highlighted row.
void Biblioteca();

} // namespace nidora::practice
