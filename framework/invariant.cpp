#include "framework/invariant.h"

#include <stdexcept>

void VerifyInvariant(bool holds, const char* what) {
    if (!holds) {
        throw std::logic_error(what);
    }
}
