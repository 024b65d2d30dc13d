// The one seam through which a modal form is run. The program leaves it empty and the form runs
// its own modal loop; tests install a runner that plays the user (presses a button, sets a value)
// on the form once it is shown, so that no dialog waits for a person.
#pragma once

#include <functional>

class Form;

using ModalRunner = std::function<void(Form&)>;

// Installs a runner for every modal form shown afterwards; an empty function restores the loop.
void SetModalRunner(ModalRunner runner);
const ModalRunner& CurrentModalRunner();

// Installs a runner for one scope and puts the previous one back.
class ScopedModalRunner {
public:
    explicit ScopedModalRunner(ModalRunner runner);
    ~ScopedModalRunner();
    ScopedModalRunner(const ScopedModalRunner&) = delete;
    ScopedModalRunner& operator=(const ScopedModalRunner&) = delete;

private:
    ModalRunner previous_;
};
