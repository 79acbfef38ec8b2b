#pragma once

namespace nidora::practice {

// The doctors list, in doctor number order; doctor 1 can never be deleted from it.
void BrowseMEDICOS();

} // namespace nidora::practice
