// Storage of the modal runner seam.
#include "ui/ModalRunner.h"

#include <utility>

namespace {

ModalRunner& Runner() {
    static ModalRunner runner;
    return runner;
}

} // namespace

void SetModalRunner(ModalRunner runner) {
    Runner() = std::move(runner);
}

const ModalRunner& CurrentModalRunner() {
    return Runner();
}

ScopedModalRunner::ScopedModalRunner(ModalRunner runner) : previous_(std::move(Runner())) {
    Runner() = std::move(runner);
}

ScopedModalRunner::~ScopedModalRunner() {
    Runner() = std::move(previous_);
}
